// The decisions behind a PNG save that need no file: colour mode and exact
// palette, the reductions the dialog allows, the transparent entry of a
// reduced palette, the text compression trial and the text list.
#include <gtest/gtest.h>

#include <zlib.h>

#include <array>
#include <string>

#include "formats/png_colour_mode.h"
#include "formats/png_reduction.h"
#include "formats/png_save_options.h"
#include "formats/png_text_compression.h"
#include "formats/png_text_list.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::Rgb;

// A picture of `n` distinct colours (gray when asked), each pixel its own
// colour index modulo n.
ImageDoc ColoursDoc(int n, bool gray = false, int32_t width = 32) {
  const int32_t height = (n + width - 1) / width + 1;
  return testing::MakeDoc(width, height, [=](int32_t x, int32_t y) {
    const int i = (y * width + x) % n;
    if (gray) return Rgb{static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i)};
    return Rgb{static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8), 7};
  });
}

TEST(PngColourMode, TheColourCountDecidesModeDepthAndPaletteSize) {
  struct Case {
    int colours;
    bool gray;
    PngColourMode mode;
    int depth;
    size_t entries;
  };
  const Case cases[] = {
      {1, false, PngColourMode::kPalette1Bit, 1, 2},    {2, false, PngColourMode::kPalette1Bit, 1, 2},
      {3, false, PngColourMode::kPalette2Bit, 2, 4},    {4, false, PngColourMode::kPalette2Bit, 2, 4},
      {5, false, PngColourMode::kPalette4Bit, 4, 16},   {16, false, PngColourMode::kPalette4Bit, 4, 16},
      {17, false, PngColourMode::kPalette8Bit, 8, 17},  {200, true, PngColourMode::kPalette8Bit, 8, 200},
      {255, true, PngColourMode::kPalette8Bit, 8, 255}, {256, true, PngColourMode::kGray8Bit, 8, 0},
      {256, false, PngColourMode::kPalette8Bit, 8, 256}, {257, false, PngColourMode::kTrueColour, 8, 0},
      {300, false, PngColourMode::kTrueColour, 8, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.colours);
    ImageDoc doc = ColoursDoc(c.colours, c.gray);
    const PngColourCount counted = CountColours(DocPixels(doc));
    EXPECT_EQ(counted.mode, c.mode);
    EXPECT_EQ(PngBitDepth(counted.mode), c.depth);
    if (counted.HasExactPalette()) {
      EXPECT_EQ(PngPaletteEntries(counted.mode, counted.count), c.entries);
    }
    EXPECT_EQ(counted.count, c.colours > 256 ? 0u : static_cast<size_t>(c.colours));
  }
}

TEST(PngColourMode, PaletteOrderIsFirstAppearanceFromTheBottomRow) {
  ImageDoc doc = testing::MakeDoc(3, 2, [](int32_t x, int32_t y) {
    return y == 1 ? Rgb{static_cast<uint8_t>(10 + x), 0, 0} : Rgb{0, 0, static_cast<uint8_t>(x)};
  });
  const PngColourCount counted = CountColours(DocPixels(doc));
  ASSERT_EQ(counted.count, 6u);
  EXPECT_EQ(counted.colours.colours()[0], PackRgb(10, 0, 0));  // bottom-left pixel
  EXPECT_EQ(counted.colours.colours()[3], PackRgb(0, 0, 0));   // top row follows
}

TEST(PngReduction, OnlyChoicesThatReduceStand) {
  struct Case {
    int colours;
    int requested;
    int effective;
  };
  const Case cases[] = {
      {300, 256, 256}, {300, 16, 16},  {300, 0, 0},      {300, 100, 0},  // not a choice
      {200, 256, 0},   {200, 128, 128}, {128, 128, 0},   {129, 128, 128}, {17, 16, 16},
      {16, 16, 0},     {5, 16, 0},      {2, 16, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.colours << " colours, " << c.requested);
    ImageDoc doc = ColoursDoc(c.colours);
    EXPECT_EQ(EffectivePngReduction(c.requested, CountColours(DocPixels(doc))), c.effective);
  }
  ImageDoc gray = ColoursDoc(256, true);
  EXPECT_EQ(EffectivePngReduction(128, CountColours(DocPixels(gray))), 0);
}

