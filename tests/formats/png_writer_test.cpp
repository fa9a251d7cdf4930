// PNG files written from documents: colour type, bit depth and palette
// length by colour count, reduction, interlace, transparency and text
// chunks, each read back by libpng itself and by our reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "file_size_limit.h"
#include "doc/image_doc.h"
#include "formats/png_messages.h"
#include "formats/png_reader.h"
#include "formats/png_writer.h"
#include "png_test_files.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"


namespace veilo {
namespace {

using testing::PngFacts;
using testing::Rgb;

// n distinct colours (gray levels when asked); pixel i of the picture (top
// row first) has colour i mod n.
ImageDoc ColoursDoc(int n, bool gray = false) {
  const int32_t width = 24, height = (n + width - 1) / width + 2;
  return testing::MakeDoc(width, height, [=](int32_t x, int32_t y) {
    const int i = (y * width + x) % n;
    if (gray) return Rgb{static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i)};
    return Rgb{static_cast<uint8_t>(i * 37), static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(255 - i)};
  });
}

class PngWriterTest : public ::testing::Test {
 protected:
  // Writes doc, checks the result and returns what libpng finds in the file.
  PngFacts Save(ImageDoc& doc, const PngSaveOptions& options) {
    EXPECT_EQ(WritePngFile(shell_, path_, doc, options), 1);
    EXPECT_TRUE(shell_.errors.empty());
    EXPECT_EQ(shell_.waitDepth, 0);
    const auto facts = testing::InspectPng(path_);
    EXPECT_TRUE(facts);
    return facts ? *facts : PngFacts{};
  }
  // The file read back through our reader.
  ImageDoc Reload() {
    ImageDoc back;
    EXPECT_EQ(ReadPngFile(shell_, path_, back), 1);
    return back;
  }

