// Reading JPEG files: colour spaces, the read options, CP codes, messages,
// and files that are damaged or hostile.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "formats/jpeg_cp_block.h"
#include "formats/jpeg_reader.h"
#include "formats/jpeg_writer.h"
#include "jpeg_test_files.h"
#include "ppm_reference.h"
#include "formats/file_messages.h"
#include "picture_budget.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::Rgb;

CpCode Code(const std::string& letters) {
  CpCode code{};
  std::copy(letters.begin(), letters.end(), code.begin());
  return code;
}

ImageDoc MakeColourfulDoc(int32_t width, int32_t height) {
  return testing::MakeDoc(width, height, [](int32_t x, int32_t y) {
    return Rgb{static_cast<uint8_t>(x * 16), static_cast<uint8_t>(y * 16), static_cast<uint8_t>((x ^ y) * 40)};
  });
}

class JpegReaderTest : public ::testing::Test {
 protected:
  std::string Store(const std::vector<uint8_t>& file) {
    const std::string path = folder_.Path("file" + std::to_string(count_++) + ".jpg");
    EXPECT_TRUE(testing::WriteFileBytes(path, file));
    return path;
  }
  std::vector<uint8_t> Encode(const ImageDoc& doc, const JpegWriteOptions& options = {}) {
    const std::string path = folder_.Path("file" + std::to_string(count_++) + ".jpg");
    testing::RecordingShell quiet;
    EXPECT_EQ(WriteJpegFile(quiet, path, doc, options), 0);
    return testing::ReadFileBytes(path);
  }
  // Reads `path` into `doc`; returns the reader's result.
  int Read(ImageDoc& doc, const std::string& path, const JpegReadOptions& options = {}) {
    doc.path = path;
    return ReadJpegFile(shell_, doc, options);
  }

  testing::TempFolder folder_;
  testing::RecordingShell shell_;
  int count_ = 0;
};

// ---- colour spaces ----

struct FourComponentCase {
  const char* name;
  testing::FourComponentStorage storage;
  bool adobe;
};

TEST_F(JpegReaderTest, CmykAndYcckShowTheirColours) {
  // Ink amounts per block of 8 x 8 pixels, and the colour they print.
  struct Swatch {
    testing::Cmyk ink;
    Rgb colour;
  };
  const Swatch swatches[] = {
      {{0, 0, 0, 0}, {255, 255, 255}},   {{255, 0, 0, 0}, {0, 255, 255}},  {{0, 255, 0, 0}, {255, 0, 255}},
      {{0, 0, 255, 0}, {255, 255, 0}},   {{0, 0, 0, 255}, {0, 0, 0}},      {{0, 128, 255, 0}, {255, 127, 0}},
      {{64, 0, 0, 128}, {95, 127, 127}}, {{0, 0, 0, 64}, {191, 191, 191}},
  };
  const FourComponentCase cases[] = {
      {"CMYK, Adobe", testing::FourComponentStorage::kCmyk, true},
      {"CMYK, plain", testing::FourComponentStorage::kCmyk, false},
      {"YCCK, Adobe", testing::FourComponentStorage::kYcck, true},
  };
  for (const FourComponentCase& c : cases) {
    SCOPED_TRACE(c.name);
    // Adobe's files store 255 - ink.
    const auto sample = [&](int32_t x, int32_t) {
      testing::Cmyk s = swatches[x / 8].ink;
      if (c.adobe)
        for (uint8_t& v : s) v = static_cast<uint8_t>(255 - v);
      return s;
    };
    ImageDoc doc;
    ASSERT_EQ(Read(doc, Store(testing::EncodeFourComponentJpeg(64, 8, sample, c.storage, c.adobe))), 1);
    ASSERT_EQ(doc.width, 64);
    for (int32_t i = 0; i < 8; ++i) {
      const Rgb got = testing::PixelOf(doc, i * 8 + 3, 4);
      const Rgb want = swatches[i].colour;
      EXPECT_LE(std::abs(got.r - want.r) + std::abs(got.g - want.g) + std::abs(got.b - want.b), 6)
          << "swatch " << i << ": " << int(got.r) << "," << int(got.g) << "," << int(got.b);
    }
  }
  EXPECT_TRUE(shell_.errors.empty());
}

TEST_F(JpegReaderTest, GrayscaleGivesEqualChannels) {
  const std::string path = testing::SharedDataPath("libjpeg-turbo/testimggray.jpg");
  ImageDoc doc;
  if (testing::ReadFileBytes(path).empty()) GTEST_SKIP() << "corpus not present";
  ASSERT_EQ(Read(doc, path), 1);
  EXPECT_EQ(doc.bitCount, 24);
  int shades = 0;
  for (int32_t y = 0; y < doc.height; y += 3)
    for (int32_t x = 0; x < doc.width; x += 3) {
      const Rgb p = testing::PixelOf(doc, x, y);
      ASSERT_TRUE(p.r == p.g && p.g == p.b) << x << "," << y;
      shades += p.r != 0;
    }
  EXPECT_GT(shades, 0);
}

// ---- read options ----

