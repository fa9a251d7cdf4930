// Pictures of 20000 x 15000 pixels (900 MB at 24 bits): the 32-bit build
// refuses them from the header with the size message and stays usable; the
// 64-bit build opens, masks, zooms and saves one. The picture is made at test
// time (a PNG of one colour is about a megabyte).
#include <cstdlib>
#include <cstring>

#include "app_fixture_win.h"
#include "doc/picture_limits.h"
#include "formats/file_messages.h"
#include "formats/image_dispatch.h"
#include "huge_pictures.h"
#include "picture_budget.h"
#include "platform/file_io.h"
#include "recording_shell.h"
#include "shell/commands.h"

namespace veilo::testing {
namespace {

constexpr uint32_t kWidth = 20000;
constexpr uint32_t kHeight = 15000;

class HugePictureTest : public AppTest {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = folder_.Path(name);
    EXPECT_TRUE(WriteFileBytesForTest(path, bytes));
    return path;
  }
  static bool WriteFileBytesForTest(const std::string& path, const std::vector<uint8_t>& bytes) {
    FilePtr f = OpenFile(path, "wb");
    return f && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
  }

  // The 32-bit refusal of both files in the language the run uses, then a
  // small picture opens as usual. The 64-bit build runs it on the 32-bit
  // budget (its message then does not point to itself).
  void ExpectRefusedThenUsable(bool english) {
    const Budget32 budget;
    const std::string expected = PictureTooLargeText(kWidth, kHeight, english, kBuildPointerBits);
    for (const std::string& path : {Write("huge.bmp", BmpHeaderClaiming(kWidth, kHeight)),
                                    Write("huge.png", PngHeaderClaiming(kWidth, kHeight))}) {
      SCOPED_TRACE(path);
      boxes_.clear();
      EXPECT_EQ(Open(path), nullptr);
      ASSERT_EQ(boxes_.size(), 1u);
      EXPECT_EQ(boxes_[0].text, expected);
      EXPECT_EQ(boxes_[0].caption, "Error!");
      EXPECT_TRUE(Documents().empty());
    }
    boxes_.clear();
    DocumentWindow* small = Open(WritePicture("small.bmp", 30, 20));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->doc().width, 30);
    EXPECT_TRUE(boxes_.empty());
  }
};

TEST_F(HugePictureTest, The32BitBuildRefusesItByItsHeaderAndStaysUsable) {
  Start();
  ExpectRefusedThenUsable(false);
}

TEST_F(HugePictureTest, The32BitRefusalIsEnglishWithALanguageFile) {
  Start(ShippedEnglishFile());
  ExpectRefusedThenUsable(true);
}

TEST_F(HugePictureTest, The64BitBuildOpensMasksZoomsAndSavesIt) {
  if (kBuildPointerBits < 64) GTEST_SKIP() << "a 32-bit process cannot hold this picture";
  Start();
  const std::string source = folder_.Path("huge.png");
  ASSERT_TRUE(WriteSolidPng(source, kWidth, kHeight, 10, 200, 30));
  DocumentWindow* window = Open(source);
  ASSERT_NE(window, nullptr);
  ImageDoc& doc = window->doc();
  ASSERT_EQ(doc.width, static_cast<int32_t>(kWidth));
  ASSERT_EQ(doc.height, static_cast<int32_t>(kHeight));
  EXPECT_TRUE(boxes_.empty());

  // Negative/positive of the top right corner: the last bytes of the block.
  SelectArea(doc, kWidth - 100, 0, kWidth, 50);
  Key(VK_F5);
  ASSERT_EQ(doc.undoCount(), 1);
  EXPECT_EQ(DocColour(doc, kWidth - 1, 0), 0xF537E1u);
  EXPECT_EQ(DocColour(doc, kWidth - 101, 0), 0x0AC81Eu);
  EXPECT_EQ(DocColour(doc, 0, kHeight - 1), 0x0AC81Eu);

  Command(cmd::kZoomOut);
  Pump();
  EXPECT_EQ(doc.zoomPercent, 90);
  int32_t w = 0, h = 0;
  const std::vector<uint32_t> shown = CaptureClient(window->hwnd(), w, h);
  ASSERT_GT(w * h, 0);
  EXPECT_EQ(shown[0], 0x0AC81Eu);

  const std::string saved = folder_.Path("huge-saved.bmp");
  RecordingShell shell;
  SaveOptions options = StartingSaveOptions(doc);
  ASSERT_EQ(SaveImageFile(shell, saved, doc, options), 0);
  ImageDoc reread;
  reread.path = saved;
  ASSERT_EQ(LoadImageFile(shell, reread), 0);
  ASSERT_EQ(reread.width, doc.width);
  ASSERT_EQ(reread.height, doc.height);
  EXPECT_EQ(std::memcmp(reread.dib.data(), doc.dib.data(), doc.dib.size()), 0);
  EXPECT_TRUE(shell.errors.empty());
}

}  // namespace
}  // namespace veilo::testing
