// Reading the first image of a GIF file: structure, colour tables,
// transparency, interlacing, broken data and the messages.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <vector>

#include "doc/image_doc.h"
#include "formats/byte_reader.h"
#include "formats/gif_reader.h"
#include "formats/reader_flags.h"
#include "gif_test_bytes.h"
#include "picture_budget.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::GifBuilder;
using testing::PackCodes;
using testing::Rgb;
using testing::SizedCode;
using testing::SubBlocks;

const std::vector<uint8_t> kFourColours = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};

// Data for a list of indices below 4 at minimum code size 2: a clear code
// before every index keeps all codes at 3 bits.
std::vector<uint8_t> LiteralData(const std::vector<uint8_t>& indices, bool withEnd = true) {
  std::vector<SizedCode> codes;
  for (uint8_t i : indices) {
    codes.push_back({4, 3});
    codes.push_back({i, 3});
  }
  if (withEnd) codes.push_back({5, 3});
  return PackCodes(codes);
}

std::optional<GifImage> DecodeBytes(const std::vector<uint8_t>& bytes) {
  ByteReader input(bytes.data(), bytes.size());
  return DecodeFirstGifImage(input);
}

Rgb PixelOf(const GifImage& image, uint32_t x, uint32_t y) {
  const uint8_t* p = DibPixelStart(image.dib.data()) + (image.height - 1 - y) * RowStride24(image.width) + 3 * x;
  return {p[2], p[1], p[0]};
}

std::vector<Rgb> Pixels(const GifImage& image) {
  std::vector<Rgb> v;
  for (uint32_t y = 0; y < image.height; ++y)
    for (uint32_t x = 0; x < image.width; ++x) v.push_back(PixelOf(image, x, y));
  return v;
}

TEST(GifReader, DecodesAPlainImageIntoTheCanonicalForm) {
  GifBuilder gif;
  gif.Header(3, 2, kFourColours).Image(3, 2, 2).Raw(SubBlocks(LiteralData({0, 1, 2, 3, 2, 1}))).Trailer();
  const auto image = DecodeBytes(gif.bytes);
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->dataError);
  EXPECT_FALSE(image->transparent);
  const DibHeader h = ReadDibHeader(image->dib.data());
  EXPECT_TRUE(IsCanonical24(h));
  EXPECT_EQ(h.width, 3u);
  EXPECT_EQ(h.height, 2u);
  EXPECT_EQ(Pixels(*image), (std::vector<Rgb>{kRed, kGreen, kBlue, kWhite, kBlue, kGreen}));
}

TEST(GifReader, PictureHasTheImageSizeNotTheScreenSize) {
  GifBuilder gif;
  gif.Header(10, 10, kFourColours).Image(2, 1, 2, false, {}, 5, 7).Raw(SubBlocks(LiteralData({3, 1}))).Trailer();
  const auto image = DecodeBytes(gif.bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 2u);
  EXPECT_EQ(image->height, 1u);
  EXPECT_EQ(Pixels(*image), (std::vector<Rgb>{kWhite, kGreen}));
}

