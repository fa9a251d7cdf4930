// Pictures too large for the build are refused by every reader from their
// header alone, with the size message instead of a read error. The 32-bit
// budget is imposed on this process, so files claiming 20000 x 15000 pixels
// (900 MB) but a few hundred bytes long stand for the real thing.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "doc/picture_limits.h"
#include "formats/file_messages.h"
#include "formats/image_dispatch.h"
#include "platform/file_io.h"
#include "platform/le_bytes.h"
#include "huge_pictures.h"
#include "png_test_files.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::RecordingShell;
using testing::TempFolder;

constexpr uint32_t kWidth = 20000;
constexpr uint32_t kHeight = 15000;

void PutBe16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}
void PutBe32(uint8_t* p, uint32_t v) {
  PutBe16(p, v >> 16);
  PutBe16(p + 2, v & 0xFFFF);
}

std::vector<uint8_t> HugeGif() {
  std::vector<uint8_t> f = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255, 0x2C,
                            0,   0,   0,   0,   0,   0,   0,   0, 0, 2, 2, 0x4C, 0x01, 0, 0x3B};
  PutLe16(f.data() + 6, kWidth);
  PutLe16(f.data() + 8, kHeight);
  PutLe16(f.data() + 24, kWidth);
  PutLe16(f.data() + 26, kHeight);
  return f;
}

// A small file written by our own writer, then given the huge size.
std::vector<uint8_t> WrittenThenEnlarged(const TempFolder& folder, const std::string& name) {
  ImageDoc doc = testing::MakeNoiseDoc(8, 8);
  RecordingShell shell;
  SaveOptions options = StartingSaveOptions(doc);
  const std::string path = folder.Path("small-" + name);
  EXPECT_EQ(SaveImageFile(shell, path, doc, options), 0) << name;
  std::vector<uint8_t> f;
  if (FilePtr file = OpenFile(path, "rb")) {
    uint8_t buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) f.insert(f.end(), buffer, buffer + got);
  }
  for (size_t i = 0; i + 1 < f.size(); ++i) {
    if (f[i] != 0xFF) continue;
    if (name.ends_with(".jpg") && f[i + 1] == 0xC0) {  // SOF0: height, then width
      PutBe16(f.data() + i + 5, kHeight);
      PutBe16(f.data() + i + 7, kWidth);
      return f;
    }
    if (name.ends_with(".jpc") && f[i + 1] == 0x51) {  // SIZ: size, offset, one tile of the whole size
      PutBe32(f.data() + i + 6, kWidth);
      PutBe32(f.data() + i + 10, kHeight);
      PutBe32(f.data() + i + 22, kWidth);
      PutBe32(f.data() + i + 26, kHeight);
      return f;
    }
  }
  ADD_FAILURE() << "no size marker in " << name;
  return f;
}

// Little-endian TIFF: one directory with width, length, 8-bit RGB, one strip.
std::vector<uint8_t> HugeTiff() {
  std::vector<uint8_t> f = {'I', 'I', 42, 0, 8, 0, 0, 0};
  const uint16_t entries[][2] = {{256, 4}, {257, 4}, {258, 3}, {259, 3}, {262, 3}, {273, 4}, {277, 3}, {278, 4}, {279, 4}};
  const uint32_t values[] = {kWidth, kHeight, 8, 1, 2, 0, 3, kHeight, 1};
  std::vector<uint8_t> dir(2 + 12 * std::size(entries) + 4, 0);
  PutLe16(dir.data(), static_cast<uint16_t>(std::size(entries)));
  for (size_t i = 0; i < std::size(entries); ++i) {
    uint8_t* e = dir.data() + 2 + 12 * i;
    PutLe16(e, entries[i][0]);
    PutLe16(e + 2, entries[i][1]);
    PutLe32(e + 4, 1);
    if (entries[i][1] == 3) PutLe16(e + 8, static_cast<uint16_t>(values[i]));
    else PutLe32(e + 8, values[i]);
  }
  // Bits per sample has three values: one for each channel, kept after the directory.
  const uint32_t bitsAt = static_cast<uint32_t>(f.size() + dir.size());
  uint8_t* bits = dir.data() + 2 + 12 * 2;
  PutLe32(bits + 4, 3);
  PutLe32(bits + 8, bitsAt);
  // The strip starts after the bits-per-sample values.
  PutLe32(dir.data() + 2 + 12 * 5 + 8, bitsAt + 6);
  f.insert(f.end(), dir.begin(), dir.end());
  for (int i = 0; i < 3; ++i) f.insert(f.end(), {8, 0});
  f.push_back(0);
  return f;
}

