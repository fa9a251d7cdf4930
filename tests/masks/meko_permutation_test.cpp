#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "masks/meko_mask.h"

namespace veilo {
namespace {

TEST(MekoOrderTable, IsAnArrangementOfAllBlockNumbersWithTheFixedHead) {
  const std::vector<uint16_t> head = {8292, 5874, 2770, 3615, 2609, 6094, 3560, 7233,
                                      2168, 4937, 6219, 6993, 2113, 6563, 2080, 3090};
  EXPECT_TRUE(std::equal(head.begin(), head.end(), MekoOrderTable.begin()));
  std::vector<uint16_t> sorted(MekoOrderTable.begin(), MekoOrderTable.end());
  std::sort(sorted.begin(), sorted.end());
  for (size_t i = 0; i < sorted.size(); ++i) ASSERT_EQ(sorted[i], i);
}

struct PermutationCase {
  int32_t n;
  std::vector<int32_t> q;  // blocks by ascending key
};

TEST(MekoPermutation, ReverseOrderIsQAndForwardOrderItsInverse) {
  const PermutationCase cases[] = {
      {1, {0}},
      {4, {2, 3, 1, 0}},        // a 32x32 area
      {6, {4, 2, 3, 1, 5, 0}},  // a 48x32 area
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MekoPermutation(c.n, 1), c.q) << "N=" << c.n;
    std::vector<int32_t> forward(c.q.size());
    for (size_t k = 0; k < c.q.size(); ++k) forward[static_cast<size_t>(c.q[k])] = static_cast<int32_t>(k);
    EXPECT_EQ(MekoPermutation(c.n, 0), forward) << "N=" << c.n;
  }
  EXPECT_EQ(MekoPermutation(4, 0), (std::vector<int32_t>{3, 2, 0, 1}));
}

TEST(MekoPermutation, TheTwoOrdersUndoEachOtherForEverySizeUpToTheLimit) {
  for (const int32_t n : {2, 3, 17, 96, 1000, 9215, 9216}) {
    const auto forward = MekoPermutation(n, 0);
    const auto reverse = MekoPermutation(n, 1);
    ASSERT_EQ(forward.size(), static_cast<size_t>(n));
    for (int32_t x = 0; x < n; ++x) ASSERT_EQ(reverse[static_cast<size_t>(forward[static_cast<size_t>(x)])], x) << "N=" << n;
  }
}

TEST(MekoPermutation, NothingBeyondTheTableOrForNoBlocks) {
  EXPECT_TRUE(MekoPermutation(0, 0).empty());
  EXPECT_TRUE(MekoPermutation(-3, 1).empty());
  EXPECT_TRUE(MekoPermutation(kMekoMaxBlocks + 1, 0).empty());
}

}  // namespace
}  // namespace veilo
