#include "masks/meko_mask.h"

#include <gtest/gtest.h>

#include "block_grid_test_util.h"
#include "mask_fixture.h"

namespace veilo {
namespace {

using testing::CopyPicture;
using testing::Inverted;
using testing::MakeNoiseDoc;
using testing::MaskFixture;
using testing::ReadBlocks;
using testing::SameBytes;
using testing::SameOutside;
using testing::SelectArea;

struct MekoCase {
  const char* name;
  int32_t width, height;  // of the area, placed at (5, 3)
  int32_t order;
  std::vector<int32_t> target;  // where each old block ends up
};

class MekoOutcome : public ::testing::TestWithParam<MekoCase> {};

TEST_P(MekoOutcome, MovesEveryBlockToItsPositionAndInvertsIt) {
  const MekoCase& c = GetParam();
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(60, 50);
  ImageDoc before = CopyPicture(doc);
  const PixelRect area{5, 3, 5 + c.width, 3 + c.height};
  SelectArea(doc, area.right, area.bottom, area.left, area.top);  // drawn from the bottom right
  const BlockGrid grid = MakeBlockGrid(area, kMekoBlockSize);
  const auto old = ReadBlocks(doc, grid);

  MekoLive(f.ctx, doc, c.order);

  const auto now = ReadBlocks(doc, grid);
  ASSERT_EQ(now.size(), c.target.size());
  for (size_t x = 0; x < c.target.size(); ++x)
    EXPECT_EQ(now[static_cast<size_t>(c.target[x])], Inverted(old[x])) << "old block " << x;
  EXPECT_TRUE(SameOutside(doc, before, grid.Region())) << "pixels outside the blocks changed";

  ASSERT_EQ(doc.undoCount(), 1);
  MaskRecord expected = MakeRecord(kOpMeko, area);
  expected.p[0] = 16;
  expected.p[1] = 1;
  expected.p[2] = c.order;
  EXPECT_EQ(doc.undoList[0], expected);
  EXPECT_EQ(f.shell.invalidated.size(), 1u);
  EXPECT_TRUE(f.shell.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Areas, MekoOutcome,
    ::testing::Values(MekoCase{"Forward32x32", 32, 32, 0, {3, 2, 0, 1}},
                      MekoCase{"Reverse32x32", 32, 32, 1, {2, 3, 1, 0}},
                      MekoCase{"Forward48x32", 48, 32, 0, {5, 3, 1, 2, 0, 4}},
                      MekoCase{"Reverse48x32", 48, 32, 1, {4, 2, 3, 1, 5, 0}},
                      MekoCase{"StripsOf40x40Untouched", 40, 40, 0, {3, 2, 0, 1}},
                      MekoCase{"OneBlockStaysButIsInverted", 16, 16, 1, {0}}),
    [](const auto& tpi) { return std::string(tpi.param.name); });

TEST(MekoMask, AreaWithoutAWholeBlockIsLeftAloneSilently) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(60, 50);
  ImageDoc before = CopyPicture(doc);
  SelectArea(doc, 0, 0, 15, 40);
  MekoLive(f.ctx, doc, 0);
  EXPECT_TRUE(SameBytes(doc, before));
  EXPECT_EQ(doc.undoCount(), 0);
  EXPECT_TRUE(f.shell.invalidated.empty());
  EXPECT_TRUE(f.shell.errors.empty());
}

// Areas whose sides are not multiples of 16, at odd offsets.
const PixelRect kRestoreAreas[] = {{0, 0, 64, 64}, {3, 7, 58, 45}, {1, 2, 49, 19}, {10, 0, 27, 50}};

TEST(MekoMask, EachOrderUndoesTheOther) {
  for (const PixelRect& area : kRestoreAreas) {
    MaskFixture f;
    ImageDoc doc = MakeNoiseDoc(61, 53, 3);
    ImageDoc before = CopyPicture(doc);
    SelectArea(doc, area.left, area.top, area.right, area.bottom);
    for (const int32_t first : {0, 1}) {
      MekoLive(f.ctx, doc, first);
      EXPECT_FALSE(SameBytes(doc, before));
      MekoLive(f.ctx, doc, 1 - first);
      EXPECT_TRUE(SameBytes(doc, before)) << area.left << "," << area.top << " order " << first;
    }
  }
}

TEST(MekoMask, UndoUsesTheLoggedAreaAndRedoMasksAgain) {
  for (const PixelRect& area : kRestoreAreas) {
    for (const int32_t order : {0, 1}) {
      MaskFixture f;
      ImageDoc doc = MakeNoiseDoc(61, 53, 5);
      ImageDoc before = CopyPicture(doc);
      SelectArea(doc, area.left, area.top, area.right, area.bottom);
      MekoLive(f.ctx, doc, order);
      ImageDoc masked = CopyPicture(doc);
      SelectArea(doc, 0, 0, 5, 5);  // the selection moves on
      Undo(f.ctx, doc);
      EXPECT_TRUE(SameBytes(doc, before)) << area.left << "," << area.top << " order " << order;
      Redo(f.ctx, doc);
      EXPECT_TRUE(SameBytes(doc, masked)) << area.left << "," << area.top << " order " << order;
    }
  }
}

TEST(MekoMask, TheLargestAreaIsMaskedAndOneMoreBlockRowIsRefused) {
  MaskFixture f;
  ImageDoc doc = testing::MakeLargeNoiseDoc(1540, 1556, 9);
  ImageDoc before = CopyPicture(doc);

  SelectArea(doc, 2, 1, 2 + 1536, 1 + 1552);  // 96 by 97 blocks
  MekoLive(f.ctx, doc, 0);
  ASSERT_EQ(f.shell.errors.size(), 1u);
  EXPECT_EQ(f.shell.errors[0], "範囲が多き過ぎて本バージョン\rのメコマスクは実行できません");
  EXPECT_TRUE(SameBytes(doc, before));
  EXPECT_EQ(doc.undoCount(), 0);
  EXPECT_TRUE(f.shell.invalidated.empty());

  SelectArea(doc, 2, 1, 2 + 1536, 1 + 1536);  // 9216 blocks
  MekoLive(f.ctx, doc, 0);
  EXPECT_EQ(f.shell.errors.size(), 1u);
  EXPECT_EQ(doc.undoCount(), 1);
  EXPECT_FALSE(SameBytes(doc, before));
  Undo(f.ctx, doc);
  EXPECT_TRUE(SameBytes(doc, before));
}

TEST(MekoMask, MacroStepOnTooLargeASelectionIsRefusedAndNotLogged) {
  MaskFixture f;
  ImageDoc doc = testing::MakeLargeNoiseDoc(1540, 1556, 9);
  ImageDoc before = CopyPicture(doc);
  MaskRecord rec = MakeRecord(kOpMeko, {0, 0, 32, 32});
  rec.p[0] = 16;
  rec.p[1] = 1;
  f.macro.running = 1;

  SelectArea(doc, 0, 0, 1536, 1552);
  ReplayMeko(f.ctx, doc, rec, Direction::kForward);
  EXPECT_EQ(f.shell.errors.size(), 1u);
  EXPECT_TRUE(SameBytes(doc, before));
  EXPECT_EQ(doc.undoCount(), 0);

  SelectArea(doc, 40, 30, 8, 62);  // 32x32, drawn right to left
  ReplayMeko(f.ctx, doc, rec, Direction::kForward);
  ASSERT_EQ(doc.undoCount(), 1);
  EXPECT_EQ(doc.undoList[0].left, 8);
  EXPECT_EQ(doc.undoList[0].right, 40);
  EXPECT_FALSE(SameBytes(doc, before));
}

TEST(MekoMask, ReplayWithoutColourReversalOnlyMovesBlocks) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(40, 40);
  const BlockGrid grid = MakeBlockGrid({0, 0, 32, 32}, 16);
  const auto old = ReadBlocks(doc, grid);
  MaskRecord rec = MakeRecord(kOpMeko, {0, 0, 32, 32});
  rec.p[0] = 16;
  rec.p[1] = 0;
  rec.p[2] = 1;
  ReplayMeko(f.ctx, doc, rec, Direction::kInverse);  // undone: forward order
  const auto now = ReadBlocks(doc, grid);
  const std::vector<int32_t> forward = {3, 2, 0, 1};
  for (size_t x = 0; x < 4; ++x) EXPECT_EQ(now[static_cast<size_t>(forward[x])], old[x]);
  EXPECT_EQ(doc.undoCount(), 0);  // Undo and Redo move records themselves
  EXPECT_EQ(f.shell.invalidated.size(), 1u);
}

}  // namespace
}  // namespace veilo
