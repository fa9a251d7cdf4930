#include <gtest/gtest.h>

#include <algorithm>

#include "masks/cp_mask.h"

namespace veilo {
namespace {

TEST(CpLetterWeight, WeighsLettersOfEitherCaseAndNothingElse) {
  EXPECT_EQ(CpLetterWeight('A'), 16);
  EXPECT_EQ(CpLetterWeight('O'), 1);
  EXPECT_EQ(CpLetterWeight('Z'), 26);
  EXPECT_EQ(CpLetterWeight('q'), 25);
  EXPECT_EQ(CpLetterWeight('1'), 0);
  EXPECT_EQ(CpLetterWeight('@'), 0);
}

TEST(CpPermutation, MatchesTheWorkedExamples) {
  EXPECT_EQ(CpPermutation(4, "A"), (std::vector<int32_t>{0, 2, 1, 3}));
  EXPECT_EQ(CpPermutation(6, "AB"), (std::vector<int32_t>{3, 1, 5, 2, 4, 0}));
  EXPECT_EQ(CpPermutation(1, "Q"), (std::vector<int32_t>{0}));
}

TEST(CpPermutation, IsAPermutationForAnyCodeAndSize) {
  for (const char* code : {"A", "ZZ", "ABC", "QWERTYUIOPASDFGH"})
    for (const int32_t n : {2, 3, 7, 16, 100, 4097}) {
      auto r = CpPermutation(n, code);
      ASSERT_EQ(r.size(), static_cast<size_t>(n));
      std::sort(r.begin(), r.end());
      for (int32_t i = 0; i < n; ++i) ASSERT_EQ(r[static_cast<size_t>(i)], i) << code << " N=" << n;
    }
}

TEST(CpPermutation, RefusesCodesThatAreNotNormalised) {
  EXPECT_TRUE(CpPermutation(4, "").empty());
  EXPECT_TRUE(CpPermutation(4, "ab").empty());
  EXPECT_TRUE(CpPermutation(4, "A B").empty());
  EXPECT_TRUE(CpPermutation(4, "ABCDEFGHIJKLMNOPQ").empty());  // 17 letters
  EXPECT_TRUE(CpPermutation(0, "A").empty());
}

TEST(CpPermutation, DifferentCodesScrambleDifferently) {
  EXPECT_NE(CpPermutation(64, "ABC"), CpPermutation(64, "ACB"));
}

}  // namespace
}  // namespace veilo
