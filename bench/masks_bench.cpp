// Mask speed against memcpy of the same bytes, measured in the same run.
// scripts/bench-masks turns the timings into ratios.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "doc/image_doc.h"
#include "masks/colour_masks.h"
#include "masks/cp_mask.h"
#include "masks/detection.h"
#include "masks/fl_mask.h"
#include "masks/flip_glass.h"
#include "masks/meko_mask.h"
#include "masks/q0_mask.h"
#include "masks/rotation.h"
#include "masks/win_mask.h"

namespace veilo {
namespace {

constexpr int32_t kSide = 4096;
constexpr int32_t kMekoSide = 1536;
constexpr int32_t kPhotoWidth = 4000;
constexpr int32_t kPhotoHeight = 3000;

void Fill(ImageDoc& doc, uint32_t seed) {
  const PixelBuffer px = DocPixels(doc);
  uint32_t s = seed;
  for (int32_t y = 0; y < px.height; ++y) {
    uint8_t* row = px.Row(y);
    for (size_t i = 0; i < size_t(px.width) * 3; ++i) {
      s = s * 1664525u + 1013904223u;
      row[i] = static_cast<uint8_t>(s >> 24);
    }
  }
}

ImageDoc& Picture() {
  static ImageDoc doc = [] {
    ImageDoc d;
    SetDocPicture(d, PackedDib::Canonical24(kSide, kSide));
    Fill(d, 7);
    return d;
  }();
  return doc;
}

// A smooth, photograph-like picture with an inverted rectangle in it.
ImageDoc& Photo() {
  static ImageDoc doc = [] {
    ImageDoc d;
    SetDocPicture(d, PackedDib::Canonical24(kPhotoWidth, kPhotoHeight));
    const PixelBuffer px = DocPixels(d);
    uint32_t s = 3;
    for (int32_t y = 0; y < kPhotoHeight; ++y) {
      for (int32_t x = 0; x < kPhotoWidth; ++x) {
        s = s * 1664525u + 1013904223u;
        const int noise = static_cast<int>(s >> 29) - 4;
        uint8_t* p = px.At(x, y);
        p[kRed] = static_cast<uint8_t>(((x / 16 + y / 24) & 0xFF) / 2 + 60 + noise);
        p[kGreen] = static_cast<uint8_t>(((x / 20) & 0x7F) + 40 + noise);
        p[kBlue] = static_cast<uint8_t>(((y / 12) & 0x7F) + 50 + noise);
      }
    }
    NegateArea(px, {1000, 800, 2536, 1824}, 7);
    return d;
  }();
  return doc;
}

void SelectAll(ImageDoc& doc, int32_t w, int32_t h) {
  doc.areaSelected = 1;
  doc.areaX1 = 0;
  doc.areaY1 = 0;
  doc.areaX2 = w;
  doc.areaY2 = h;
  doc.undoList.clear();
}

struct Fixture {
  ShellNotifications shell;
  MaskOptions options;
  MacroBuffer macro;
  MaskContext ctx{shell, options, macro};
};

void SetBytes(benchmark::State& state, int32_t w, int32_t h) {
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(RowStride24(uint32_t(w))) * h);
}

void MemcpyOf(benchmark::State& state, int32_t w, int32_t h) {
  const size_t n = RowStride24(uint32_t(w)) * size_t(h);
  std::vector<uint8_t> a(n, 1), b(n, 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), n);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  SetBytes(state, w, h);
}

template <typename Op>
void RunOp(benchmark::State& state, Op op, int32_t w = kSide, int32_t h = kSide) {
  Fixture f;
  ImageDoc& doc = Picture();
  for (auto _ : state) {
    SelectAll(doc, w, h);
    op(f.ctx, doc);
    benchmark::ClobberMemory();
  }
  SetBytes(state, w, h);
}

void BM_MemcpyPicture(benchmark::State& s) { MemcpyOf(s, kSide, kSide); }
void BM_MemcpyMeko(benchmark::State& s) { MemcpyOf(s, kMekoSide, kMekoSide); }
void BM_Neg(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { NegPosLive(c, d); }); }
void BM_Xor(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { XorLive(c, d); }); }
void BM_Rgb(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { ExchangeLive(c, d); }); }
void BM_FlipTb(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { FlipLive(c, d, false); }); }
void BM_FlipLr(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { FlipLive(c, d, true); }); }
void BM_VGlass(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { GlassLive(c, d, true); }); }
void BM_HGlass(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { GlassLive(c, d, false); }); }
void BM_Win(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { WinLive(c, d); }); }
void BM_Meko(benchmark::State& s) {
  RunOp(s, [](MaskContext& c, ImageDoc& d) { MekoLive(c, d, 0); }, kMekoSide, kMekoSide);
}
void BM_Fl(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { FlLive(c, d); }); }
void BM_Cp(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { CpLive(c, d, "VEILOMASK"); }); }
void BM_Q0(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { Q0Live(c, d); }); }
void BM_Rot90(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { RotateLive(c, d, kTurn90); }); }
void BM_Rot180(benchmark::State& s) { RunOp(s, [](MaskContext& c, ImageDoc& d) { RotateLive(c, d, kTurn180); }); }

void BM_PassPhoto(benchmark::State& state) {
  ImageDoc& doc = Photo();
  const PixelBuffer px = DocPixels(doc);
  for (auto _ : state) {
    uint32_t sum = 0;
    for (int32_t y = 0; y < px.height; ++y) {
      const uint8_t* row = px.Row(y);
      for (size_t i = 0; i < size_t(px.width) * 3; ++i) sum += row[i];
    }
    benchmark::DoNotOptimize(sum);
  }
  SetBytes(state, kPhotoWidth, kPhotoHeight);
}

void BM_Detect(benchmark::State& state) {
  ImageDoc& doc = Photo();
  for (auto _ : state) {
    auto r = RectangleSearch(doc, 1500, 1200);
    benchmark::DoNotOptimize(r);
  }
  SetBytes(state, kPhotoWidth, kPhotoHeight);
}

void BM_EdgeScan(benchmark::State& state) {
  ImageDoc& doc = Photo();
  for (auto _ : state) {
    auto r = EdgeScan(doc, 1500, 1200);
    benchmark::DoNotOptimize(r);
  }
  SetBytes(state, kPhotoWidth, kPhotoHeight);
}

BENCHMARK(BM_MemcpyPicture)->Name("memcpy-picture")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyMeko)->Name("memcpy-meko")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PassPhoto)->Name("pass-photo")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Neg)->Name("neg")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Xor)->Name("xor")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rgb)->Name("rgb")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlipTb)->Name("flip-tb")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlipLr)->Name("flip-lr")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VGlass)->Name("vglass")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HGlass)->Name("hglass")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Win)->Name("win")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Meko)->Name("meko")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fl)->Name("fl")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cp)->Name("cp")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Q0)->Name("q0")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rot90)->Name("rot90")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rot180)->Name("rot180")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect)->Name("detect")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EdgeScan)->Name("edge-scan")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veilo
