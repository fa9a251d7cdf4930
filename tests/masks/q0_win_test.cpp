#include <gtest/gtest.h>

#include "mask_fixture.h"
#include "masks/colour_masks.h"
#include "masks/q0_mask.h"
#include "masks/win_mask.h"

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

void SetQ0Flags(MaskOptions& o, int flags) {
  o.q0VerticalGlass = (flags >> 0) & 1;
  o.q0HorizontalGlass = (flags >> 1) & 1;
  o.q0NegPos = (flags >> 2) & 1;
  o.q0LeftRight = (flags >> 3) & 1;
  o.q0UpDown = (flags >> 4) & 1;
  o.q0Xor = (flags >> 5) & 1;
}

TEST(Q0, NegPosAloneIsTheNegativeMaskLoggedAsQ0) {
  MaskFixture f;
  SetQ0Flags(f.options, 0b000100);
  f.options.rgbNegChannels = 3;
  f.options.rgbXorChannels = 6;
  f.options.glassBoxSize = 7;
  ImageDoc doc = MakeNoiseDoc(12, 9);
  ImageDoc expected = Copy(doc);
  NegateArea(DocPixels(expected), {2, 1, 11, 8}, 3);
  SelectArea(doc, 2, 1, 11, 8);
  Q0Live(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, expected));
  ASSERT_EQ(doc.undoCount(), 1);
  MaskRecord rec = MakeRecord(kOpQ0, {2, 1, 11, 8});
  rec.p = {7, 0, 0, 1, 0, 0, 0, 3, 6};
  EXPECT_EQ(doc.undoList[0], rec);
}

// Every one of the 64 step combinations on an area whose sides are not
// multiples of the box: Undo gives the original back and Redo gives exactly
// what the live mask gave.
TEST(Q0, UndoRestoresAndRedoRepeatsEveryCombination) {
  for (int flags = 0; flags < 64; ++flags) {
    MaskFixture f;
    SetQ0Flags(f.options, flags);
    f.options.glassBoxSize = 4;
    f.options.rgbNegChannels = 5;
    f.options.rgbXorChannels = 3;
    ImageDoc doc = MakeNoiseDoc(20, 16, static_cast<uint32_t>(flags));
    ImageDoc original = Copy(doc);
    SelectArea(doc, 1, 2, 14, 13);
    Q0Live(f.ctx, doc);
    ImageDoc masked = Copy(doc);
    MaskRecord rec = doc.undoList[0];
    ReplayQ0(f.ctx, doc, rec, Direction::kInverse);
    EXPECT_TRUE(SamePixels(doc, original)) << "flags " << flags;
    ReplayQ0(f.ctx, doc, rec, Direction::kForward);
    EXPECT_TRUE(SamePixels(doc, masked)) << "flags " << flags;
  }
}

TEST(Q0, LeftRightWithHorizontalGlassOnWholeBoxesUndoesItself) {
  MaskFixture f;
  SetQ0Flags(f.options, 0b001010);
  f.options.glassBoxSize = 4;
  ImageDoc doc = MakeNoiseDoc(20, 10);
  ImageDoc original = Copy(doc);
  SelectArea(doc, 2, 1, 18, 9);  // 16 wide
  Q0Live(f.ctx, doc);
  Q0Live(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, original));
}

TEST(Q0, VerticalGlassStepFlipsEachBoxTopToBottom) {
  MaskFixture f;
  SetQ0Flags(f.options, 0b000001);
  f.options.glassBoxSize = 3;
  ImageDoc doc = MakePositionDoc(6, 6);
  SelectArea(doc, 0, 0, 6, 6);
  Q0Live(f.ctx, doc);
  EXPECT_EQ(PixelOf(doc, 4, 0), PositionColour(4, 2));
  EXPECT_EQ(PixelOf(doc, 4, 3), PositionColour(4, 5));
}

TEST(Win, PermutesWholeStripsAndLeavesTheRestAlone) {
  MaskFixture f;
  ImageDoc doc = MakePositionDoc(46, 4);
  SelectArea(doc, 3, 1, 43, 3);  // 40 wide: two strips and 8 columns left over
  WinLive(f.ctx, doc);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 46; ++x) {
      int32_t source = x;
      if (y >= 1 && y < 3 && x >= 3 && x < 35) {
        const int32_t strip = (x - 3) / 16, q = (x - 3) % 16;
        source = 3 + 16 * strip + WinColumnPairs[static_cast<size_t>(q)];  // pairs: own inverse
      }
      ASSERT_EQ(PixelOf(doc, x, y), PositionColour(source, y)) << x << "," << y;
    }
  EXPECT_EQ(PixelOf(doc, 3, 1), PositionColour(15, 1));  // columns 0 and 12 exchange
  EXPECT_EQ(doc.undoList[0], MakeRecord(kOpWin, {3, 1, 43, 3}));
}

TEST(Win, PairsAreTheirOwnInverse) {
  for (int32_t q = 0; q < 16; ++q)
    EXPECT_EQ(WinColumnPairs[static_cast<size_t>(WinColumnPairs[static_cast<size_t>(q)])], q);
}

TEST(Win, AppliedTwiceRestores) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(70, 9);
  ImageDoc original = Copy(doc);
  SelectArea(doc, 5, 0, 70, 9);
  WinLive(f.ctx, doc);
  ReplayWin(f.ctx, doc, doc.undoList[0], Direction::kInverse);
  EXPECT_TRUE(SamePixels(doc, original));
}

TEST(Win, NarrowerThanAStripChangesNothingButRepaintsAndLogs) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(20, 5);
  ImageDoc original = Copy(doc);
  SelectArea(doc, 0, 0, 15, 5);
  WinLive(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, original));
  EXPECT_EQ(doc.undoCount(), 1);
  EXPECT_EQ(f.shell.invalidated.size(), 1u);
}

}  // namespace
}  // namespace veilo