  testing::TempFolder folder_;
  std::string path_ = folder_.Path("out.png");
  testing::RecordingShell shell_;
};

TEST_F(PngWriterTest, ColourCountChoosesTypeDepthAndPaletteLengthAndPixelsSurvive) {
  struct Case {
    int colours;
    bool gray;
    int colourType, bitDepth;
    size_t paletteEntries;
  };
  const Case cases[] = {
      {1, false, 3, 1, 2},  {2, false, 3, 1, 2},    {3, false, 3, 2, 4},    {5, false, 3, 4, 16},
      {16, false, 3, 4, 16}, {17, false, 3, 8, 17}, {200, true, 3, 8, 200}, {256, true, 0, 8, 0},
      {256, false, 3, 8, 256}, {300, false, 2, 8, 0},
  };
  for (const Case& c : cases) {
    for (const bool interlace : {false, true}) {
      SCOPED_TRACE(::testing::Message() << c.colours << " colours, interlace " << interlace);
      ImageDoc doc = ColoursDoc(c.colours, c.gray);
      PngSaveOptions options;
      options.interlace = interlace;
      const PngFacts facts = Save(doc, options);
      EXPECT_EQ(facts.colourType, c.colourType);
      EXPECT_EQ(facts.bitDepth, c.bitDepth);
      EXPECT_EQ(facts.palette.size(), c.paletteEntries);
      EXPECT_EQ(facts.interlaced, interlace);
      EXPECT_TRUE(facts.paletteAlpha.empty());
      EXPECT_FALSE(facts.transparentValue);
      ImageDoc back = Reload();
      EXPECT_EQ(testing::DescribePixelDifference(doc, back), "");
    }
  }
}

TEST_F(PngWriterTest, PaletteFollowsFirstAppearanceAndUnusedEntriesAreBlack) {
  ImageDoc doc = testing::MakeDoc(3, 2, [](int32_t x, int32_t y) {
    return y == 1 ? Rgb{200, 10, 10} : (x == 0 ? Rgb{200, 10, 10} : Rgb{1, 2, 3});
  });
  const PngFacts facts = Save(doc, {});
  ASSERT_EQ(facts.palette.size(), 2u);
  EXPECT_EQ(facts.palette[0], (std::array<uint8_t, 3>{200, 10, 10}));  // the bottom-left pixel
  EXPECT_EQ(facts.palette[1], (std::array<uint8_t, 3>{1, 2, 3}));
  EXPECT_EQ(facts.Sample(1, 0), 1);
  EXPECT_EQ(facts.Sample(0, 1), 0);

  ImageDoc single = testing::MakeDoc(2, 2, [](int32_t, int32_t) { return Rgb{9, 8, 7}; });
  const PngFacts one = Save(single, {});
  EXPECT_EQ(one.palette, (std::vector<std::array<uint8_t, 3>>{{9, 8, 7}, {0, 0, 0}}));
}

TEST_F(PngWriterTest, ReductionWritesAnEightBitPaletteOfTheChosenLength) {
  struct Case {
    int colours;
    int reduction;
    size_t paletteEntries;
  };
  // 300 colours to 16 or 128; 100 colours to 64; 100 colours asked for 128
  // or 256 stay exact.
  const Case cases[] = {{300, 16, 16}, {300, 128, 128}, {100, 64, 64}, {100, 128, 100}, {100, 256, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.colours << " to " << c.reduction);
    ImageDoc doc = ColoursDoc(c.colours);
    PngSaveOptions options;
    options.reduction = c.reduction;
    const PngFacts facts = Save(doc, options);
    EXPECT_EQ(facts.colourType, 3);
    EXPECT_EQ(facts.bitDepth, 8);
    EXPECT_EQ(facts.palette.size(), c.paletteEntries);
    for (const uint16_t index : facts.samples) ASSERT_LT(index, c.paletteEntries);
  }
}

TEST_F(PngWriterTest, ReducedWithTransparencyPutsTheColourFirstWithAOneEntryTable) {
  ImageDoc doc = ColoursDoc(300);
  const Rgb chosen = testing::PixelOf(doc, 3, 0);
  PngSaveOptions options;
  options.reduction = 16;
  options.transparent = true;
  options.transparentColour = {chosen.r, chosen.g, chosen.b};
  for (const bool interlace : {false, true}) {
    options.interlace = interlace;
    const PngFacts facts = Save(doc, options);
    EXPECT_EQ(facts.bitDepth, 8);
    ASSERT_EQ(facts.palette.size(), 16u);
    EXPECT_EQ(facts.paletteAlpha, std::vector<uint8_t>{0});
    for (size_t i = 1; i < 16; ++i) EXPECT_NE(facts.palette[i], facts.palette[0]);
    for (uint32_t y = 0; y < facts.height; ++y)
      for (uint32_t x = 0; x < facts.width; ++x) {
        const bool isChosen = testing::PixelOf(doc, static_cast<int32_t>(x), static_cast<int32_t>(y)) == chosen;
        ASSERT_EQ(facts.Sample(x, y) == 0, isChosen) << x << "," << y;
      }
  }
  // The document keeps the colour that was chosen.
  EXPECT_EQ(doc.useTransparent, 1);
  EXPECT_EQ(doc.transparentColor, options.transparentColour);
}

TEST_F(PngWriterTest, TransparentPaletteColourMovesToEntryZero) {
  ImageDoc doc = ColoursDoc(20);
  const Rgb chosen = testing::PixelOf(doc, 7, 0);
  PngSaveOptions options;
  options.transparent = true;
  options.transparentColour = {chosen.r, chosen.g, chosen.b};
  const PngFacts facts = Save(doc, options);
  ASSERT_EQ(facts.palette.size(), 20u);
  EXPECT_EQ(facts.palette[0], options.transparentColour);
  EXPECT_EQ(facts.paletteAlpha, std::vector<uint8_t>{0});

  ImageDoc back = Reload();
  EXPECT_EQ(testing::DescribePixelDifference(doc, back), "");
  EXPECT_EQ(back.useTransparent, 1);
  EXPECT_EQ(back.transparentColor, options.transparentColour);
}

TEST_F(PngWriterTest, TransparentColourMissingFromThePaletteStoresNoTable) {
  ImageDoc doc = ColoursDoc(20);
  PngSaveOptions options;
  options.transparent = true;
  options.transparentColour = {1, 1, 1};
  const PngFacts facts = Save(doc, options);
  EXPECT_TRUE(facts.paletteAlpha.empty());
}

TEST_F(PngWriterTest, GrayAndTruecolourStoreTheTransparentValue) {
  PngSaveOptions options;
  options.transparent = true;
  options.transparentColour = {40, 41, 42};

  ImageDoc gray = ColoursDoc(256, true);
  const PngFacts grayFacts = Save(gray, options);
  ASSERT_EQ(grayFacts.colourType, 0);
  EXPECT_EQ(grayFacts.transparentValue, (std::array<uint16_t, 3>{40, 0, 0}));  // the red value

  ImageDoc rgb = ColoursDoc(300);
  const PngFacts rgbFacts = Save(rgb, options);
  ASSERT_EQ(rgbFacts.colourType, 2);
  EXPECT_EQ(rgbFacts.transparentValue, (std::array<uint16_t, 3>{40, 41, 42}));
}

TEST_F(PngWriterTest, TextEntriesAreCompressedOnlyWhereThatPays) {
  ImageDoc doc = ColoursDoc(3);
  doc.pngTextList = {{"Title", "short"}, {"Comment", std::string(400, 'r')}, {"Empty", ""}, {"Ten", "aaaaaaaaaa"}};
  const PngFacts facts = Save(doc, {});
  const std::vector<testing::PngTextChunk> expected = {
      {"Title", "short", false}, {"Comment", std::string(400, 'r'), true}, {"Empty", "", false},
      {"Ten", "aaaaaaaaaa", false}};
  EXPECT_EQ(facts.texts, expected);

  ImageDoc back = Reload();
  ASSERT_EQ(back.pngTextList.size(), 4u);
  EXPECT_EQ(back.pngTextList[1].text, std::string(400, 'r'));
}

TEST_F(PngWriterTest, SavingTakesTheOptionsTransparencyIntoTheDocument) {
  ImageDoc doc = ColoursDoc(3);
  doc.useTransparent = 1;
  doc.transparentColor = {5, 5, 5};
  Save(doc, {});
  EXPECT_EQ(doc.useTransparent, 0);
}

TEST_F(PngWriterTest, UnwritableTargetReportsTheOpenErrorAndCreatesNothing) {
  ImageDoc doc = ColoursDoc(3);
  EXPECT_EQ(WritePngFile(shell_, folder_.Path("missing/out.png"), doc, {}), 0);
  EXPECT_EQ(shell_.errors, std::vector<std::string>{kPngWriteOpenErrorText});
  EXPECT_TRUE(folder_.Entries().empty());
  EXPECT_EQ(shell_.waitDepth, 0);
}

TEST_F(PngWriterTest, ADocumentWithoutPictureWritesNothing) {
  ImageDoc doc;
  EXPECT_EQ(WritePngFile(shell_, path_, doc, {}), 0);
  EXPECT_TRUE(folder_.Entries().empty());
}

#ifndef _WIN32
using testing::FileSizeLimit;

TEST_F(PngWriterTest, AWriteFailingHalfwayKeepsTheOldFile) {
  for (const bool interlace : {false, true}) {
    SCOPED_TRACE(interlace);
    { std::ofstream(path_, std::ios::binary) << "the user's old file"; }
    ImageDoc doc = testing::MakeNoiseDoc(300, 200);
    PngSaveOptions options;
    options.interlace = interlace;
    shell_.errors.clear();
    int result = -1;
    {
      FileSizeLimit limit(8192);
      ASSERT_TRUE(limit.active());
      result = WritePngFile(shell_, path_, doc, options);
    }
    EXPECT_EQ(result, 0);
    ASSERT_EQ(shell_.errors.size(), 2u);
    EXPECT_EQ(shell_.errors[0], "libpng error: Write Error\n");
    EXPECT_EQ(shell_.errors[1], interlace ? kPngImageLongjmpText : kPngRowLongjmpText);
    const auto kept = testing::ReadFileBytes(path_);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "the user's old file");
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"out.png"});
  }
}
#endif

}  // namespace
}  // namespace veilo
