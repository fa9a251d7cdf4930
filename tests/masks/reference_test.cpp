// Every pixel-moving helper against a plain per-pixel model, on areas with
// and without whole 16-pixel blocks, with the byte-shuffle kernels on and off.
#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "mask_fixture.h"
#include "masks/colour_masks.h"
#include "masks/flip_glass.h"
#include "masks/pixel_shuffle.h"
#include "masks/rotation.h"
#include "masks/win_mask.h"

namespace veilo {
namespace {

using testing::Copy;
using testing::MakeNoiseDoc;
using testing::PixelOf;
using testing::Rgb;
using testing::SamePixels;
using testing::SetPixel;

// Expected picture: pixel (x, y) is expect(original, x, y).
using Model = std::function<Rgb(ImageDoc& original, int32_t x, int32_t y)>;

ImageDoc Expected(ImageDoc& original, int32_t width, int32_t height, const Model& expect) {
  ImageDoc out = testing::MakeDoc(width, height, [](int32_t, int32_t) { return Rgb{}; });
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) SetPixel(out, x, y, expect(original, x, y));
  return out;
}

bool Inside(const PixelRect& r, int32_t x, int32_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

class BothPaths : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { DisableByteShuffleForTesting(GetParam()); }
  void TearDown() override { DisableByteShuffleForTesting(false); }
};

INSTANTIATE_TEST_SUITE_P(Kernels, BothPaths, ::testing::Values(false, true),
                         [](const auto& tpi) { return std::string(tpi.param ? "Plain" : "Shuffled"); });

const PixelRect kAreas[] = {
    {0, 0, 150, 41},  // the whole picture: rows end at the block end
    {3, 2, 147, 39},  // 144 wide: nine whole blocks
    {5, 1, 150, 40},  // 145 wide: one pixel after the blocks
    {1, 0, 32, 41},   // under two blocks
    {7, 3, 8, 5},     // one pixel wide
};

TEST_P(BothPaths, ExchangeMatchesTheModel) {
  const int from[4][2][3] = {{{1, 2, 0}, {2, 0, 1}}, {{0, 2, 1}, {0, 2, 1}}, {{1, 0, 2}, {1, 0, 2}},
                             {{2, 1, 0}, {2, 1, 0}}};
  for (const PixelRect& r : kAreas)
    for (int mode = 0; mode < 4; ++mode)
      for (int dir = 0; dir < 2; ++dir) {
        ImageDoc doc = MakeNoiseDoc(150, 41, static_cast<uint32_t>(mode));
        ImageDoc original = Copy(doc);
        ExchangeArea(DocPixels(doc), r, mode, dir);
        ImageDoc expected = Expected(original, 150, 41, [&](ImageDoc& o, int32_t x, int32_t y) {
          const Rgb p = PixelOf(o, x, y);
          if (!Inside(r, x, y)) return p;
          const uint8_t bytes[3] = {p.b, p.g, p.r};
          const int* f = from[mode][dir];
          return Rgb{bytes[f[2]], bytes[f[1]], bytes[f[0]]};
        });
        EXPECT_TRUE(SamePixels(doc, expected)) << "mode " << mode << " dir " << dir << " width " << r.Width();
      }
}

TEST_P(BothPaths, MirrorMatchesTheModel) {
  for (const PixelRect& r : kAreas) {
    ImageDoc doc = MakeNoiseDoc(150, 41);
    ImageDoc original = Copy(doc);
    MirrorArea(DocPixels(doc), r);
    ImageDoc expected = Expected(original, 150, 41, [&](ImageDoc& o, int32_t x, int32_t y) {
      return PixelOf(o, Inside(r, x, y) ? r.left + r.right - 1 - x : x, y);
    });
    EXPECT_TRUE(SamePixels(doc, expected)) << "width " << r.Width();
  }
}

TEST_P(BothPaths, VerticalGlassMatchesTheModelForEveryKindOfBox) {
  for (const PixelRect& r : kAreas)
    for (int32_t box : {1, 2, 3, 4, 5, 8, 16, 17, 32, 40, 999}) {
      ImageDoc doc = MakeNoiseDoc(150, 41);
      ImageDoc original = Copy(doc);
      GlassArea(DocPixels(doc), r, box, true);
      ImageDoc expected = Expected(original, 150, 41, [&](ImageDoc& o, int32_t x, int32_t y) {
        if (!Inside(r, x, y)) return PixelOf(o, x, y);
        const int32_t start = r.left + (x - r.left) / box * box, w = std::min(box, r.right - start);
        return PixelOf(o, 2 * start + w - 1 - x, y);
      });
      EXPECT_TRUE(SamePixels(doc, expected)) << "box " << box << " width " << r.Width();
    }
}

TEST_P(BothPaths, WinMatchesTheModel) {
  for (const PixelRect& r : kAreas) {
    ImageDoc doc = MakeNoiseDoc(150, 41);
    ImageDoc original = Copy(doc);
    WinArea(DocPixels(doc), r);
    const int32_t stripsEnd = r.left + r.Width() / 16 * 16;
    ImageDoc expected = Expected(original, 150, 41, [&](ImageDoc& o, int32_t x, int32_t y) {
      if (!Inside(r, x, y) || x >= stripsEnd) return PixelOf(o, x, y);
      const int32_t start = r.left + (x - r.left) / 16 * 16;
      return PixelOf(o, start + WinColumnPairs[static_cast<size_t>(x - start)], y);
    });
    EXPECT_TRUE(SamePixels(doc, expected)) << "width " << r.Width();
  }
}

TEST_P(BothPaths, TurnsMatchTheModel) {
  const std::pair<int32_t, int32_t> sizes[] = {{3, 2}, {2, 3}, {3, 3}, {64, 64}, {65, 65}, {130, 130},
                                               {131, 131}, {70, 101}, {1, 50}, {50, 1}, {150, 41}};
  for (const auto& [w, h] : sizes)
    for (int32_t turn : {kTurn90, kTurn180, kTurn270}) {
      ImageDoc doc = MakeNoiseDoc(w, h, static_cast<uint32_t>(w + h));
      ImageDoc original = Copy(doc);
      ASSERT_TRUE(TurnPicture(doc, turn));
      const bool quarter = turn != kTurn180;
      ImageDoc expected =
          Expected(original, quarter ? h : w, quarter ? w : h, [&](ImageDoc& o, int32_t x, int32_t y) {
            if (turn == kTurn90) return PixelOf(o, y, h - 1 - x);  // (x, y) came from (y, H - 1 - x)
            if (turn == kTurn270) return PixelOf(o, w - 1 - y, x);
            return PixelOf(o, w - 1 - x, h - 1 - y);
          });
      EXPECT_TRUE(SamePixels(doc, expected)) << w << "x" << h << " turn " << turn;
    }
}

}  // namespace
}  // namespace veilo