class PictureSizeRefusal : public ::testing::Test {
 protected:
  void SetUp() override { LimitPictureBudget(PictureBudgetBytes(32)); }
  void TearDown() override { LimitPictureBudget(UINT64_MAX); }
  TempFolder folder_;
};

TEST_F(PictureSizeRefusal, EveryReaderRefusesAHugeHeaderWithTheSizeMessage) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {"huge.bmp", testing::BmpHeaderClaiming(kWidth, kHeight)},
      {"huge.gif", HugeGif()},
      {"huge.png", testing::PngHeaderClaiming(kWidth, kHeight)},
      {"huge-alpha.png", testing::PngHeaderClaiming(kWidth, kHeight, true, true)},
      {"huge.tif", HugeTiff()},
      {"huge.jpg", WrittenThenEnlarged(folder_, "x.jpg")},
      {"huge.jpc", WrittenThenEnlarged(folder_, "x.jpc")},
  };
  for (bool english : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << c.name << (english ? " english" : " japanese"));
      const std::string path = folder_.Path(c.name);
      ASSERT_TRUE(testing::WriteFileBytes(path, c.bytes));
      ImageDoc doc;
      doc.path = path;
      RecordingShell shell;
      LoadOptions options;
      options.englishMessages = english;
      EXPECT_EQ(LoadImageFile(shell, doc, options), 1);
      EXPECT_FALSE(doc.HasPicture());
      const std::vector<std::string> expected = {PictureTooLargeText(kWidth, kHeight, english, kBuildPointerBits)};
      EXPECT_EQ(shell.errors, expected);
      EXPECT_EQ(shell.waitDepth, 0);
    }
  }
}

TEST_F(PictureSizeRefusal, TheSameFilesStillFailAsDamagedWhereThePictureFits) {
  // With the 64-bit budget the header passes and the missing pixel data is
  // what fails: the reader's own error, never the size message.
  LimitPictureBudget(UINT64_MAX);
  if (sizeof(void*) < 8) GTEST_SKIP() << "needs a 64-bit build";
  const std::string path = folder_.Path("huge.bmp");
  ASSERT_TRUE(testing::WriteFileBytes(path, testing::BmpHeaderClaiming(kWidth, kHeight)));
  ImageDoc doc;
  doc.path = path;
  RecordingShell shell;
  EXPECT_EQ(LoadImageFile(shell, doc), 1);
  ASSERT_EQ(shell.errors.size(), 1u);
  EXPECT_NE(shell.errors[0], PictureTooLargeText(kWidth, kHeight, false, 64));
}

TEST(PictureTooLargeText, NamesTheSizeAndOnly32BitsPointsTo64) {
  EXPECT_EQ(PictureTooLargeText(20000, 15000, true, 64), "This picture (20000 x 15000 pixels) is too large to open.");
  EXPECT_EQ(PictureTooLargeText(20000, 15000, true, 32),
            "This picture (20000 x 15000 pixels) is too large to open.\n"
            "The 32-bit Veilo cannot hold it; open it with the 64-bit Veilo.");
  EXPECT_EQ(PictureTooLargeText(7, 9, false, 32),
            "この画像 (7 x 9 ピクセル) は大きすぎて開けません。\n"
            "32 ビット版の Veilo では扱えない大きさです。64 ビット版で開いてください。");
}

}  // namespace
}  // namespace veilo