TEST_F(JpegReaderTest, NoSmoothAndFastPreviewChangeTheDecodeOfSubsampledFiles) {
  JpegWriteOptions subsampled;
  subsampled.sampling1x1 = false;
  const std::string path = Store(Encode(MakeColourfulDoc(32, 32), subsampled));
  ImageDoc fancy, plain, fast;
  JpegReadOptions noSmooth;
  noSmooth.noSmoothRead = true;
  JpegReadOptions preview;
  preview.fastPreview = true;
  ASSERT_EQ(Read(fancy, path), 1);
  ASSERT_EQ(Read(plain, path, noSmooth), 1);
  ASSERT_EQ(Read(fast, path, preview), 1);
  EXPECT_NE(testing::DescribePixelDifference(fancy, plain), "");
  EXPECT_NE(testing::DescribePixelDifference(fancy, fast), "");
  EXPECT_EQ(fast.width, 32);
  EXPECT_EQ(fast.height, 32);
}

// ---- CP codes ----

TEST_F(JpegReaderTest, CodesOfAFileMadeByAnotherEncoderAreRead) {
  // cjpeg's output with the block spliced in by scripts/make-jpeg-test-data.py,
  // which encodes the codes without our C++ code.
  ImageDoc doc;
  ASSERT_EQ(Read(doc, testing::TestDataPath("jpeg/cp-codes.jpg")), 1);
  EXPECT_EQ(doc.cpCodes[0], Code("VEILO"));
  EXPECT_EQ(doc.cpCodes[1], Code(""));
  EXPECT_EQ(doc.cpCodes[2], Code("ABCDEFGHIJKLMNOP"));
  EXPECT_EQ(doc.width, 16);
}

TEST_F(JpegReaderTest, FastPreviewAndPlainFilesLeaveTheCodesAlone) {
  const CpCodeSlots before = {Code("OLD"), Code("CODES"), Code("")};
  JpegReadOptions preview;
  preview.fastPreview = true;
  ImageDoc previewDoc;
  previewDoc.cpCodes = before;
  ASSERT_EQ(Read(previewDoc, testing::TestDataPath("jpeg/cp-codes.jpg"), preview), 1);
  EXPECT_EQ(previewDoc.cpCodes, before);

  ImageDoc plainDoc;
  plainDoc.cpCodes = before;
  ASSERT_EQ(Read(plainDoc, Store(Encode(MakeColourfulDoc(8, 8)))), 1);
  EXPECT_EQ(plainDoc.cpCodes, before);
}

TEST_F(JpegReaderTest, AThumbnailInA64ByteJfifSegmentIsNotTakenForCodes) {
  // JFIF with a 4 x 4 RGB thumbnail: its segment is 64 bytes long too.
  std::vector<uint8_t> file = Encode(MakeColourfulDoc(8, 8));
  std::vector<uint8_t> withThumbnail(file.begin(), file.begin() + 4);
  withThumbnail.insert(withThumbnail.end(), {0x00, 0x40});
  withThumbnail.insert(withThumbnail.end(), file.begin() + 6, file.begin() + 18);
  withThumbnail.insert(withThumbnail.end(), {4, 4});
  for (int i = 0; i < 48; ++i) withThumbnail.push_back(static_cast<uint8_t>(i * 5 + 3));
  withThumbnail.insert(withThumbnail.end(), file.begin() + 20, file.end());
  ImageDoc doc;
  ASSERT_EQ(Read(doc, Store(withThumbnail)), 1);
  EXPECT_EQ(doc.cpCodes, CpCodeSlots{});
}

// ---- messages ----

TEST_F(JpegReaderTest, MissingFileShowsCantOpenWithThePath) {
  ImageDoc doc;
  const std::string path = folder_.Path("missing.jpg");
  EXPECT_EQ(Read(doc, path), 0);
  EXPECT_EQ(shell_.errors, std::vector<std::string>{"can't open " + path + "\n"});
  EXPECT_FALSE(doc.HasPicture());
}

TEST_F(JpegReaderTest, LibraryErrorsShowTheLibrarysTextAndLeaveNoPicture) {
  ImageDoc doc = MakeColourfulDoc(4, 4);  // a picture from before must not survive
  const std::string text = "GIF89a is not a JPEG";
  EXPECT_EQ(Read(doc, Store(std::vector<uint8_t>(text.begin(), text.end()))), 0);
  EXPECT_EQ(shell_.errors, std::vector<std::string>{"Not a JPEG file: starts with 0x47 0x49"});
  EXPECT_FALSE(doc.HasPicture());
  EXPECT_EQ(doc.width, 0);
}

TEST_F(JpegReaderTest, LibraryMessagesCanBeSilenced) {
  JpegReadOptions silent;
  silent.showLibraryMessages = false;
  ImageDoc doc;
  EXPECT_EQ(Read(doc, Store({0xFF, 0xD8, 0xFF})), 0);
  EXPECT_EQ(shell_.errors, (std::vector<std::string>{"Premature end of JPEG file", "JPEG datastream contains no image"}));
  // A warning (truncated scan data) and an error, both unseen.
  const std::vector<uint8_t> whole = Encode(testing::MakeNoiseDoc(64, 64));
  EXPECT_EQ(Read(doc, Store({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2)}), silent), 1);
  EXPECT_EQ(Read(doc, Store({0xFF, 0xD8, 0xFF}), silent), 0);
  EXPECT_EQ(shell_.errors.size(), 2u) << "only the unsilenced read may speak";
}

