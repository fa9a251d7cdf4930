#include "masks/cp_mask.h"

#include <gtest/gtest.h>

#include <cstring>

#include "block_grid_test_util.h"
#include "mask_fixture.h"

namespace veilo {
namespace {

using testing::BlockPixels;
using testing::CopyPicture;
using testing::MakeNoiseDoc;
using testing::MaskFixture;
using testing::PixelOf;
using testing::ReadBlocks;
using testing::Rgb;
using testing::SameBytes;
using testing::SameOutside;
using testing::SelectArea;
using testing::Transposed;

Rgb RedGreenSwapped(Rgb c) { return {c.g, c.r, c.b}; }
Rgb InvertedAndSwapped(Rgb c) {
  return {static_cast<uint8_t>(~c.g), static_cast<uint8_t>(~c.r), static_cast<uint8_t>(~c.b)};
}
BlockPixels Coloured(BlockPixels b) {
  for (Rgb& c : b) c = InvertedAndSwapped(c);
  return b;
}

TEST(TransposeBlock, MirrorsASquareAboutItsMainDiagonal) {
  ImageDoc doc = MakeNoiseDoc(9, 7);
  ImageDoc before = CopyPicture(doc);
  TransposeBlock(DocPixels(doc), 2, 1, 4);
  for (int32_t r = 0; r < 4; ++r)
    for (int32_t c = 0; c < 4; ++c) EXPECT_EQ(PixelOf(doc, 2 + c, 1 + r), PixelOf(before, 2 + r, 1 + c)) << r << "," << c;
  EXPECT_TRUE(SameOutside(doc, before, {2, 1, 6, 5}));
  TransposeBlock(DocPixels(doc), 2, 1, 4);
  EXPECT_TRUE(SameBytes(doc, before));
}

// The outcome for area (3, 2)-(3 + w, 2 + h) of a 70x60 noise picture.
struct CpRun {
  ImageDoc before;
  ImageDoc doc;
  BlockGrid grid;
  std::vector<BlockPixels> old, now;
};
CpRun RunCp(MaskFixture& f, int32_t w, int32_t h, std::string_view code) {
  CpRun run{MakeNoiseDoc(70, 60, 11), MakeNoiseDoc(70, 60, 11), {}, {}, {}};
  const PixelRect area{3, 2, 3 + w, 2 + h};
  run.grid = MakeBlockGrid(area, kCpBlockSize);
  run.old = ReadBlocks(run.doc, run.grid);
  SelectArea(run.doc, area.left, area.top, area.right, area.bottom);
  CpLive(f.ctx, run.doc, code);
  run.now = ReadBlocks(run.doc, run.grid);
  return run;
}

TEST(CpMask, CodeAOnFourBlocksTransposesAllAndExchangesThreeWithZeroAndOneWithTwo) {
  MaskFixture f;
  CpRun run = RunCp(f, 16, 16, "A");
  const auto t = [&](int k) { return Coloured(Transposed(run.old[static_cast<size_t>(k)], 8)); };
  EXPECT_EQ(run.now[0], t(3));
  EXPECT_EQ(run.now[3], t(0));
  EXPECT_EQ(run.now[1], t(2));
  EXPECT_EQ(run.now[2], t(1));
  EXPECT_TRUE(SameOutside(run.doc, run.before, {3, 2, 19, 18}));

  ASSERT_EQ(run.doc.undoCount(), 1);
  MaskRecord expected = MakeRecord(kOpCp, {3, 2, 19, 18});
  expected.p[0] = 8;
  expected.code[0] = 'A';
  EXPECT_EQ(run.doc.undoList[0], expected);
  EXPECT_EQ(f.shell.invalidated.size(), 1u);
}

TEST(CpMask, CodeABOnSixBlocksPairsZeroThreeFourOneTwoFive) {
  MaskFixture f;
  CpRun run = RunCp(f, 24, 16, "AB");
  const auto t = [&](int k) { return Coloured(Transposed(run.old[static_cast<size_t>(k)], 8)); };
  EXPECT_EQ(run.now[0], t(3));
  EXPECT_EQ(run.now[3], t(0));
  EXPECT_EQ(run.now[4], t(1));
  EXPECT_EQ(run.now[1], t(4));
  EXPECT_EQ(run.now[2], t(5));
  EXPECT_EQ(run.now[5], t(2));
}

// The pairing rule for a code over the area (3, 2)-(3 + w, 2 + h) of a
// picture, with blocks of `size`: whether it held, and what it met.
struct PairingSeen {
  bool equalParity = false, oddCount = false;
};
void ExpectPairingRule(int32_t w, int32_t h, int32_t size, const char* code, PairingSeen& seen) {
  ImageDoc doc = MakeNoiseDoc(90, 60, 11);
  ImageDoc before = CopyPicture(doc);
  const PixelRect area{3, 2, 3 + w, 2 + h};
  const BlockGrid grid = MakeBlockGrid(area, size);
  const auto old = ReadBlocks(doc, grid);
  ASSERT_EQ(ApplyCpMask(DocPixels(doc), area, size, code), BlockMaskResult::kApplied);
  const auto now = ReadBlocks(doc, grid);

  const auto n = static_cast<int32_t>(grid.Count());
  const auto r = CpPermutation(n, code);
  seen.oddCount |= n % 2 == 1;
  for (int32_t j = 0; j < n - 1 - j; ++j) {
    const auto a = static_cast<size_t>(r[static_cast<size_t>(n - 1 - j)]);
    const auto b = static_cast<size_t>(r[static_cast<size_t>(j)]);
    const bool transpose = (a % 2) != (b % 2);
    seen.equalParity |= !transpose;
    const auto moved = [&](size_t k) { return Coloured(transpose ? Transposed(old[k], size) : old[k]); };
    EXPECT_EQ(now[a], moved(b)) << code << " size " << size << " pair " << j;
    EXPECT_EQ(now[b], moved(a)) << code << " size " << size << " pair " << j;
  }
  if (n % 2 == 1) {
    const auto middle = static_cast<size_t>(r[static_cast<size_t>((n - 1) / 2)]);
    EXPECT_EQ(now[middle], Coloured(old[middle])) << code << " size " << size;
  }
  EXPECT_TRUE(SameOutside(doc, before, area));
}

// Other codes and sizes, including odd block counts (the middle entry
// stays) and pairs of equal parity (not transposed); block sizes other than
// 8 come only from replayed records but follow the same rule.
TEST(CpMask, PairsFromBothEndsTransposingOnlyPairsOfMixedParity) {
  PairingSeen seen;
  ExpectPairingRule(40, 24, 8, "QWERTY", seen);
  ExpectPairingRule(64, 56, 8, "ZZZ", seen);
  ExpectPairingRule(56, 8, 8, "HELLOWORLD", seen);
  ExpectPairingRule(23, 17, 5, "QWERTY", seen);
  ExpectPairingRule(80, 48, 16, "ZZZ", seen);
  EXPECT_TRUE(seen.equalParity);
  EXPECT_TRUE(seen.oddCount);
}

TEST(CpMask, StripsOutsideTheBlocksOnlyExchangeRedAndGreen) {
  MaskFixture f;
  CpRun run = RunCp(f, 20, 20, "ABC");  // blocks cover 16x16
  for (int32_t y = 2; y < 22; ++y)
    for (int32_t x = 3; x < 23; ++x) {
      if (x < 19 && y < 18) continue;
      ASSERT_EQ(PixelOf(run.doc, x, y), RedGreenSwapped(PixelOf(run.before, x, y))) << x << "," << y;
    }
  EXPECT_TRUE(SameOutside(run.doc, run.before, {3, 2, 23, 22}));
}

TEST(CpMask, SameCodeTwiceOrUndoRestoresAndAnotherCodeDoesNot) {
  const PixelRect areas[] = {{0, 0, 64, 64}, {3, 5, 58, 45}, {1, 1, 42, 10}, {7, 2, 16, 50}};
  for (const PixelRect& area : areas) {
    MaskFixture f;
    ImageDoc doc = MakeNoiseDoc(61, 53, 6);
    ImageDoc before = CopyPicture(doc);
    SelectArea(doc, area.left, area.top, area.right, area.bottom);
    CpLive(f.ctx, doc, "ABC");
    CpLive(f.ctx, doc, "ABC");
    EXPECT_TRUE(SameBytes(doc, before)) << "twice at " << area.left;
    CpLive(f.ctx, doc, "ABC");
    Undo(f.ctx, doc);
    EXPECT_TRUE(SameBytes(doc, before)) << "undo at " << area.left;
  }
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(61, 53, 6);
  ImageDoc before = CopyPicture(doc);
  SelectArea(doc, 0, 0, 64, 48);
  CpLive(f.ctx, doc, "ABC");
  CpLive(f.ctx, doc, "ACB");
  EXPECT_FALSE(SameBytes(doc, before));
}

TEST(CpMask, NothingHappensWithoutABlockOrWithABadCode) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(40, 30);
  ImageDoc before = CopyPicture(doc);
  SelectArea(doc, 0, 0, 40, 7);  // no whole block: not even red and green move
  CpLive(f.ctx, doc, "ABC");
  SelectArea(doc, 0, 0, 40, 30);
  for (const char* bad : {"", "abc", "A1", "ABCDEFGHIJKLMNOPQ"}) CpLive(f.ctx, doc, bad);
  EXPECT_TRUE(SameBytes(doc, before));
  EXPECT_EQ(doc.undoCount(), 0);
  EXPECT_TRUE(f.shell.invalidated.empty());
  EXPECT_TRUE(f.shell.errors.empty());
}

TEST(CpMask, ReplayReadsTheCodeFromTheRecord) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(40, 30);
  ImageDoc before = CopyPicture(doc);
  SelectArea(doc, 1, 1, 33, 25);
  CpLive(f.ctx, doc, "QUIZ");
  MaskRecord rec = doc.undoList[0];
  ReplayCp(f.ctx, doc, rec, Direction::kForward);
  EXPECT_TRUE(SameBytes(doc, before));
  std::memset(rec.code.data(), 'Q', rec.code.size());  // no terminator: refused, not overrun
  ReplayCp(f.ctx, doc, rec, Direction::kForward);
  EXPECT_TRUE(SameBytes(doc, before));
}

}  // namespace
}  // namespace veilo
