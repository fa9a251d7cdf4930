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

// The rule exactly as it reads: one step at a time past taken entries.
std::vector<int32_t> StepByStepPermutation(int32_t n, std::string_view code) {
  const auto len = static_cast<int32_t>(code.size());
  std::vector<int32_t> r(static_cast<size_t>(n), -1);
  const int32_t base = len + n % len;
  int64_t pos = n - 1;
  for (int32_t i = 0; i < n; ++i) {
    pos = pos + base + CpLetterWeight(code[static_cast<size_t>(i % len)]) + i;
    if (pos >= n) pos %= n;
    while (r[static_cast<size_t>(pos)] != -1) pos = i % 2 != 0 ? (pos == 0 ? n - 1 : pos - 1) : (pos == n - 1 ? 0 : pos + 1);
    r[static_cast<size_t>(pos)] = i;
  }
  return r;
}

// The long runs of taken entries late in the fill, and the wrap at both
// ends, are where a faster search could part from the rule.
TEST(CpPermutation, AgreesWithTheStepByStepRule) {
  for (const char* code : {"A", "OO", "QZ", "PATTERN", "ABCDEFGHIJKLMNOP"})
    for (const int32_t n : {2, 5, 63, 64, 65, 127, 4095, 4096, 4097, 20000, 70001})
      ASSERT_EQ(CpPermutation(n, code), StepByStepPermutation(n, code)) << code << " N=" << n;
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
