#include "formats/bmp_save.h"

#include <gtest/gtest.h>

#include <set>

#include "formats/bmp_reader.h"
#include "platform/le_bytes.h"
#include "platform/file_io.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::Rgb;

// A picture of exactly `colours` distinct colours (1..4096).
ImageDoc DocWithColours(int colours) {
  return testing::MakeDoc(64, 64, [colours](int32_t x, int32_t y) {
    const int i = (y * 64 + x) % colours;
    return Rgb{static_cast<uint8_t>(i % 16 * 16), static_cast<uint8_t>(i / 16 % 16 * 16 + 3),
               static_cast<uint8_t>(i / 256 * 16)};
  });
}

size_t DistinctColours(ImageDoc& doc) {
  std::set<std::tuple<uint8_t, uint8_t, uint8_t>> seen;
  for (int32_t y = 0; y < doc.height; ++y)
    for (int32_t x = 0; x < doc.width; ++x) {
      const Rgb c = testing::PixelOf(doc, x, y);
      seen.insert({c.r, c.g, c.b});
    }
  return seen.size();
}

uint16_t FileBitCount(const std::string& path) {
  const auto bytes = ReadWholeFile(path, 1u << 24).value_or(std::vector<uint8_t>(30, 0));
  return static_cast<uint16_t>(bytes[28] | bytes[29] << 8);
}

class BmpSaveTest : public ::testing::Test {
 protected:
  ImageDoc ReadBack() {
    ImageDoc back;
    back.path = path_;
    EXPECT_EQ(ReadBmpFile(shell_, back), 0);
    return back;
  }
  testing::TempFolder folder_;
  testing::RecordingShell shell_;
  std::string path_ = folder_.Path("out.bmp");
};

TEST_F(BmpSaveTest, ReductionWritesThatManyColoursAtMost) {
  ImageDoc doc = DocWithColours(1000);
  for (const int option : {16, 256}) {
    int chosen = option;
    ASSERT_NE(SaveBmpWithOptions(shell_, path_, doc, chosen), 0);
    EXPECT_EQ(chosen, option);
    ImageDoc back = ReadBack();
    EXPECT_LE(DistinctColours(back), static_cast<size_t>(option));
    EXPECT_GT(DistinctColours(back), static_cast<size_t>(option / 2));
    EXPECT_EQ(FileBitCount(path_), option == 16 ? 4 : 8);
  }
  int none = 0;
  ASSERT_NE(SaveBmpWithOptions(shell_, path_, doc, none), 0);
  ImageDoc back = ReadBack();
  EXPECT_EQ(testing::DescribePixelDifference(back, doc), "");
  EXPECT_EQ(FileBitCount(path_), 24);
  EXPECT_EQ(shell_.waitDepth, 0);
}

TEST_F(BmpSaveTest, TwoHundredFiftySixIsNotOfferedToFewerColours) {
  ImageDoc doc = DocWithColours(200);
  int option = 256;
  ASSERT_NE(SaveBmpWithOptions(shell_, path_, doc, option), 0);
  EXPECT_EQ(option, 0);  // the dialog turns the remembered 256 into 0
  ImageDoc back = ReadBack();
  EXPECT_EQ(testing::DescribePixelDifference(back, doc), "");
  EXPECT_EQ(FileBitCount(path_), 8);
}

TEST_F(BmpSaveTest, TheDialogIsAskedOnlyAboveSixteenColours) {
  int asked = 0;
  uint32_t shownCount = 0;
  const BmpOptionPrompt prompt = [&](uint32_t count, int& option) {
    ++asked;
    shownCount = count;
    option = 16;
    return true;
  };
  ImageDoc many = DocWithColours(1000);
  int option = 0;
  ASSERT_NE(SaveBmpWithOptions(shell_, path_, many, option, prompt), 0);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(shownCount, kBmpColourCountLimit);  // the count stops at its limit
  EXPECT_EQ(option, 16);

  // The choice stays for later saves, also of pictures that get no dialog.
  ImageDoc few = DocWithColours(12);
  ASSERT_NE(SaveBmpWithOptions(shell_, path_, few, option, prompt), 0);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(FileBitCount(path_), 4);
}

TEST_F(BmpSaveTest, CancelWritesNothingButKeepsTheChoice) {
  const BmpOptionPrompt cancel = [](uint32_t, int& option) {
    option = 16;
    return false;
  };
  ImageDoc doc = DocWithColours(40);
  int option = 0;
  EXPECT_EQ(SaveBmpWithOptions(shell_, path_, doc, option, cancel), 0);
  EXPECT_FALSE(FileExists(path_));
  EXPECT_EQ(option, 16);
  EXPECT_TRUE(shell_.errors.empty());
}

}  // namespace
}  // namespace veilo
