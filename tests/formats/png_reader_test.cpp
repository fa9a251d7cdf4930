// The PNG reader on files made for each behaviour: blending and the
// transparent colour, text entries, the document's fields, and refusal of
// short, damaged and oversized files.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "platform/le_bytes.h"
#include "doc/packed_dib.h"
#include "formats/png_messages.h"
#include "formats/png_pixels.h"
#include "formats/png_reader.h"
#include "png_test_files.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::PixelOf;
using testing::PngSpec;
using testing::Rgb;

class PngReaderTest : public ::testing::Test {
 protected:
  // Writes the bytes to a file and reads it into doc_.
  int Load(const std::vector<uint8_t>& bytes) {
    const std::string path = folder_.Path("in.png");
    EXPECT_TRUE(testing::WriteFileBytes(path, bytes));
    return ReadPngFile(shell_, path, doc_);
  }
  int Load(const PngSpec& spec) {
    const auto bytes = testing::EncodePng(spec);
    EXPECT_FALSE(bytes.empty());
    return Load(bytes);
  }

  testing::TempFolder folder_;
  testing::RecordingShell shell_;
  ImageDoc doc_;
};

// A 4 x 2 RGBA picture, top row: transparent red, half-covered green,
// transparent blue, opaque white; bottom row: transparent yellow, then
// opaque gray.
PngSpec AlphaPicture() {
  PngSpec spec;
  spec.width = 4;
  spec.height = 2;
  spec.colourType = 6;
  spec.samples = {255, 0, 0, 0,    0, 200, 0, 128,  0, 0, 255, 0,  255, 255, 255, 255,
                  255, 255, 0, 0,  90, 90, 90, 255, 90, 90, 90, 255, 90, 90, 90, 255};
  return spec;
}

