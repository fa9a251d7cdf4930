#include "masks/flip_glass.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "mask_fixture.h"

namespace veilo {
namespace {

using testing::Copy;
using testing::MakeNoiseDoc;
using testing::MakePositionDoc;
using testing::MaskFixture;
using testing::PixelOf;
using testing::PositionColour;
using testing::SamePixels;
using testing::SelectArea;

// Where the pixel now at (x, y) must have come from after a glass mask.
std::pair<int32_t, int32_t> GlassSource(const PixelRect& r, int32_t box, bool vertical, int32_t x, int32_t y) {
  if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) return {x, y};
  const int32_t bx = r.left + (x - r.left) / box * box, w = std::min(box, r.right - bx);
  const int32_t by = r.top + (y - r.top) / box * box, h = std::min(box, r.bottom - by);
  if (vertical) return {bx + (bx + w - 1 - x), y};
  return {x, by + (by + h - 1 - y)};
}

struct GlassCase {
  PixelRect area;
  int32_t box;
};

class GlassTiling : public ::testing::TestWithParam<GlassCase> {};

TEST_P(GlassTiling, ReflectsEveryBoxByItselfAndUndoesItself) {
  const GlassCase& c = GetParam();
  for (bool vertical : {true, false}) {
    MaskFixture f;
    f.options.glassBoxSize = c.box;
    ImageDoc doc = MakePositionDoc(40, 30);
    ImageDoc original = Copy(doc);
    SelectArea(doc, c.area.left, c.area.top, c.area.right, c.area.bottom);
    GlassLive(f.ctx, doc, vertical);
    for (int32_t y = 0; y < 30; ++y)
      for (int32_t x = 0; x < 40; ++x) {
        const auto [sx, sy] = GlassSource(c.area, c.box, vertical, x, y);
        ASSERT_EQ(PixelOf(doc, x, y), PositionColour(sx, sy))
            << (vertical ? "vertical" : "horizontal") << " at " << x << "," << y;
      }
    ASSERT_EQ(doc.undoCount(), 1);
    EXPECT_EQ(doc.undoList[0].p[0], c.box);
    EXPECT_EQ(doc.undoList[0].p[1], vertical ? 1 : 0);
    ReplayGlass(f.ctx, doc, doc.undoList[0], Direction::kInverse);
    EXPECT_TRUE(SamePixels(doc, original));
  }
}

INSTANTIATE_TEST_SUITE_P(Areas, GlassTiling,
                         ::testing::Values(GlassCase{{3, 2, 23, 12}, 8},   // 20 wide: boxes 8, 8, 4; 10 high: 8, 2
                                           GlassCase{{0, 0, 40, 30}, 8},   // the whole picture
                                           GlassCase{{5, 5, 18, 16}, 3},   // 13 by 11, ragged both ways
                                           GlassCase{{1, 1, 39, 29}, 999},  // one box smaller than its size
                                           GlassCase{{7, 3, 8, 20}, 2}));  // one pixel wide

TEST(Glass, BoxSizeTwoOnAOnePixelWideAreaChangesNothingButIsLogged) {
  MaskFixture f;
  f.options.glassBoxSize = 2;
  ImageDoc doc = MakeNoiseDoc(6, 6);
  ImageDoc original = Copy(doc);
  SelectArea(doc, 2, 0, 3, 6);
  GlassLive(f.ctx, doc, true);
  EXPECT_TRUE(SamePixels(doc, original));
  EXPECT_EQ(doc.undoCount(), 1);
}

TEST(Glass, EmptyAreaRepaintsAndLogs) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(6, 6);
  SelectArea(doc, 2, 1, 2, 5);
  GlassLive(f.ctx, doc, false);
  EXPECT_EQ(doc.undoCount(), 1);
  EXPECT_EQ(f.shell.invalidated.size(), 1u);
}

TEST(Glass, ReplayUsesTheLoggedBoxSize) {
  MaskFixture f;
  f.options.glassBoxSize = 5;
  ImageDoc doc = MakeNoiseDoc(20, 20);
  ImageDoc original = Copy(doc);
  SelectArea(doc, 1, 1, 18, 19);
  GlassLive(f.ctx, doc, true);
  f.options.glassBoxSize = 8;
  ReplayGlass(f.ctx, doc, doc.undoList[0], Direction::kInverse);
  EXPECT_TRUE(SamePixels(doc, original));
}

TEST(Flip, LeftRightReversesARowOfFive) {
  MaskFixture f;
  ImageDoc doc = MakePositionDoc(7, 2);
  SelectArea(doc, 1, 0, 6, 1);
  FlipLive(f.ctx, doc, true);
  for (int32_t k = 0; k < 5; ++k) EXPECT_EQ(PixelOf(doc, 1 + k, 0), PositionColour(5 - k, 0));
  EXPECT_EQ(PixelOf(doc, 0, 0), PositionColour(0, 0));
  EXPECT_EQ(PixelOf(doc, 6, 0), PositionColour(6, 0));
  EXPECT_EQ(PixelOf(doc, 3, 1), PositionColour(3, 1));
  EXPECT_EQ(doc.undoList[0].p[0], 1);
}

TEST(Flip, TopBottomReversesTheRowsOfTheAreaOnly) {
  MaskFixture f;
  ImageDoc doc = MakePositionDoc(6, 7);
  SelectArea(doc, 4, 6, 1, 1);
  FlipLive(f.ctx, doc, false);
  for (int32_t y = 0; y < 7; ++y)
    for (int32_t x = 0; x < 6; ++x) {
      const bool inside = x >= 1 && x < 4 && y >= 1 && y < 6;
      EXPECT_EQ(PixelOf(doc, x, y), PositionColour(x, inside ? 6 - y : y)) << x << "," << y;
    }
  EXPECT_EQ(doc.undoList[0].p[0], 0);
  EXPECT_EQ((PixelRect{doc.undoList[0].left, doc.undoList[0].top, doc.undoList[0].right,
                       doc.undoList[0].bottom}),
            (PixelRect{1, 1, 4, 6}));
}

TEST(Flip, EachDirectionUndoesItselfOnOddAreas) {
  for (bool leftRight : {true, false}) {
    for (const PixelRect& r : {PixelRect{0, 0, 33, 17}, PixelRect{3, 4, 4, 5}, PixelRect{2, 1, 31, 16}}) {
      MaskFixture f;
      ImageDoc doc = MakeNoiseDoc(33, 17);
      ImageDoc original = Copy(doc);
      SelectArea(doc, r.left, r.top, r.right, r.bottom);
      FlipLive(f.ctx, doc, leftRight);
      ReplayFlip(f.ctx, doc, doc.undoList[0], Direction::kInverse);
      EXPECT_TRUE(SamePixels(doc, original));
    }
  }
}

}  // namespace
}  // namespace veilo
