// Reader, quantiser and colour-count speed. The inputs are made by
// `veilo-bench-codecs --make-inputs DIR`; scripts/bench-codecs times the
// reference tools on the same files and prints the ratios.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_photo.h"
#include "doc/image_doc.h"
#include "formats/colour_count.h"
#include "formats/colour_quantiser.h"
#include "formats/gif_reader.h"
#include "formats/gif_writer.h"
#include "formats/jpeg_reader.h"
#include "formats/jpeg_writer.h"
#include "formats/png_reader.h"
#include "formats/png_save_options.h"
#include "formats/png_writer.h"
#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {
namespace {

constexpr uint32_t kWidth = 6000;
constexpr uint32_t kHeight = 4000;

std::string InputDir() {
  const char* dir = std::getenv("VEILO_BENCH_DIR");
  return dir ? dir : "build/bench-inputs";
}
std::string Input(const char* name) { return InputDir() + "/" + name; }

ImageDoc MakePhoto() { return bench::MakePhotoLike(kWidth, kHeight); }

int MakeInputs() {
  ShellNotifications shell;
  ImageDoc photo = MakePhoto();
  JpegWriteOptions jpeg;
  jpeg.quality = 90;
  if (WriteJpegFile(shell, Input("photo.jpg"), photo, jpeg) != 0) return 1;
  PngSaveOptions png;
  if (WritePngFile(shell, Input("photo.png"), photo, png) == 0) return 1;
  GifSaveOptions gif;
  if (WriteGifFile(shell, Input("photo.gif"), photo, gif) == 0) return 1;
  // A plain PPM for the reference quantiser and colour counter.
  FilePtr f = OpenFile(Input("photo.ppm"), "wb");
  if (!f) return 1;
  std::fprintf(f.get(), "P6\n%u %u\n255\n", kWidth, kHeight);
  const PixelBuffer px = DocPixels(photo);
  std::vector<uint8_t> row(kWidth * 3);
  for (int32_t y = 0; y < px.height; ++y) {
    const uint8_t* src = px.Row(y);
    for (uint32_t x = 0; x < kWidth; ++x) {
      row[3 * x] = src[3 * x + kRed];
      row[3 * x + 1] = src[3 * x + kGreen];
      row[3 * x + 2] = src[3 * x + kBlue];
    }
    if (std::fwrite(row.data(), 1, row.size(), f.get()) != row.size()) return 1;
  }
  return 0;
}

ImageDoc& Photo() {
  static ImageDoc doc = MakePhoto();
  return doc;
}

void BM_JpegLoad(benchmark::State& state) {
  ShellNotifications shell;
  for (auto _ : state) {
    ImageDoc doc;
    doc.path = Input("photo.jpg");
    if (ReadJpegFile(shell, doc) == 0) state.SkipWithError("jpeg read failed");
  }
}

void BM_PngLoad(benchmark::State& state) {
  ShellNotifications shell;
  for (auto _ : state) {
    ImageDoc doc;
    if (ReadPngFile(shell, Input("photo.png"), doc) == 0) state.SkipWithError("png read failed");
  }
}

// The baseline: libpng's own simplified reader into an RGB buffer.
void BM_PngLibpng(benchmark::State& state) {
  for (auto _ : state) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, Input("photo.png").c_str())) {
      state.SkipWithError("libpng read failed");
      break;
    }
    image.format = PNG_FORMAT_BGR;
    std::vector<uint8_t> buffer(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr);
    benchmark::DoNotOptimize(buffer.data());
  }
}

void BM_GifLoad(benchmark::State& state) {
  ShellNotifications shell;
  for (auto _ : state) {
    ImageDoc doc;
    if (ReadGifFile(shell, Input("photo.gif"), doc) == 0) state.SkipWithError("gif read failed");
  }
}

void BM_Quantise(benchmark::State& state) {
  const PixelBuffer px = DocPixels(Photo());
  std::vector<uint8_t> indices(size_t{kWidth} * kHeight);
  for (auto _ : state) {
    auto palette = QuantiseImage(px, 256, indices.data());
    benchmark::DoNotOptimize(palette);
  }
}

void BM_CountColours(benchmark::State& state) {
  ShellNotifications shell;
  const PixelBuffer px = DocPixels(Photo());
  for (auto _ : state) benchmark::DoNotOptimize(CountDistinctColours(shell, px, 0));
}

BENCHMARK(BM_JpegLoad)->Name("jpeg-load")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngLoad)->Name("png-load")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngLibpng)->Name("png-libpng")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifLoad)->Name("gif-load")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Quantise)->Name("quantise")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountColours)->Name("count-colours")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veilo

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--make-inputs") == 0) return veilo::MakeInputs();
  // Keep freed picture blocks in the heap, as a viewer that goes on loading
  // pictures does: otherwise every iteration measures the kernel handing out
  // fresh pages for the 72 MB picture (about 260 ms on the development VM)
  // rather than the decoder. The in-process libpng baseline gets the same.
  // VEILO_BENCH_FRESH_MEMORY=1 measures with fresh pages for every load.
  if (std::getenv("VEILO_BENCH_FRESH_MEMORY") == nullptr) {
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
