// The block masks (Meko, FL, CP) against a plain pixel-by-pixel model of
// their rules, on random pictures and areas (odd sizes, areas that are not a
// whole number of blocks, padded rows), with the byte-shuffle kernels on and
// off. The block orders come from MekoPermutation, FlSpiral and
// CpPermutation, which have tests of their own; what is checked here is
// where every pixel ends up and in which colour.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "block_grid_test_util.h"
#include "mask_fixture.h"
#include "masks/cp_mask.h"
#include "masks/fl_mask.h"
#include "masks/meko_mask.h"
#include "masks/pixel_shuffle.h"
#include "masks/two_threads.h"

namespace veilo {
namespace {

using testing::Copy;
using testing::MakeNoiseDoc;
using testing::PixelOf;
using testing::Rgb;
using testing::SamePixels;
using testing::SetPixel;

Rgb Inverted(Rgb c) { return {static_cast<uint8_t>(~c.r), static_cast<uint8_t>(~c.g), static_cast<uint8_t>(~c.b)}; }

// Copies block `from` of the original onto block `to` of out; transposed
// takes the old (row x, column y) for (row y, column x).
void PutBlock(ImageDoc& out, ImageDoc& original, const BlockGrid& g, int64_t from, int64_t to, bool transposed,
              bool invert) {
  for (int32_t y = 0; y < g.size; ++y)
    for (int32_t x = 0; x < g.size; ++x) {
      const Rgb c = transposed ? PixelOf(original, g.BlockX(from) + y, g.BlockY(from) + x)
                               : PixelOf(original, g.BlockX(from) + x, g.BlockY(from) + y);
      SetPixel(out, g.BlockX(to) + x, g.BlockY(to) + y, invert ? Inverted(c) : c);
    }
}

ImageDoc ExpectedMeko(ImageDoc& original, const PixelRect& area, int32_t order, bool invert) {
  ImageDoc out = Copy(original);
  const BlockGrid g = MakeBlockGrid(area, kMekoBlockSize);
  const auto target = MekoPermutation(static_cast<int32_t>(g.Count()), order);
  for (int64_t x = 0; x < g.Count(); ++x) PutBlock(out, original, g, x, target[static_cast<size_t>(x)], false, invert);
  return out;
}

ImageDoc ExpectedFl(ImageDoc& original, const PixelRect& area, bool invert) {
  ImageDoc out = Copy(original);
  const BlockGrid g = MakeBlockGrid(area, kFlBlockSize);
  const auto s = FlSpiral(g.cols, g.rows);
  for (size_t i = 0; i < s.size(); ++i) {
    const int32_t from = s[i], to = s[s.size() - 1 - i];
    PutBlock(out, original, g, from, to, false, invert && from != to);
  }
  return out;
}

ImageDoc ExpectedCp(ImageDoc& original, const PixelRect& area, const std::string& code) {
  ImageDoc out = Copy(original);
  const BlockGrid g = MakeBlockGrid(area, kCpBlockSize);
  const auto n = static_cast<int32_t>(g.Count());
  const auto r = CpPermutation(n, code);
  for (int32_t j = 0; j <= n - 1 - j; ++j) {
    const int32_t a = r[static_cast<size_t>(n - 1 - j)], b = r[static_cast<size_t>(j)];
    const bool transpose = (a % 2) != (b % 2);
    PutBlock(out, original, g, a, b, transpose, true);
    PutBlock(out, original, g, b, a, transpose, true);
  }
  for (int32_t y = area.top; y < area.bottom; ++y)
    for (int32_t x = area.left; x < area.right; ++x) {
      const Rgb c = PixelOf(out, x, y);
      SetPixel(out, x, y, {c.g, c.r, c.b});
    }
  return out;
}

// The ways the masks can run: with the byte-shuffle kernels or the plain
// loops, on one thread or (however small the area) on two.
enum class Kernels { kShuffled, kPlain, kTwoThreads };

class BlockMasks : public ::testing::TestWithParam<Kernels> {
 protected:
  void SetUp() override {
    DisableByteShuffleForTesting(GetParam() == Kernels::kPlain);
    SetSecondThreadMinimumForTesting(GetParam() == Kernels::kTwoThreads ? 0 : INT64_MAX);
  }
  void TearDown() override {
    DisableByteShuffleForTesting(false);
    SetSecondThreadMinimumForTesting(-1);
  }
};

INSTANTIATE_TEST_SUITE_P(Kernels, BlockMasks,
                         ::testing::Values(Kernels::kShuffled, Kernels::kPlain, Kernels::kTwoThreads),
                         [](const auto& tpi) {
                           switch (tpi.param) {
                             case Kernels::kShuffled: return std::string("Shuffled");
                             case Kernels::kPlain: return std::string("Plain");
                             case Kernels::kTwoThreads: return std::string("TwoThreads");
                           }
                           return std::string();
                         });

// A random area of a random picture: sizes up to a few blocks each way
// beyond a whole number, anywhere in the picture, sometimes the whole of it.
struct Trial {
  int32_t width, height;
  PixelRect area;
};
Trial RandomTrial(std::mt19937& rng, int32_t blockSize) {
  auto upTo = [&](int32_t n) { return static_cast<int32_t>(rng() % static_cast<uint32_t>(n + 1)); };
  Trial t;
  t.width = blockSize + upTo(7 * blockSize);
  t.height = blockSize + upTo(6 * blockSize);
  const int32_t w = blockSize + upTo(t.width - blockSize), h = blockSize + upTo(t.height - blockSize);
  const int32_t left = upTo(t.width - w), top = upTo(t.height - h);
  t.area = {left, top, left + w, top + h};
  return t;
}

std::string Describe(const Trial& t) {
  return std::to_string(t.width) + "x" + std::to_string(t.height) + " area " + std::to_string(t.area.left) + "," +
         std::to_string(t.area.top) + " " + std::to_string(t.area.Width()) + "x" + std::to_string(t.area.Height());
}

TEST_P(BlockMasks, MekoMatchesTheModelInBothOrders) {
  std::mt19937 rng(16);
  for (int i = 0; i < 24; ++i) {
    const Trial t = RandomTrial(rng, kMekoBlockSize);
    const int32_t order = i % 2;
    const bool invert = i % 3 != 2;
    ImageDoc doc = MakeNoiseDoc(t.width, t.height, static_cast<uint32_t>(i));
    ImageDoc original = Copy(doc);
    ASSERT_EQ(ApplyMekoMask(DocPixels(doc), t.area, kMekoBlockSize, order, invert), BlockMaskResult::kApplied);
    ImageDoc expected = ExpectedMeko(original, t.area, order, invert);
    EXPECT_TRUE(SamePixels(doc, expected)) << Describe(t) << " order " << order << " invert " << invert;
  }
}

TEST_P(BlockMasks, FlMatchesTheModelWithAndWithoutColourReversal) {
  std::mt19937 rng(8);
  for (int i = 0; i < 24; ++i) {
    const Trial t = RandomTrial(rng, kFlBlockSize);
    const bool invert = i % 2 == 0;
    ImageDoc doc = MakeNoiseDoc(t.width, t.height, static_cast<uint32_t>(i));
    ImageDoc original = Copy(doc);
    ASSERT_EQ(ApplyFlMask(DocPixels(doc), t.area, kFlBlockSize, invert), BlockMaskResult::kApplied);
    ImageDoc expected = ExpectedFl(original, t.area, invert);
    EXPECT_TRUE(SamePixels(doc, expected)) << Describe(t) << " invert " << invert;
  }
}

// Every code length from 1 to 16 letters, random letters.
TEST_P(BlockMasks, CpMatchesTheModelForEveryCodeLength) {
  std::mt19937 rng(26);
  for (int letters = 1; letters <= kCpCodeMaxLetters; ++letters) {
    const Trial t = RandomTrial(rng, kCpBlockSize);
    std::string code;
    for (int i = 0; i < letters; ++i) code += static_cast<char>('A' + rng() % 26);
    ImageDoc doc = MakeNoiseDoc(t.width, t.height, static_cast<uint32_t>(letters));
    ImageDoc original = Copy(doc);
    ASSERT_EQ(ApplyCpMask(DocPixels(doc), t.area, kCpBlockSize, code), BlockMaskResult::kApplied);
    ImageDoc expected = ExpectedCp(original, t.area, code);
    EXPECT_TRUE(SamePixels(doc, expected)) << Describe(t) << " code " << code;
  }
}

}  // namespace
}  // namespace veilo
