// Writing JPEG files: the options, the CP code segment, and saving that
// never destroys the file being replaced.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "file_size_limit.h"
#include "formats/jpeg_cp_block.h"
#include "formats/jpeg_reader.h"
#include "formats/jpeg_writer.h"
#include "jpeg_test_files.h"
#include "ppm_reference.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::ParseJpegLayout;
using testing::ReadFileBytes;

CpCode Code(const std::string& letters) {
  CpCode code{};
  std::copy(letters.begin(), letters.end(), code.begin());
  return code;
}

// Smooth colours with some detail: what photographs look like to a coder.
ImageDoc MakePhotoDoc(int32_t width, int32_t height) {
  return testing::MakeDoc(width, height, [](int32_t x, int32_t y) {
    return testing::Rgb{static_cast<uint8_t>(x * 4 + y), static_cast<uint8_t>(255 - y * 3),
                        static_cast<uint8_t>((x * y) % 200 + (x % 7) * 5)};
  });
}

class JpegWriterTest : public ::testing::Test {
 protected:
  std::vector<uint8_t> Write(const ImageDoc& doc, const JpegWriteOptions& options = {}) {
    const std::string path = folder_.Path("out" + std::to_string(count_++) + ".jpg");
    EXPECT_EQ(WriteJpegFile(shell_, path, doc, options), 0);
    return ReadFileBytes(path);
  }
  ImageDoc ReadBack(const std::vector<uint8_t>& file, const JpegReadOptions& options = {}) {
    ImageDoc doc;
    doc.path = folder_.Path("in" + std::to_string(count_++) + ".jpg");
    EXPECT_TRUE(testing::WriteFileBytes(doc.path, file));
    EXPECT_EQ(ReadJpegFile(shell_, doc, options), 1);
    return doc;
  }

  testing::TempFolder folder_;
  testing::RecordingShell shell_;
  int count_ = 0;
};