TEST_F(PngReaderTest, AlphaBlendsOverBlackWithoutBackgroundAndKeepsOtherPixels) {
  ASSERT_EQ(Load(AlphaPicture()), 1);
  EXPECT_EQ(PixelOf(doc_, 0, 0), (Rgb{255, 0, 0}));  // fully transparent: own colour
  EXPECT_EQ(PixelOf(doc_, 1, 0), (Rgb{0, 100, 0}));   // 200 * 128 / 255, rounded
  EXPECT_EQ(PixelOf(doc_, 3, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(PixelOf(doc_, 0, 1), (Rgb{255, 255, 0}));
  EXPECT_EQ(PixelOf(doc_, 1, 1), (Rgb{90, 90, 90}));
}

TEST_F(PngReaderTest, TheFirstFullyTransparentPixelFromTheTopIsTheTransparentColour) {
  for (const bool interlaced : {false, true}) {
    SCOPED_TRACE(interlaced);
    PngSpec spec = AlphaPicture();
    spec.interlaced = interlaced;
    doc_.transparentColor = {1, 2, 3};
    ASSERT_EQ(Load(spec), 1);
    EXPECT_EQ(doc_.useTransparent, 1);
    EXPECT_EQ(doc_.transparentColor, (std::array<uint8_t, 3>{255, 0, 0}));
  }
}

TEST_F(PngReaderTest, AlphaBlendsOverTheBackgroundChunk) {
  PngSpec spec = AlphaPicture();
  spec.background = std::array<uint16_t, 3>{100, 50, 250};
  ASSERT_EQ(Load(spec), 1);
  EXPECT_EQ(PixelOf(doc_, 1, 0),
            (Rgb{BlendOverBackground(0, 128, 100), BlendOverBackground(200, 128, 50), BlendOverBackground(0, 128, 250)}));
  EXPECT_EQ(PixelOf(doc_, 1, 0), (Rgb{50, 125, 125}));
}

TEST_F(PngReaderTest, SixteenBitAlphaUsesTheHighBytesOfSamplesAndBackground) {
  PngSpec spec;
  spec.width = 2;
  spec.colourType = 6;
  spec.bitDepth = 16;
  spec.samples = {0x12FF, 0x3400, 0x56AA, 0xFFFF, 0xC8C8, 0x0000, 0x0000, 0x8080};
  spec.background = std::array<uint16_t, 3>{0x64FF, 0x3201, 0xFA00};
  ASSERT_EQ(Load(spec), 1);
  EXPECT_EQ(PixelOf(doc_, 0, 0), (Rgb{0x12, 0x34, 0x56}));
  EXPECT_EQ(PixelOf(doc_, 1, 0), (Rgb{BlendOverBackground(0xC8, 0x80, 0x64), BlendOverBackground(0, 0x80, 0x32),
                                      BlendOverBackground(0, 0x80, 0xFA)}));
  EXPECT_EQ(doc_.useTransparent, 0);
}

TEST_F(PngReaderTest, PaletteTransparencyBlendsOverThePaletteBackground) {
  PngSpec spec;
  spec.width = 3;
  spec.colourType = 3;
  spec.bitDepth = 2;
  spec.palette = {{{10, 20, 30}}, {{200, 100, 0}}, {{0, 0, 250}}};
  spec.paletteAlpha = {0, 64};  // entry 2 opaque
  spec.samples = {2, 1, 0};
  spec.background = std::array<uint16_t, 3>{2, 0, 0};  // index 2
  ASSERT_EQ(Load(spec), 1);
  EXPECT_EQ(PixelOf(doc_, 0, 0), (Rgb{0, 0, 250}));
  EXPECT_EQ(PixelOf(doc_, 1, 0),
            (Rgb{BlendOverBackground(200, 64, 0), BlendOverBackground(100, 64, 0), BlendOverBackground(0, 64, 250)}));
  EXPECT_EQ(PixelOf(doc_, 2, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(doc_.useTransparent, 1);
  EXPECT_EQ(doc_.transparentColor, (std::array<uint8_t, 3>{10, 20, 30}));
}

TEST_F(PngReaderTest, GrayTransparentValueGivesTheTransparentColour) {
  PngSpec spec;
  spec.width = 4;
  spec.colourType = 0;
  spec.bitDepth = 4;
  spec.samples = {3, 7, 15, 7};
  spec.transparentValue = std::array<uint16_t, 3>{7, 0, 0};
  ASSERT_EQ(Load(spec), 1);
  EXPECT_EQ(PixelOf(doc_, 0, 0), (Rgb{51, 51, 51}));
  EXPECT_EQ(PixelOf(doc_, 1, 0), (Rgb{119, 119, 119}));
  EXPECT_EQ(doc_.useTransparent, 1);
  EXPECT_EQ(doc_.transparentColor, (std::array<uint8_t, 3>{119, 119, 119}));
}

TEST(PngBackground, ScalesTheChunkValuesTo8Bits) {
  struct Case {
    int colourType, bitDepth;
    PngBkgdValues values;
    PngBackground expected;
  };
  const Case cases[] = {
      {0, 1, {1, 1, 1}, {255, 255, 255}},
      {0, 2, {2, 2, 2}, {170, 170, 170}},
      {0, 4, {3, 3, 3}, {51, 51, 51}},
      {0, 8, {77, 77, 77}, {77, 77, 77}},
      {4, 16, {0xABCD, 0xABCD, 0xABCD}, {0xAB, 0xAB, 0xAB}},
      {2, 8, {1, 2, 3}, {1, 2, 3}},
      {6, 16, {0x1234, 0x5678, 0x9ABC}, {0x12, 0x56, 0x9A}},
      {3, 1, {200, 100, 50}, {200, 100, 50}},  // palette colours are 8-bit whatever the index depth
  };
  for (const Case& c : cases) {
    const PngBackground bg = BackgroundFromBkgd(c.colourType, c.bitDepth, c.values);
    EXPECT_EQ(bg.red, c.expected.red);
    EXPECT_EQ(bg.green, c.expected.green);
    EXPECT_EQ(bg.blue, c.expected.blue);
  }
}

TEST_F(PngReaderTest, SuccessFillsTheDocumentAndReplacesItsAttributes) {
  PngSpec spec;
  spec.width = 3;
  spec.height = 2;
  spec.samples = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
  doc_.pngTextList = {{"Old", "entry"}};
  doc_.useTransparent = 1;
  ASSERT_EQ(Load(spec), 1);
  EXPECT_EQ(doc_.width, 3);
  EXPECT_EQ(doc_.height, 2);
  EXPECT_EQ(doc_.bitCount, 24);
  EXPECT_EQ(doc_.fileHeader[0], 'B');
  EXPECT_EQ(doc_.fileHeader[1], 'M');
  EXPECT_TRUE(IsCanonical24(ReadDibHeader(doc_.dib.data())));
  EXPECT_EQ(doc_.dib.size(), kInfoHeaderSize + 2 * RowStride24(3));
  EXPECT_EQ(PixelOf(doc_, 0, 0), (Rgb{1, 2, 3}));
  EXPECT_EQ(PixelOf(doc_, 2, 1), (Rgb{16, 17, 18}));
  EXPECT_TRUE(doc_.pngTextList.empty());
  EXPECT_EQ(doc_.useTransparent, 0);
  EXPECT_TRUE(shell_.errors.empty());
}

// A noisy picture several read blocks long, with text chunks before and
// after the image data.
PngSpec LongPicture() {
  PngSpec spec;
  spec.width = 64;
  spec.height = 48;
  uint32_t state = 7;
  for (size_t i = 0; i < size_t{64} * 48 * 3; ++i) {
    state = state * 1664525u + 1013904223u;
    spec.samples.push_back(static_cast<uint16_t>(state >> 24));
  }
  spec.texts = {{"Title", "first", false}, {"Comment", std::string(300, 'z'), true}, {"Title", "", false}};
  return spec;
}

TEST_F(PngReaderTest, TextEntriesArriveInFileOrderWhereverTheyAre) {
  for (const bool after : {false, true}) {
    SCOPED_TRACE(after);
    PngSpec spec = LongPicture();
    spec.textsAfterImage = after;
    ASSERT_GT(testing::EncodePng(spec).size(), 2 * size_t{4096});
    ASSERT_EQ(Load(spec), 1);
    ASSERT_EQ(doc_.pngTextList.size(), 3u);
    EXPECT_EQ(doc_.pngTextList[0].key, "Title");
    EXPECT_EQ(doc_.pngTextList[0].text, "first");
    EXPECT_EQ(doc_.pngTextList[1].key, "Comment");
    EXPECT_EQ(doc_.pngTextList[1].text, std::string(300, 'z'));
    EXPECT_EQ(doc_.pngTextList[2].text, "");
    EXPECT_EQ(PixelOf(doc_, 63, 47),
              (Rgb{static_cast<uint8_t>(spec.samples[(47 * 64 + 63) * 3]),
                   static_cast<uint8_t>(spec.samples[(47 * 64 + 63) * 3 + 1]),
                   static_cast<uint8_t>(spec.samples[(47 * 64 + 63) * 3 + 2])}));
  }
}

void ExpectRefused(const testing::RecordingShell& shell, const ImageDoc& doc, const std::string& message) {
  ASSERT_EQ(shell.errors.size(), 1u);
  if (!message.empty()) {
    EXPECT_EQ(shell.errors[0], message);
  }
  EXPECT_TRUE(doc.dib.empty());
  EXPECT_EQ(doc.width, 0);
}

TEST_F(PngReaderTest, EveryTruncationIsRefusedWithOneMessage) {
  for (const bool interlaced : {false, true}) {
    PngSpec spec = LongPicture();
    spec.interlaced = interlaced;
    spec.textsAfterImage = true;
    const auto whole = testing::EncodePng(spec);
    std::vector<size_t> cuts = {0, 7, 8, 20, 33, 4095, 4096, 4097, 8192, whole.size() - 12, whole.size() - 1};
    for (size_t cut = 41; cut < whole.size(); cut += 211) cuts.push_back(cut);
    for (const size_t cut : cuts) {
      SCOPED_TRACE(cut);
      shell_.errors.clear();
      EXPECT_EQ(Load({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)}), 0);
      ExpectRefused(shell_, doc_, "");
    }
  }
}

TEST_F(PngReaderTest, CutsEndWithTheirReaderMessages) {
  const auto whole = testing::EncodePng(LongPicture());
  struct Case {
    size_t length;
    const char* message;
  };
  const Case cases[] = {{0, kPngNotPngText}, {7, kPngNotPngText}, {4096, kPngTruncatedText},
                        {whole.size() - 1, kPngTruncatedText}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    shell_.errors.clear();
    EXPECT_EQ(Load({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(c.length)}), 0);
    ExpectRefused(shell_, doc_, c.message);
  }
}

TEST_F(PngReaderTest, MissingFileAndForeignFileGiveTheirMessages) {
  EXPECT_EQ(ReadPngFile(shell_, folder_.Path("absent.png"), doc_), 0);
  ExpectRefused(shell_, doc_, kPngFileOpenErrorText);
  shell_.errors.clear();
  EXPECT_EQ(Load(std::vector<uint8_t>{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 0);
  ExpectRefused(shell_, doc_, kPngNotPngText);
}

TEST_F(PngReaderTest, ALoadThatFailsLeavesTheDocumentWithoutItsOldPicture) {
  doc_ = testing::MakeNoiseDoc(5, 5);
  doc_.pngTextList = {{"Kept", "text"}};
  EXPECT_EQ(Load(std::vector<uint8_t>(3, 0)), 0);
  EXPECT_TRUE(doc_.dib.empty());
  EXPECT_EQ(doc_.width, 0);
  EXPECT_EQ(doc_.pngTextList.size(), 1u);
}

// A signature, an IHDR for the given size (8-bit RGB), an IDAT with the
// given zlib stream when there is one, and IEND.
std::vector<uint8_t> BuildPng(uint32_t width, uint32_t height, const std::vector<uint8_t>& imageData,
                              bool interlaced = false) {
  std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto chunk = [&](const char* type, const std::vector<uint8_t>& body) {
    uint8_t length[4] = {static_cast<uint8_t>(body.size() >> 24), static_cast<uint8_t>(body.size() >> 16),
                         static_cast<uint8_t>(body.size() >> 8), static_cast<uint8_t>(body.size())};
    file.insert(file.end(), length, length + 4);
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    file.insert(file.end(), typed.begin(), typed.end());
    const uLong crc = crc32(0, typed.data(), static_cast<uInt>(typed.size()));
    for (int shift = 24; shift >= 0; shift -= 8) file.push_back(static_cast<uint8_t>(crc >> shift));
  };
  std::vector<uint8_t> ihdr = {static_cast<uint8_t>(width >> 24), static_cast<uint8_t>(width >> 16),
                               static_cast<uint8_t>(width >> 8),  static_cast<uint8_t>(width),
                               static_cast<uint8_t>(height >> 24), static_cast<uint8_t>(height >> 16),
                               static_cast<uint8_t>(height >> 8),  static_cast<uint8_t>(height),
                               8, 2, 0, 0, static_cast<uint8_t>(interlaced ? 1 : 0)};
  chunk("IHDR", ihdr);
  if (!imageData.empty()) chunk("IDAT", imageData);
  chunk("IEND", {});
  return file;
}

std::vector<uint8_t> HeaderOnly(uint32_t width, uint32_t height) { return BuildPng(width, height, {}); }

std::vector<uint8_t> Deflated(const std::vector<uint8_t>& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> out(size);
  compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
  out.resize(size);
  return out;
}

// A zlib stream of `rows` unfiltered rows of `width` 8-bit RGB pixels of value 200.
std::vector<uint8_t> DeflatedRows(uint32_t width, uint32_t rows) {
  std::vector<uint8_t> raw;
  for (uint32_t y = 0; y < rows; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), size_t{width} * 3, 200);
  }
  return Deflated(raw);
}

TEST_F(PngReaderTest, ImageDataEndingBeforeTheLastRowIsRefused) {
  ASSERT_EQ(Load(BuildPng(5, 4, DeflatedRows(5, 4))), 1);
  EXPECT_EQ(PixelOf(doc_, 4, 3), (Rgb{200, 200, 200}));
  EXPECT_EQ(Load(BuildPng(5, 4, DeflatedRows(5, 3))), 0);
  ExpectRefused(shell_, doc_, "libpng error: Not enough image data\n");
}

TEST_F(PngReaderTest, InterlacedImageDataEndingBeforeTheLastPassIsRefused) {
  // A complete file made by libpng, its image data inflated and cut short
  // by one byte, then compressed again as a whole stream.
  PngSpec spec = LongPicture();
  spec.texts.clear();
  spec.interlaced = true;
  const auto whole = testing::EncodePng(spec);
  ASSERT_EQ(Load(whole), 1);
  std::vector<uint8_t> idat;
  for (size_t pos = 8; pos + 12 <= whole.size();) {
    const uint32_t length = static_cast<uint32_t>(whole[pos] << 24 | whole[pos + 1] << 16 | whole[pos + 2] << 8 | whole[pos + 3]);
    if (std::memcmp(&whole[pos + 4], "IDAT", 4) == 0)
      idat.insert(idat.end(), whole.begin() + static_cast<std::ptrdiff_t>(pos + 8),
                  whole.begin() + static_cast<std::ptrdiff_t>(pos + 8 + length));
    pos += 12 + length;
  }
  std::vector<uint8_t> raw(size_t{64} * 48 * 3 * 2);
  uLongf rawSize = static_cast<uLongf>(raw.size());
  ASSERT_EQ(uncompress(raw.data(), &rawSize, idat.data(), static_cast<uLong>(idat.size())), Z_OK);
  raw.resize(rawSize - 1);
  EXPECT_EQ(Load(BuildPng(64, 48, Deflated(raw), /*interlaced=*/true)), 0);
  ExpectRefused(shell_, doc_, "libpng error: Not enough image data\n");
}

TEST_F(PngReaderTest, OversizedPicturesAreRefusedBeforeAnythingIsAllocated) {
  struct Case {
    uint32_t width, height;
  };
  // Beyond 16 bits a side; beyond 1 GiB for the 24-bit picture.
  const Case cases[] = {{65536, 1}, {1, 70000}, {65535, 65535}, {20000, 20000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    shell_.errors.clear();
    EXPECT_EQ(Load(HeaderOnly(c.width, c.height)), 0);
    ExpectRefused(shell_, doc_, "");
  }
}

TEST_F(PngReaderTest, APictureWithoutImageDataIsRefused) {
  EXPECT_EQ(Load(HeaderOnly(4, 4)), 0);
  ExpectRefused(shell_, doc_, "");
}

}  // namespace
}  // namespace veilo