TEST(GifReader, LocalTableOverwritesTheFrontOfTheGlobalOne) {
  // Local table of 2 entries over a global one of 4: index 2 keeps the global colour.
  GifBuilder gif;
  gif.Header(3, 1, kFourColours)
      .Image(3, 1, 2, false, {9, 9, 9, 7, 7, 7})
      .Raw(SubBlocks(LiteralData({0, 1, 2})))
      .Trailer();
  const auto image = DecodeBytes(gif.bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(Pixels(*image), (std::vector<Rgb>{{9, 9, 9}, {7, 7, 7}, kBlue}));
}

TEST(GifReader, IndicesBeyondEveryTableAreBlack) {
  GifBuilder gif;
  gif.Header(2, 1, {10, 20, 30, 40, 50, 60}).Image(2, 1, 2).Raw(SubBlocks(LiteralData({1, 3}))).Trailer();
  const auto image = DecodeBytes(gif.bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(Pixels(*image), (std::vector<Rgb>{{40, 50, 60}, kBlack}));
}

TEST(GifReader, TransparencyComesFromTheGraphicControlExtension) {
  struct Case {
    const char* name;
    std::vector<uint8_t> extensions;
    bool transparent;
    Rgb colour;
  };
  auto ext = [](uint8_t label, std::vector<uint8_t> data) {
    GifBuilder b;
    b.Extension(label, data);
    return b.bytes;
  };
  const std::vector<Case> cases = {
      {"transparent index 2", ext(0xF9, {0x01, 0, 0, 2}), true, kBlue},
      {"flag off", ext(0xF9, {0x00, 0, 0, 2}), false, {}},
      {"application extension only", ext(0xFF, {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'}), false, {}},
      {"control block too short", ext(0xF9, {0x01, 0, 0}), false, {}},
      {"comment then control", [&] {
         auto v = ext(0xFE, {'h', 'i'});
         auto c = ext(0xF9, {0x05, 10, 0, 3});
         v.insert(v.end(), c.begin(), c.end());
         return v;
       }(), true, kWhite},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GifBuilder gif;
    gif.Header(1, 1, kFourColours).Raw(c.extensions).Image(1, 1, 2).Raw(SubBlocks(LiteralData({0}))).Trailer();
    const auto image = DecodeBytes(gif.bytes);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->transparent, c.transparent);
    if (c.transparent) {
      EXPECT_EQ(image->transparentColour, (std::array<uint8_t, 3>{c.colour.r, c.colour.g, c.colour.b}));
    }
  }
}

TEST(GifReader, InterlacedRowsLandInTheirPlaces) {
  for (uint16_t height : {1, 2, 3, 4, 5, 8, 9, 17}) {
    SCOPED_TRACE(height);
    // Transmitted row k is filled with index k % 4; the picture row it goes
    // to follows the four passes (0, 8, 16...; 4, 12...; 2, 6...; 1, 3...).
    std::vector<uint32_t> order;
    for (uint32_t y = 0; y < height; y += 8) order.push_back(y);
    for (uint32_t y = 4; y < height; y += 8) order.push_back(y);
    for (uint32_t y = 2; y < height; y += 4) order.push_back(y);
    for (uint32_t y = 1; y < height; y += 2) order.push_back(y);
    std::vector<uint8_t> indices;
    for (uint32_t k = 0; k < height; ++k) indices.insert(indices.end(), 2, static_cast<uint8_t>(k % 4));
    GifBuilder gif;
    gif.Header(2, height, kFourColours).Image(2, height, 2, true).Raw(SubBlocks(LiteralData(indices))).Trailer();
    const auto image = DecodeBytes(gif.bytes);
    ASSERT_TRUE(image);
    const Rgb colours[4] = {kRed, kGreen, kBlue, kWhite};
    for (uint32_t k = 0; k < height; ++k) EXPECT_EQ(PixelOf(*image, 1, order[k]), colours[k % 4]) << "row " << k;
  }
}

TEST(GifReader, ReadsOnlyTheFirstImage) {
  GifBuilder gif;
  gif.Header(2, 1, kFourColours)
      .Image(2, 1, 2)
      .Raw(SubBlocks(LiteralData({1, 1})))
      .GraphicControl(true, 1)
      .Image(2, 1, 2)
      .Raw(SubBlocks(LiteralData({2, 2})))
      .Trailer();
  const auto image = DecodeBytes(gif.bytes);
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->transparent) << "the control block belongs to the second image";
  EXPECT_EQ(Pixels(*image), (std::vector<Rgb>{kGreen, kGreen}));
}

TEST(GifReader, EarlyEndOfDataLeavesIndexZero) {
  // End code after two of six pixels: the rest take colour-table entry 0.
  GifBuilder gif;
  gif.Header(3, 2, {10, 10, 10, 255, 255, 255}).Image(3, 2, 2).Raw(SubBlocks(LiteralData({1, 1}))).Trailer();
  const auto image = DecodeBytes(gif.bytes);
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->dataError);
  const Rgb grey{10, 10, 10};
  EXPECT_EQ(Pixels(*image), (std::vector<Rgb>{kWhite, kWhite, grey, grey, grey, grey}));
}

TEST(GifReader, RowsAfterTheEndOfDataAllTakeIndexZero) {
  // The rows after the data has run out are filled at once (copied, or left
  // as they are when entry 0 is black); every one of them, interlaced or not.
  for (const Rgb zero : {Rgb{10, 20, 30}, kBlack}) {
    for (const bool interlaced : {false, true}) {
      SCOPED_TRACE(::testing::Message() << int{zero.r} << (interlaced ? " interlaced" : ""));
      GifBuilder gif;
      gif.Header(3, 11, {zero.r, zero.g, zero.b, 255, 255, 255})
          .Image(3, 11, 2, interlaced)
          .Raw(SubBlocks(LiteralData({1, 1, 1, 1})))
          .Trailer();
      const auto image = DecodeBytes(gif.bytes);
      ASSERT_TRUE(image);
      EXPECT_FALSE(image->dataError);
      // Transmitted row 0 is picture row 0 either way; row 1 starts with one white pixel
      // and lands on row 1 or, interlaced, on row 8.
      std::vector<Rgb> expected(3 * 11, zero);
      expected[0] = expected[1] = expected[2] = kWhite;
      expected[3 * (interlaced ? 8 : 1)] = kWhite;
      EXPECT_EQ(Pixels(*image), expected);
    }
  }
}

TEST(GifReader, BrokenDataKeepsTheRowsDecodedSoFar) {
  // Three rows of 2; the input ends inside the second row (its first pixel
  // comes from the padding bits): row 0 is kept, the failing row and
  // everything below stay black.
  std::vector<uint8_t> data = LiteralData({1, 2}, false);
  GifBuilder gif;
  gif.Header(2, 3, kFourColours).Image(2, 3, 2).Raw(SubBlocks(data, 255, false));
  const auto image = DecodeBytes(gif.bytes);
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->dataError);
  EXPECT_EQ(Pixels(*image), (std::vector<Rgb>{kGreen, kBlue, kBlack, kBlack, kBlack, kBlack}));
}

TEST(GifReader, RefusesFilesWithoutADecodableImage) {
  auto header = [](uint16_t w, uint16_t h) {
    GifBuilder g;
    g.Header(w, h, kFourColours);
    return g;
  };
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> notGif = header(1, 1).Image(1, 1, 2).Raw(SubBlocks(LiteralData({0}))).Trailer().bytes;
  notGif[0] = 'J';
  std::vector<uint8_t> shortScreen = header(1, 1).bytes;
  shortScreen.resize(10);
  std::vector<uint8_t> shortDescriptor = header(1, 1).Image(1, 1, 2).bytes;
  shortDescriptor.resize(shortDescriptor.size() - 4);
  const std::vector<Case> cases = {
      {"empty file", {}},
      {"no GIF signature", notGif},
      {"short screen descriptor", shortScreen},
      {"trailer before any image", header(1, 1).Trailer().bytes},
      {"end of file before any image", header(1, 1).GraphicControl(true, 0).bytes},
      {"end of file inside an extension", header(1, 1).Raw({0x21, 0xFE, 10, 'a'}).bytes},
      {"short image descriptor", shortDescriptor},
      {"minimum code size 1", header(1, 1).Image(1, 1, 1).Raw(SubBlocks({0x4C})).Trailer().bytes},
      {"minimum code size 12", header(1, 1).Image(1, 1, 12).Raw(SubBlocks({0, 0x10, 1})).Trailer().bytes},
      {"missing code size", header(1, 1).Raw({0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0}).bytes},
      {"zero width", header(1, 1).Image(0, 1, 2).Raw(SubBlocks(LiteralData({0}))).Trailer().bytes},
      {"zero height", header(1, 1).Image(1, 0, 2).Raw(SubBlocks(LiteralData({0}))).Trailer().bytes},
      // 65535 x 65535 and 20000 x 20000 are more than the 32-bit build holds.
      {"largest possible image", header(65535, 65535).Image(65535, 65535, 2).Raw(SubBlocks(LiteralData({0}))).bytes},
      {"image just over the limit", header(1, 1).Image(20000, 20000, 2).Raw(SubBlocks(LiteralData({0}))).bytes},
  };
  const testing::Budget32 budget;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(DecodeBytes(c.bytes).has_value());
  }
}

