#include <gtest/gtest.h>

#include <algorithm>

#include "masks/fl_mask.h"

namespace veilo {
namespace {

struct SpiralCase {
  int32_t cols, rows;
  std::vector<int32_t> spiral;
};

TEST(FlSpiral, RunsRingByRingFromTheBottomLeftCorner) {
  const SpiralCase cases[] = {
      {3, 3, {6, 7, 8, 5, 2, 1, 0, 3, 4}},
      {2, 1, {0, 1}},
      {1, 3, {2, 1, 0}},
      {3, 1, {0, 1, 2}},
      {3, 2, {3, 4, 5, 2, 1, 0}},
      {4, 4, {12, 13, 14, 15, 11, 7, 3, 2, 1, 0, 4, 8, 9, 10, 6, 5}},
      {2, 4, {6, 7, 5, 3, 1, 0, 2, 4}},
      {5, 3, {10, 11, 12, 13, 14, 9, 4, 3, 2, 1, 0, 5, 6, 7, 8}},
  };
  for (const auto& c : cases) EXPECT_EQ(FlSpiral(c.cols, c.rows), c.spiral) << c.cols << "x" << c.rows;
  EXPECT_TRUE(FlSpiral(0, 5).empty());
}

// Thin and wide grids end in one-row or one-column rings, where a careless
// walk lists blocks twice.
TEST(FlSpiral, ListsEveryBlockExactlyOnce) {
  for (const auto& [cols, rows] : std::vector<std::pair<int32_t, int32_t>>{
           {1, 1}, {7, 2}, {2, 7}, {9, 5}, {5, 9}, {6, 6}, {11, 4}, {1, 200}, {250, 251}}) {
    auto s = FlSpiral(cols, rows);
    ASSERT_EQ(s.size(), static_cast<size_t>(cols * rows));
    std::sort(s.begin(), s.end());
    for (size_t i = 0; i < s.size(); ++i) ASSERT_EQ(s[i], static_cast<int32_t>(i)) << cols << "x" << rows;
  }
}

}  // namespace
}  // namespace veilo
