#include <gtest/gtest.h>

#include "block_grid_test_util.h"
#include "masks/block_grid.h"

namespace veilo {
namespace {

using testing::CopyPicture;
using testing::MakeNoiseDoc;
using testing::ReadBlocks;
using testing::SameOutside;

struct GridCase {
  PixelRect area;
  int32_t size;
  int32_t cols, rows;
};

TEST(BlockGrid, CountsOnlyWholeBlocksFromTheTopLeftCorner) {
  const GridCase cases[] = {
      {{3, 5, 43, 45}, 16, 2, 2},   // 40x40: 8-pixel strips right and below
      {{0, 0, 48, 32}, 16, 3, 2},
      {{0, 0, 15, 64}, 16, 0, 0},   // too narrow: no blocks at all
      {{0, 0, 64, 7}, 8, 0, 0},
      {{10, 10, 10, 30}, 8, 0, 0},  // empty
      {{10, 10, 2, 30}, 8, 0, 0},   // inverted corners
      {{0, 0, 64, 64}, 0, 0, 0},    // no block size
  };
  for (const GridCase& c : cases) {
    const BlockGrid g = MakeBlockGrid(c.area, c.size);
    EXPECT_EQ(g.cols, c.cols) << c.area.left << "," << c.area.top << " size " << c.size;
    EXPECT_EQ(g.rows, c.rows) << c.area.left << "," << c.area.top << " size " << c.size;
  }
  const BlockGrid g = MakeBlockGrid({3, 5, 43, 45}, 16);
  EXPECT_EQ(g.Region(), (PixelRect{3, 5, 35, 37}));
  EXPECT_EQ(g.BlockX(3), 19);
  EXPECT_EQ(g.BlockY(3), 21);
}

// Block sizes 8 and 16 take the word-sized row copies, 5 the general one; a
// width of 83 pixels gives padded rows, where addressing faults show.
TEST(MoveBlocks, SendsEveryBlockToItsTargetAndLeavesTheRestAlone) {
  // A 4-cycle, a 3-cycle, a 2-cycle and fixed blocks.
  const std::vector<int32_t> target = {1, 2, 3, 0, 5, 6, 4, 8, 7, 9, 10, 11};
  for (const int32_t size : {5, 8, 16})
    for (const bool invert : {false, true}) {
      ImageDoc doc = MakeNoiseDoc(83, 61);
      ImageDoc before = CopyPicture(doc);
      const BlockGrid g = MakeBlockGrid({1, 2, 1 + 4 * size + 3, 2 + 3 * size + 2}, size);  // 4x3, with strips
      ASSERT_EQ(g.Count(), 12);
      const auto old = ReadBlocks(doc, g);

      ASSERT_TRUE(MoveBlocks(DocPixels(doc), g, target, invert));
      const auto now = ReadBlocks(doc, g);
      for (size_t x = 0; x < target.size(); ++x) {
        const bool moved = target[x] != static_cast<int32_t>(x);
        EXPECT_EQ(now[static_cast<size_t>(target[x])], invert && moved ? testing::Inverted(old[x]) : old[x])
            << "size " << size << " block " << x;
      }
      EXPECT_TRUE(SameOutside(doc, before, g.Region())) << "size " << size;
    }
}

TEST(MoveBlocks, RefusesATargetListThatIsNotAPermutation) {
  ImageDoc doc = MakeNoiseDoc(32, 16);
  ImageDoc before = CopyPicture(doc);
  const BlockGrid g = MakeBlockGrid({0, 0, 32, 16}, 8);  // 4 blocks
  const std::vector<std::vector<int32_t>> bad = {
      {1, 0, 3},        // too short
      {1, 1, 3, 2},     // repeated target
      {1, 0, 3, 4},     // out of range
      {1, 0, 3, -1},
  };
  for (const auto& target : bad) EXPECT_FALSE(MoveBlocks(DocPixels(doc), g, target));
  EXPECT_EQ(testing::DescribePixelDifference(doc, before), "");
}

TEST(MoveBlocks, InverseTargetsRestoreThePicture) {
  ImageDoc doc = MakeNoiseDoc(70, 50, 7);
  ImageDoc before = CopyPicture(doc);
  const BlockGrid g = MakeBlockGrid({2, 1, 69, 49}, 16);  // 4x3
  const std::vector<int32_t> target = {5, 9, 0, 11, 3, 7, 1, 2, 10, 4, 8, 6};
  std::vector<int32_t> inverse(target.size());
  for (size_t i = 0; i < target.size(); ++i) inverse[static_cast<size_t>(target[i])] = static_cast<int32_t>(i);
  ASSERT_TRUE(MoveBlocks(DocPixels(doc), g, target));
  EXPECT_NE(testing::DescribePixelDifference(doc, before), "");
  ASSERT_TRUE(MoveBlocks(DocPixels(doc), g, inverse));
  EXPECT_EQ(testing::DescribePixelDifference(doc, before), "");
}

}  // namespace
}  // namespace veilo