TEST_F(JpegReaderTest, ProgressGoesToTheMessagePane) {
  const std::string path = Store(Encode(MakeColourfulDoc(4, 149)));
  ImageDoc doc;
  JpegReadOptions english;
  english.englishMessages = true;
  ASSERT_EQ(Read(doc, path, english), 1);
  ASSERT_EQ(shell_.messagePane.size(), 11u);
  EXPECT_EQ(shell_.messagePane.front(), "JPEG 0% Read...");
  EXPECT_EQ(shell_.messagePane.back(), "JPEG 100% Read...");
}

// ---- damaged and hostile files ----

TEST_F(JpegReaderTest, TruncatedScanDataGivesTheLibrarysWarningAndThePicture) {
  const std::vector<uint8_t> whole = Encode(testing::MakeNoiseDoc(64, 64));
  ImageDoc doc;
  ASSERT_EQ(Read(doc, Store({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * 2 / 3)})), 1);
  EXPECT_EQ(shell_.errors, std::vector<std::string>{"Premature end of JPEG file"});
  EXPECT_EQ(doc.width, 64);
  EXPECT_EQ(doc.height, 64);
}

TEST_F(JpegReaderTest, FilesCutInsideTheHeadersAreRefused) {
  const std::vector<uint8_t> whole = Encode(MakeColourfulDoc(16, 16));
  const size_t firstScan = testing::ParseJpegLayout(whole).scanOffsets.at(0);
  for (size_t length : {size_t{0}, size_t{2}, size_t{30}, firstScan}) {
    SCOPED_TRACE(length);
    shell_.errors.clear();
    ImageDoc doc;
    EXPECT_EQ(Read(doc, Store({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)})), 0);
    EXPECT_FALSE(shell_.errors.empty());
    EXPECT_FALSE(doc.HasPicture());
  }
}

std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> file, int width, int height) {
  const size_t sof = [&] {
    for (size_t i = 2; i + 1 < file.size(); ++i)
      if (file[i] == 0xFF && file[i + 1] == 0xC0) return i;
    return size_t{0};
  }();
  file[sof + 5] = static_cast<uint8_t>(height >> 8);
  file[sof + 6] = static_cast<uint8_t>(height);
  file[sof + 7] = static_cast<uint8_t>(width >> 8);
  file[sof + 8] = static_cast<uint8_t>(width);
  return file;
}

TEST_F(JpegReaderTest, PicturesBeyondTheSizeLimitAreRefusedBeforeAllocating) {
  // 30000 x 30000 would need 2.7 GB at 24 bits; a few hundred bytes claim it.
  const testing::Budget32 budget;
  const std::vector<uint8_t> file = WithFrameSize(Encode(MakeColourfulDoc(16, 16)), 30000, 30000);
  ImageDoc doc;
  EXPECT_EQ(Read(doc, Store(file)), 0);
  EXPECT_EQ(shell_.errors, std::vector<std::string>{PictureTooLargeText(30000, 30000, false, kBuildPointerBits)});
  EXPECT_FALSE(doc.HasPicture());
  // Just inside the limit, the same lie decodes as far as the data goes.
  shell_.errors.clear();
  ASSERT_EQ(Read(doc, Store(WithFrameSize(Encode(MakeColourfulDoc(16, 16)), 300, 200))), 1);
  EXPECT_EQ(doc.width, 300);
  EXPECT_EQ(doc.height, 200);
}

TEST_F(JpegReaderTest, ProgressiveFilesWithEndlessScansAreRefused) {
  JpegWriteOptions progressive;
  progressive.progressive = true;
  const std::vector<uint8_t> file = Encode(MakeColourfulDoc(16, 16), progressive);
  const testing::JpegLayout layout = testing::ParseJpegLayout(file);
  ASSERT_GT(layout.scans, 1);
  // The last scan repeated until the file holds 600 scans.
  std::vector<uint8_t> crafted(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(layout.eoiOffset));
  const std::vector<uint8_t> lastScan(file.begin() + static_cast<std::ptrdiff_t>(layout.scanOffsets.back()),
                                      file.begin() + static_cast<std::ptrdiff_t>(layout.eoiOffset));
  for (int i = layout.scans; i < 600; ++i) crafted.insert(crafted.end(), lastScan.begin(), lastScan.end());
  crafted.insert(crafted.end(), {0xFF, 0xD9});
  ImageDoc doc;
  EXPECT_EQ(Read(doc, Store(crafted)), 0);
  ASSERT_FALSE(shell_.errors.empty());
  EXPECT_EQ(shell_.errors.back(), "Progressive JPEG with more than 500 scans");
  EXPECT_FALSE(doc.HasPicture());
}

}  // namespace
}  // namespace veilo