TEST(GifReader, SkipsStrayBytesBetweenBlocks) {
  GifBuilder gif;
  gif.Header(1, 1, kFourColours).Raw({0x00, 0x99}).Image(1, 1, 2).Raw(SubBlocks(LiteralData({2}))).Trailer();
  const auto image = DecodeBytes(gif.bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(PixelOf(*image, 0, 0), kBlue);
}

class GifReadFile : public ::testing::Test {
 protected:
  void TearDown() override { CurrentReaderFlags() = {}; }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = folder.Path(name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  testing::TempFolder folder;
  testing::RecordingShell shell;
  ImageDoc doc;
};

TEST_F(GifReadFile, FillsTheDocument) {
  GifBuilder gif;
  gif.Header(2, 1, kFourColours).GraphicControl(true, 3).Image(2, 1, 2).Raw(SubBlocks(LiteralData({3, 0}))).Trailer();
  ASSERT_NE(ReadGifFile(shell, Write("a.gif", gif.bytes), doc), 0);
  EXPECT_TRUE(shell.errors.empty());
  EXPECT_EQ(doc.width, 2);
  EXPECT_EQ(doc.height, 1);
  EXPECT_EQ(doc.bitCount, 24);
  EXPECT_EQ(doc.fileHeader[0], 'B');
  EXPECT_EQ(doc.fileHeader[1], 'M');
  EXPECT_EQ(doc.useTransparent, 1);
  EXPECT_EQ(doc.transparentColor, (std::array<uint8_t, 3>{255, 255, 255}));
  EXPECT_EQ(testing::PixelOf(doc, 1, 0), kRed);
}

TEST_F(GifReadFile, MissingFileNamesThePath) {
  const std::string path = folder.Path("missing.gif");
  EXPECT_EQ(ReadGifFile(shell, path, doc), 0);
  EXPECT_EQ(shell.errors, (std::vector<std::string>{"can't open " + path + "\n"}));
  EXPECT_FALSE(doc.HasPicture());
}

TEST_F(GifReadFile, FormatErrorsAreReportedOnlyWhileLibraryMessagesAreOn) {
  const std::string path = Write("bad.gif", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B});
  EXPECT_EQ(ReadGifFile(shell, path, doc), 0);
  EXPECT_EQ(shell.errors, (std::vector<std::string>{"gif read error"}));
  EXPECT_FALSE(doc.HasPicture());

  CurrentReaderFlags().showLibraryMessages = false;
  shell.errors.clear();
  EXPECT_EQ(ReadGifFile(shell, path, doc), 0);
  EXPECT_TRUE(shell.errors.empty());
}

TEST_F(GifReadFile, BrokenDataIsReportedButTheLoadSucceeds) {
  GifBuilder gif;
  // One pixel of data, no terminator: the second row runs out of input.
  gif.Header(1, 2, kFourColours).Image(1, 2, 2).Raw(SubBlocks(LiteralData({1}, false), 255, false));
  const std::string path = Write("cut.gif", gif.bytes);
  EXPECT_NE(ReadGifFile(shell, path, doc), 0);
  EXPECT_EQ(shell.errors, (std::vector<std::string>{"gif read error"}));
  EXPECT_EQ(testing::PixelOf(doc, 0, 0), kGreen);
  EXPECT_EQ(testing::PixelOf(doc, 0, 1), kBlack);

  CurrentReaderFlags().showLibraryMessages = false;
  shell.errors.clear();
  ImageDoc quiet;
  EXPECT_NE(ReadGifFile(shell, path, quiet), 0);
  EXPECT_TRUE(shell.errors.empty());
}

}  // namespace
}  // namespace veilo