TEST(PngReduction, TheDialogOffersTheChoicesTheSaveCarriesOut) {
  // Per picture: which of none, 16, 32, 64, 128, 256 the dialog offers.
  struct Case {
    int colours;
    bool gray;
    std::array<bool, 6> offered;
  };
  const Case cases[] = {
      {300, false, {true, true, true, true, true, true}},
      {200, false, {true, true, true, true, true, false}},
      {128, false, {true, true, true, true, false, false}},
      {33, false, {true, true, true, false, false, false}},
      {17, false, {true, true, false, false, false, false}},
      {16, false, {true, false, false, false, false, false}},
      {2, false, {true, false, false, false, false, false}},
      {256, true, {true, false, false, false, false, false}},  // 256 gray levels are never reduced
  };
  const int choices[] = {0, 16, 32, 64, 128, 256};
  for (const Case& c : cases) {
    ImageDoc doc = ColoursDoc(c.colours, c.gray);
    const PngColourCount counted = CountColours(DocPixels(doc));
    for (size_t i = 0; i < 6; ++i) {
      SCOPED_TRACE(::testing::Message() << c.colours << " colours, choice " << choices[i]);
      EXPECT_EQ(PngReductionChoiceOffered(choices[i], counted), c.offered[i]);
    }
  }
}

// Four pixels, the transparent colour (50, 60, 70) at the second one; the
// quantiser's result is made up: palette of three colours, indices 2 1 0 1.
struct TransparentFixture {
  ImageDoc doc = testing::MakeDoc(4, 1, [](int32_t x, int32_t) {
    return x == 1 ? Rgb{50, 60, 70} : Rgb{static_cast<uint8_t>(x), 0, 0};
  });
  PngReducedPicture reduced;
  explicit TransparentFixture(std::vector<RgbColour> palette) {
    reduced.palette = std::move(palette);
    reduced.palette.resize(4);
    reduced.indices.reset(new uint8_t[4]{2, 1, 0, 1});
  }
};

TEST(PngReduction, TheTransparentColourTakesEntryZeroAndItsPixels) {
  TransparentFixture f({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}});
  PutTransparentFirst(f.reduced, 3, DocPixels(f.doc), {50, 60, 70});
  EXPECT_EQ(f.reduced.palette, (std::vector<RgbColour>{{50, 60, 70}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}}));
  EXPECT_EQ(f.reduced.transparentColour, (RgbColour{50, 60, 70}));
  const std::vector<uint8_t> indices(f.reduced.indices.get(), f.reduced.indices.get() + 4);
  EXPECT_EQ(indices, (std::vector<uint8_t>{3, 0, 1, 2}));
}

TEST(PngReduction, ATransparentColourEqualToAReducedOneMovesRedGreenBlueInTurn) {
  // (50,60,70) is taken, so is (51,60,70) after the red step and (51,61,70)
  // after the green step; the blue step gives (51,61,71).
  TransparentFixture f({{51, 61, 70}, {50, 60, 70}, {51, 60, 70}});
  PutTransparentFirst(f.reduced, 3, DocPixels(f.doc), {50, 60, 70});
  EXPECT_EQ(f.reduced.palette[0], (RgbColour{51, 61, 71}));
  EXPECT_EQ(f.reduced.transparentColour, (RgbColour{51, 61, 71}));
  // The pixel of the chosen colour still gets entry 0.
  EXPECT_EQ(f.reduced.indices[1], 0);
  EXPECT_EQ(f.reduced.indices[3], 2);
}

TEST(PngReduction, UnusedPaletteEntriesNeverPushTheTransparentColour) {
  TransparentFixture f({{9, 9, 9}});  // entries 1..3 unused (black)
  PutTransparentFirst(f.reduced, 1, DocPixels(f.doc), {0, 0, 0});
  EXPECT_EQ(f.reduced.palette[0], (RgbColour{0, 0, 0}));
  EXPECT_EQ(f.reduced.palette.size(), 4u);
}

TEST(PngReduction, ReducedPictureHasTheRequestedPaletteLengthAndValidIndices) {
  ImageDoc doc = testing::MakeNoiseDoc(40, 30);
  for (const bool transparent : {false, true}) {
    SCOPED_TRACE(transparent);
    const RgbColour t{testing::PixelOf(doc, 5, 5).r, testing::PixelOf(doc, 5, 5).g, testing::PixelOf(doc, 5, 5).b};
    const auto reduced = ReducePngColours(DocPixels(doc), 16, transparent ? std::optional<RgbColour>(t) : std::nullopt);
    ASSERT_TRUE(reduced);
    EXPECT_EQ(reduced->palette.size(), 16u);
    for (int i = 0; i < 40 * 30; ++i) ASSERT_LT(reduced->indices[static_cast<size_t>(i)], 16);
    if (transparent) {
      EXPECT_EQ(reduced->palette[0], reduced->transparentColour);
      EXPECT_EQ(reduced->indices[5 * 40 + 5], 0);
      for (int i = 1; i < 16; ++i) EXPECT_NE(reduced->palette[static_cast<size_t>(i)], reduced->transparentColour);
    }
  }
}

size_t DeflatedSize(const std::string& text) {
  uLongf size = compressBound(static_cast<uLong>(text.size()));
  std::vector<Bytef> out(size);
  compress2(out.data(), &size, reinterpret_cast<const Bytef*>(text.data()), static_cast<uLong>(text.size()),
            Z_DEFAULT_COMPRESSION);
  return size;
}

