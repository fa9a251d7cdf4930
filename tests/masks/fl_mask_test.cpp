#include "masks/fl_mask.h"

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

// Checks that old block x now sits at target[x], inverted unless it stayed
// in place or inversion is off.
void ExpectFlOutcome(const std::vector<testing::BlockPixels>& old, const std::vector<testing::BlockPixels>& now,
                     const std::vector<int32_t>& target, bool invert) {
  ASSERT_EQ(now.size(), target.size());
  for (size_t x = 0; x < target.size(); ++x) {
    const bool moved = target[x] != static_cast<int32_t>(x);
    const auto expected = invert && moved ? Inverted(old[x]) : old[x];
    ASSERT_EQ(now[static_cast<size_t>(target[x])], expected) << "old block " << x;
  }
}

struct FlCase {
  const char* name;
  int32_t width, height;  // of the area, placed at (3, 2)
  int32_t invert;
  std::vector<int32_t> target;
};

class FlOutcome : public ::testing::TestWithParam<FlCase> {};

TEST_P(FlOutcome, ReversesTheSpiralAndInvertsWhatMoved) {
  const FlCase& c = GetParam();
  MaskFixture f;
  f.options.flInvert = c.invert;
  ImageDoc doc = MakeNoiseDoc(40, 36);
  ImageDoc before = CopyPicture(doc);
  const PixelRect area{3, 2, 3 + c.width, 2 + c.height};
  SelectArea(doc, area.left, area.top, area.right, area.bottom);
  const BlockGrid grid = MakeBlockGrid(area, kFlBlockSize);
  const auto old = ReadBlocks(doc, grid);

  FlLive(f.ctx, doc);

  ExpectFlOutcome(old, ReadBlocks(doc, grid), c.target, c.invert == 1);
  EXPECT_TRUE(SameOutside(doc, before, grid.Region()));
  ASSERT_EQ(doc.undoCount(), 1);
  MaskRecord expected = MakeRecord(kOpFl, area);
  expected.p[0] = 8;
  expected.p[1] = c.invert;
  EXPECT_EQ(doc.undoList[0], expected);
  EXPECT_EQ(f.shell.invalidated.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Areas, FlOutcome,
    ::testing::Values(
        // 3x3: 6<->4, 7<->3, 8<->0, 5<->1; block 2 is the middle and stays.
        FlCase{"ThreeByThree", 24, 24, 1, {8, 5, 2, 7, 6, 1, 4, 3, 0}},
        FlCase{"ThreeByThreeWithStrips", 29, 31, 1, {8, 5, 2, 7, 6, 1, 4, 3, 0}},
        FlCase{"ThreeByThreeNoInversion", 24, 24, 0, {8, 5, 2, 7, 6, 1, 4, 3, 0}},
        FlCase{"TwoBlocks", 16, 8, 1, {1, 0}},
        FlCase{"OneBlockStaysUninverted", 8, 8, 1, {0}}),
    [](const auto& tpi) { return std::string(tpi.param.name); });

TEST(FlMask, AreaWithoutAWholeBlockLogsNothing) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(40, 36);
  ImageDoc before = CopyPicture(doc);
  SelectArea(doc, 0, 0, 40, 7);
  FlLive(f.ctx, doc);
  EXPECT_TRUE(SameBytes(doc, before));
  EXPECT_EQ(doc.undoCount(), 0);
  EXPECT_TRUE(f.shell.invalidated.empty());
}

TEST(FlMask, TwiceOrUndoRestoresWithTheLoggedFlag) {
  const PixelRect areas[] = {{0, 0, 64, 64}, {3, 5, 58, 45}, {1, 1, 42, 10}, {7, 2, 16, 50}};
  for (const PixelRect& area : areas)
    for (const int32_t invert : {0, 1}) {
      MaskFixture f;
      f.options.flInvert = invert;
      ImageDoc doc = MakeNoiseDoc(61, 53, 4);
      ImageDoc before = CopyPicture(doc);
      SelectArea(doc, area.left, area.top, area.right, area.bottom);
      FlLive(f.ctx, doc);
      EXPECT_FALSE(SameBytes(doc, before));
      FlLive(f.ctx, doc);
      EXPECT_TRUE(SameBytes(doc, before)) << "twice, invert " << invert << " at " << area.left;

      FlLive(f.ctx, doc);
      f.options.flInvert = 1 - invert;  // Undo must not read the option
      Undo(f.ctx, doc);
      EXPECT_TRUE(SameBytes(doc, before)) << "undo, invert " << invert << " at " << area.left;
    }
}

// Records replayed with another block size take the same rule.
TEST(FlMask, OtherBlockSizesFollowTheSameRule) {
  for (const int32_t size : {5, 16}) {
    ImageDoc doc = MakeNoiseDoc(90, 70, 8);
    ImageDoc before = CopyPicture(doc);
    const PixelRect area{1, 2, 1 + 5 * size + 3, 2 + 3 * size + 1};
    const BlockGrid grid = MakeBlockGrid(area, size);
    const auto spiral = FlSpiral(grid.cols, grid.rows);  // 5x3: the middle block stays
    std::vector<int32_t> target(spiral.size());
    for (size_t i = 0; i < spiral.size(); ++i) target[static_cast<size_t>(spiral[i])] = spiral[spiral.size() - 1 - i];
    const auto old = ReadBlocks(doc, grid);
    ASSERT_EQ(ApplyFlMask(DocPixels(doc), area, size, true), BlockMaskResult::kApplied);
    ExpectFlOutcome(old, ReadBlocks(doc, grid), target, true);
    EXPECT_TRUE(SameOutside(doc, before, grid.Region()));
    ApplyFlMask(DocPixels(doc), area, size, true);
    EXPECT_TRUE(SameBytes(doc, before)) << "size " << size;
  }
}

// 182 by 182 blocks: beyond 16-bit block numbering, same rule.
TEST(FlMask, LargeGridsFollowTheSameRule) {
  MaskFixture f;
  ImageDoc doc = testing::MakeLargeNoiseDoc(1460, 1458, 2);
  ImageDoc before = CopyPicture(doc);
  const PixelRect area{2, 1, 2 + 1456, 1 + 1456};
  SelectArea(doc, area.left, area.top, area.right, area.bottom);
  const BlockGrid grid = MakeBlockGrid(area, kFlBlockSize);
  ASSERT_GT(grid.Count(), 32768);
  const auto spiral = FlSpiral(grid.cols, grid.rows);
  std::vector<int32_t> target(spiral.size());
  for (size_t i = 0; i < spiral.size(); ++i) target[static_cast<size_t>(spiral[i])] = spiral[spiral.size() - 1 - i];
  const auto old = ReadBlocks(doc, grid);

  FlLive(f.ctx, doc);
  ExpectFlOutcome(old, ReadBlocks(doc, grid), target, true);
  FlLive(f.ctx, doc);
  EXPECT_TRUE(SameBytes(doc, before));
}

}  // namespace
}  // namespace veilo
