// Reading TIFF files: small files built here byte by byte (sizes, limits,
// damage), Unicode paths, and silence on every failure.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "formats/tiff_reader.h"
#include "platform/file_io.h"
#include "ppm_reference.h"
#include "doc/picture_limits.h"
#include "formats/file_messages.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

// A little-endian, uncompressed, single-strip 8-bit gray TIFF whose tags
// claim width x height; `pixels` are stored as given (possibly fewer than
// claimed).
std::vector<uint8_t> GrayTiff(uint32_t width, uint32_t height, const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> out{'I', 'I', 42, 0, 8, 0, 0, 0};
  auto put16 = [&](uint32_t v) { out.push_back(static_cast<uint8_t>(v)); out.push_back(static_cast<uint8_t>(v >> 8)); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
  struct Tag { uint16_t id, type; uint32_t value; };
  const uint32_t entries = 9;
  const uint32_t dataOffset = 8 + 2 + entries * 12 + 4;
  const Tag tags[entries] = {
      {256, 4, width}, {257, 4, height}, {258, 3, 8}, {259, 3, 1}, {262, 3, 1},
      {273, 4, dataOffset}, {277, 3, 1}, {278, 4, height}, {279, 4, static_cast<uint32_t>(pixels.size())}};
  put16(entries);
  for (const Tag& t : tags) {
    put16(t.id);
    put16(t.type);
    put32(1);
    if (t.type == 3) { put16(t.value); put16(0); } else { put32(t.value); }
  }
  put32(0);  // no next directory
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

class TiffReaderTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = folder_.Path(name);
    FilePtr f = OpenFile(path, "wb");
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f.get());
    return path;
  }
  // No TIFF failure is reported, except a size this build cannot hold.
  int Load(const std::string& path, const std::vector<std::string>& errors = {}) {
    doc_ = ImageDoc{};
    doc_.path = path;
    testing::RecordingShell shell;
    const int result = ReadTiffFile(shell, doc_);
    EXPECT_EQ(shell.errors, errors);
    return result;
  }
  testing::TempFolder folder_;
  ImageDoc doc_;
};

TEST_F(TiffReaderTest, GrayPixelsArriveAsEqualChannelsTopRowFirst) {
  ASSERT_EQ(Load(Write("g.tif", GrayTiff(3, 2, {0, 100, 255, 7, 8, 9}))), 1);
  EXPECT_EQ(doc_.width, 3);
  EXPECT_EQ(doc_.height, 2);
  EXPECT_EQ(doc_.bitCount, 24);
  EXPECT_EQ(doc_.fileHeader[0], 'B');
  EXPECT_EQ(doc_.fileHeader[1], 'M');
  EXPECT_EQ(testing::PixelOf(doc_, 1, 0), (testing::Rgb{100, 100, 100}));
  EXPECT_EQ(testing::PixelOf(doc_, 2, 0), (testing::Rgb{255, 255, 255}));
  EXPECT_EQ(testing::PixelOf(doc_, 0, 1), (testing::Rgb{7, 7, 7}));
}

TEST_F(TiffReaderTest, SizesBeyondTheLimitsAreRefusedBeforeAllocating) {
  // 60000 x 60000 would need a 10 GB picture; 70000 is beyond what a
  // document holds; 0 is no picture.
  for (const auto& [w, h] : {std::pair<uint32_t, uint32_t>{60000, 60000}, {70000, 1}, {1, 70000}, {0, 5}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    std::vector<std::string> errors;
    if (w == 60000) errors.push_back(PictureTooLargeText(w, h, false, kBuildPointerBits));
    EXPECT_EQ(Load(Write("big.tif", GrayTiff(w, h, {1, 2, 3, 4})), errors), 0);
    EXPECT_FALSE(doc_.HasPicture());
  }
}

TEST_F(TiffReaderTest, DamagedFilesEndWithoutCrashOrMessage) {
  const std::vector<uint8_t> whole = GrayTiff(16, 16, std::vector<uint8_t>(256, 50));
  for (size_t keep : {size_t{0}, size_t{4}, size_t{9}, size_t{60}, whole.size() - 100}) {
    SCOPED_TRACE(keep);
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep));
    const int result = Load(Write("cut.tif", cut));
    EXPECT_EQ(result == 1, doc_.HasPicture());
  }
  EXPECT_EQ(Load(Write("text.tif", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'})), 0);
  EXPECT_EQ(Load(folder_.Path("missing.tif")), 0);
}

// Damaged bytes in the directory or the pixel data end in a picture or a
// silent refusal, never a crash (the sanitizers watch) or a hang.
TEST_F(TiffReaderTest, MutatedFilesLoadOrAreRefused) {
  std::vector<std::vector<uint8_t>> originals{GrayTiff(16, 16, std::vector<uint8_t>(256, 90))};
  const std::string packBits = testing::SharedDataPath("libtiff/minisblack-2c-8b-alpha.tiff");
  if (std::filesystem::exists(packBits)) originals.push_back(testing::ReadFileBytes(packBits));
  std::mt19937 random(3);
  for (const std::vector<uint8_t>& original : originals) {
    for (int round = 0; round < 150; ++round) {
      std::vector<uint8_t> bytes = original;
      const int flips = 1 + round % 4;
      // Half the rounds aim at the header and first directory.
      const size_t span = round % 2 ? bytes.size() : std::min<size_t>(bytes.size(), 160);
      for (int k = 0; k < flips; ++k) bytes[random() % span] = static_cast<uint8_t>(random());
      const int result = Load(Write("mutated.tif", bytes));
      EXPECT_EQ(result == 1, doc_.HasPicture());
    }
  }
}

TEST_F(TiffReaderTest, UnicodePathsWork) {
  const std::string source = testing::SharedDataPath("libtiff/rgb-3c-8b.tiff");
  if (!std::filesystem::exists(source)) GTEST_SKIP() << "corpus not present";
  const std::string path = folder_.Path("写真ファイル.tif");
  Write("写真ファイル.tif", testing::ReadFileBytes(source));
  ASSERT_EQ(Load(path), 1);
  EXPECT_EQ(doc_.width, 157);
  EXPECT_EQ(doc_.height, 151);
}

}  // namespace
}  // namespace veilo