TEST(PngTextCompression, CompressedOnlyWhenDeflationIsShorterThanTheText) {
  const std::string tenLetters(10, 'a');
  ASSERT_GE(DeflatedSize(tenLetters), 10u);
  std::string noise;
  uint32_t state = 3;
  for (int i = 0; i < 200; ++i) noise.push_back(static_cast<char>((state = state * 1664525u + 1013904223u) >> 24));
  const std::string repetitive = std::string(5000, 'x') + std::string(5000, 'y');
  std::string longNoise;
  for (int i = 0; i < 40000; ++i) longNoise.push_back(static_cast<char>((state = state * 1664525u + 1013904223u) >> 24));

  EXPECT_FALSE(TextCompressionPays(""));
  EXPECT_FALSE(TextCompressionPays(tenLetters));
  EXPECT_FALSE(TextCompressionPays(noise));
  EXPECT_TRUE(TextCompressionPays(repetitive));
  EXPECT_TRUE(TextCompressionPays(std::string(64, 'a')));
  // Deflated output longer than the 8 KiB buffer is counted whole: 40 000
  // bytes of noise do not shrink, the same 20 000 bytes four times over do.
  EXPECT_FALSE(TextCompressionPays(longNoise));
  const std::string block = longNoise.substr(0, 20000);
  EXPECT_TRUE(TextCompressionPays(block + block + block + block));
}

TEST(PngTextList, AppendRemoveAndFree) {
  PngTextList list;
  AppendPngText(list, "A", "one");
  AppendPngText(list, "B", "two");
  AppendPngText(list, "C", "");
  RemovePngText(list, 1);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].key, "C");
  RemovePngText(list, 5);  // no such entry
  EXPECT_EQ(list.size(), 2u);
  RemovePngText(list, 0);
  RemovePngText(list, 0);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.capacity(), 0u);
  AppendPngText(list, "D", "x");
  FreePngTextList(list);
  EXPECT_TRUE(list.empty());
}

TEST(PngTextList, AfterARemovalTheSelectionStaysAtItsIndexOrMovesToTheNewLast) {
  struct Case {
    size_t removed, remaining;
    std::optional<size_t> selected;
  };
  const Case cases[] = {{0, 2, 0}, {1, 2, 1}, {2, 2, 1}, {0, 1, 0}, {0, 0, std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "removed " << c.removed << ", " << c.remaining << " left");
    EXPECT_EQ(PngTextSelectionAfterRemove(c.removed, c.remaining), c.selected);
  }
}

TEST(PngTextList, AddingKeysRefusesEmptyAndExistingKeysCaseSensitively) {
  PngTextList list;
  EXPECT_EQ(AddPngTextKey(list, "Title"), PngKeyAddResult::kAdded);
  EXPECT_EQ(AddPngTextKey(list, "title"), PngKeyAddResult::kAdded);
  EXPECT_EQ(AddPngTextKey(list, "Title"), PngKeyAddResult::kDuplicateKey);
  EXPECT_EQ(AddPngTextKey(list, ""), PngKeyAddResult::kEmptyKey);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].text, "");
  EXPECT_STREQ(PngKeyAddMessage(PngKeyAddResult::kDuplicateKey), "すでにそのキーは存在します。");
  EXPECT_STREQ(PngKeyAddMessage(PngKeyAddResult::kEmptyKey), "キー文字列を入力してください。");
  EXPECT_EQ(PngKeyAddMessage(PngKeyAddResult::kAdded), nullptr);

  // Keys are cut to 79 bytes, never inside a character.
  EXPECT_EQ(AddPngTextKey(list, std::string(100, 'k')), PngKeyAddResult::kAdded);
  EXPECT_EQ(list.back().key, std::string(79, 'k'));
  EXPECT_EQ(AddPngTextKey(list, std::string(78, 'm') + "\xC3\xA9"), PngKeyAddResult::kAdded);
  EXPECT_EQ(list.back().key, std::string(78, 'm'));
  EXPECT_EQ(AddPngTextKey(list, std::string(80, 'k')), PngKeyAddResult::kDuplicateKey);
}

TEST(PngSaveOptions, StartFromTheDocumentsTransparency) {
  ImageDoc doc;
  doc.useTransparent = 1;
  doc.transparentColor = {1, 2, 3};
  const PngSaveOptions options = StartingPngSaveOptions(doc);
  EXPECT_EQ(options.reduction, 0);
  EXPECT_FALSE(options.interlace);
  EXPECT_TRUE(options.transparent);
  EXPECT_EQ(options.transparentColour, (std::array<uint8_t, 3>{1, 2, 3}));
}

}  // namespace
}  // namespace veilo