int MaxChannelDifference(ImageDoc& a, ImageDoc& b) {
  int worst = 0;
  for (int32_t y = 0; y < a.height; ++y)
    for (int32_t x = 0; x < a.width; ++x) {
      const testing::Rgb p = testing::PixelOf(a, x, y), q = testing::PixelOf(b, x, y);
      worst = std::max({worst, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
    }
  return worst;
}

TEST_F(JpegWriterTest, DefaultsGiveBaselineQuality80WithoutChromaSubsampling) {
  const std::vector<uint8_t> file = Write(MakePhotoDoc(40, 30));
  const testing::JpegLayout layout = ParseJpegLayout(file);
  EXPECT_EQ(layout.sofMarker, 0xC0);
  EXPECT_EQ(layout.width, 40);
  EXPECT_EQ(layout.height, 30);
  EXPECT_EQ(layout.app0Length, 16);  // no CP code: the library's own JFIF segment
  EXPECT_EQ(layout.firstLuminanceQuant, 6);  // 16 scaled to quality 80
  ASSERT_EQ(layout.components.size(), 3u);
  for (const auto& c : layout.components) EXPECT_EQ(c.h * 10 + c.v, 11) << "component " << c.id;
  EXPECT_TRUE(shell_.errors.empty());
}

TEST_F(JpegWriterTest, EveryOptionChangesTheFile) {
  ImageDoc doc = testing::MakeNoiseDoc(48, 40);  // noise makes Huffman optimisation pay
  const std::vector<uint8_t> plain = Write(doc);

  JpegWriteOptions quality30;
  quality30.quality = 30;
  EXPECT_EQ(ParseJpegLayout(Write(doc, quality30)).firstLuminanceQuant, 27);

  JpegWriteOptions progressive;
  progressive.progressive = true;
  const auto progressiveLayout = ParseJpegLayout(Write(doc, progressive));
  EXPECT_EQ(progressiveLayout.sofMarker, 0xC2);
  EXPECT_GT(progressiveLayout.scans, 1);

  JpegWriteOptions subsampled;
  subsampled.sampling1x1 = false;
  const auto subsampledLayout = ParseJpegLayout(Write(doc, subsampled));
  ASSERT_EQ(subsampledLayout.components.size(), 3u);
  EXPECT_EQ(subsampledLayout.components[0].h, 2);
  EXPECT_EQ(subsampledLayout.components[0].v, 2);

  JpegWriteOptions standardTables;
  standardTables.optimize = false;
  EXPECT_GT(Write(doc, standardTables).size(), plain.size());

  JpegWriteOptions smoothed;
  smoothed.smoothingOn = true;
  smoothed.smoothing = 100;
  EXPECT_NE(Write(doc, smoothed), plain);
  // The factor only counts while smoothing is switched on.
  JpegWriteOptions factorOnly;
  factorOnly.smoothing = 100;
  EXPECT_EQ(Write(doc, factorOnly), plain);
}

TEST_F(JpegWriterTest, Quality100ReadsBackCloseToTheSource) {
  JpegWriteOptions best;
  best.quality = 100;
  for (const auto& [w, h] : {std::pair{64, 48}, std::pair{1, 1}, std::pair{17, 9}, std::pair{3, 31}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    ImageDoc source = MakePhotoDoc(w, h);
    ImageDoc back = ReadBack(Write(source, best));
    ASSERT_EQ(back.width, w);
    ASSERT_EQ(back.height, h);
    EXPECT_LE(MaxChannelDifference(source, back), 3);
  }
}

TEST_F(JpegWriterTest, CpCodesTravelInAWiderJfifSegment) {
  ImageDoc doc = MakePhotoDoc(24, 16);
  const std::vector<uint8_t> without = Write(doc);
  doc.cpCodes = {Code("VEILO"), Code(""), Code("ABCDEFGHIJKLMNOP")};
  const std::vector<uint8_t> with = Write(doc);

  EXPECT_EQ(ParseJpegLayout(with).app0Length, 64);
  // Exactly the library's file with the block spliced in after the JFIF fields.
  std::vector<uint8_t> spliced(without.begin(), without.begin() + 4);
  spliced.insert(spliced.end(), {0x00, 0x40});
  spliced.insert(spliced.end(), without.begin() + 6, without.begin() + 20);
  const CpBlock block = EncodeCpBlock(doc.cpCodes);
  spliced.insert(spliced.end(), block.begin(), block.end());
  spliced.insert(spliced.end(), without.begin() + 20, without.end());
  EXPECT_EQ(with, spliced);

  ImageDoc back = ReadBack(with);
  EXPECT_EQ(back.cpCodes, doc.cpCodes);
  ImageDoc backWithout = ReadBack(without);
  EXPECT_EQ(testing::DescribePixelDifference(back, backWithout), "");
}

TEST_F(JpegWriterTest, CodesAreEmbeddedOnlyWhenTheFirstSlotIsInUse) {
  ImageDoc doc = MakePhotoDoc(8, 8);
  doc.cpCodes = {Code(""), Code("ABC"), Code("XYZ")};
  EXPECT_EQ(ParseJpegLayout(Write(doc)).app0Length, 16);
}

TEST_F(JpegWriterTest, ProgressGoesToTheMessagePane) {
  JpegWriteOptions english;
  english.englishMessages = true;
  Write(MakePhotoDoc(10, 25), english);
  ASSERT_EQ(shell_.messagePane.size(), 10u);
  EXPECT_EQ(shell_.messagePane.front(), "JPEG 10% Write...");
  EXPECT_EQ(shell_.messagePane.back(), "JPEG 100% Write...");
}

// ---- saving never destroys the existing file ----

void WriteText(const std::string& path, const std::string& text) {
  testing::WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string ReadText(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  return {bytes.begin(), bytes.end()};
}

TEST(JpegSafeSave, ReplacesAnExistingFileAndLeavesNoTemporary) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  const std::string target = folder.Path("photo.jpg");
  WriteText(target, "the user's old file");
  ASSERT_EQ(WriteJpegFile(shell, target, MakePhotoDoc(16, 16)), 0);
  EXPECT_EQ(ParseJpegLayout(ReadFileBytes(target)).width, 16);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"photo.jpg"});
}

TEST(JpegSafeSave, LibraryErrorKeepsTheOldFileAndShowsTheLibrarysMessage) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  const std::string target = folder.Path("photo.jpg");
  WriteText(target, "the user's old file");
  ImageDoc doc = testing::MakeDoc(65501, 1, [](int32_t, int32_t) { return testing::Rgb{1, 2, 3}; });
  EXPECT_NE(WriteJpegFile(shell, target, doc), 0);
  EXPECT_EQ(shell.errors, std::vector<std::string>{"Maximum supported image dimension is 65500 pixels"});
  EXPECT_EQ(ReadText(target), "the user's old file");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"photo.jpg"});
}

TEST(JpegSafeSave, MissingFolderShowsCantOpen) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  const std::string target = folder.Path("no-such-folder/photo.jpg");
  EXPECT_NE(WriteJpegFile(shell, target, MakePhotoDoc(4, 4)), 0);
  EXPECT_EQ(shell.errors, std::vector<std::string>{"can't open " + target + "\n"});
  EXPECT_TRUE(folder.Entries().empty());
}

#ifndef _WIN32
TEST(JpegSafeSave, WriteFailingHalfwayLeavesTheOriginalIntact) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  const std::string target = folder.Path("photo.jpg");
  WriteText(target, "the user's old file");
  ImageDoc doc = testing::MakeNoiseDoc(300, 300);  // far more than the limit below
  doc.cpCodes[0] = Code("ABC");
  int result = 0;
  {
    testing::FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active());
    result = WriteJpegFile(shell, target, doc);
  }
  EXPECT_NE(result, 0);
  EXPECT_EQ(shell.errors, std::vector<std::string>{"Output file write error --- out of disk space?"});
  EXPECT_EQ(ReadText(target), "the user's old file");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"photo.jpg"});
}
#endif

}  // namespace
}  // namespace veilo
