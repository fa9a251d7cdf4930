// The document window's files: save with Ctrl+S, the folder's next and
// previous pictures in the same window, deleting, any script in file names.
#include "app_fixture_win.h"
#include "formats/image_dispatch.h"
#include "modal_driver_win.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "recording_shell.h"
#include "shell/commands.h"
#include "shell/resource_ids.h"

namespace veilo::testing {
namespace {

class FilesTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateDirectoryW(Wide(folder_.Path("pics")).c_str(), nullptr);
    Start();
  }

  static ImageDoc Load(const std::string& path) {
    ImageDoc doc;
    doc.path = path;
    RecordingShell shell;
    EXPECT_EQ(LoadImageFile(shell, doc), 0) << path;
    return doc;
  }

  // OK to the option dialog that a save may show first (BMP_OPT for these
  // pictures of many colours): the picture is written as it is.
  static ModalDriver AcceptSaveOptions() {
    return ModalDriver({[](HWND d) {
      PostMessageW(d, WM_COMMAND, IDOK, 0);
      return true;
    }});
  }

  // Masks the whole picture of the active document with negative/positive.
  void MaskAll() {
    ImageDoc& doc = Active()->doc();
    SelectArea(doc, 0, 0, doc.width, doc.height);
    Key(VK_F5);
    ASSERT_EQ(doc.undoCount(), 1);
  }
};

TEST_F(FilesTest, CtrlSWritesThePicturePixelForPixel) {
  for (const char* name : {"pics/saved.bmp", "pics/saved.png"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(Open(WritePicture(name, 23, 17, 5)), nullptr);
    MaskAll();
    const ModalDriver options = AcceptSaveOptions();
    Key('S', false, true);
    ImageDoc reread = Load(folder_.Path(name));
    EXPECT_EQ(DescribePixelDifference(reread, Active()->doc()), "");
  }
}

TEST_F(FilesTest, SpaceStepsThroughTheFolderInTheSameWindow) {
  const std::string a = WritePicture("pics/a.jpg", 30, 20), b = WritePicture("pics/B.png", 31, 21),
                    c = WritePicture("pics/c.gif", 32, 22);
  DocumentWindow* window = Open(a);
  ASSERT_NE(window, nullptr);
  window->ApplyZoom(300);
  Key(VK_SPACE);
  EXPECT_EQ(window->doc().path, b);
  EXPECT_EQ(window->doc().width, 31);
  EXPECT_EQ(window->doc().zoomPercent, 100);
  EXPECT_EQ(Caption(window->hwnd()), "B.png");
  EXPECT_EQ(app().documents.size(), 1u);
  Key(VK_SPACE);
  EXPECT_EQ(window->doc().path, c);
  Key(VK_SPACE);  // the last one: the message, and the picture stays
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "このフォルダにはもうファイルがありません。");
  EXPECT_EQ(boxes_[0].caption, "Warning");
  EXPECT_EQ(window->doc().path, c);
  Key(VK_SPACE, true);  // Shift: back
  EXPECT_EQ(window->doc().path, b);
  Key(VK_SPACE, false, true);  // Ctrl: the next one, fitted whole
  EXPECT_EQ(window->doc().path, c);
  EXPECT_EQ(window->doc().hScrollMax, 0);
  EXPECT_EQ(window->doc().vScrollMax, 0);
  EXPECT_GT(window->doc().zoomPercent, 100);
}

TEST_F(FilesTest, AChangedPictureAsksBeforeStepping) {
  const std::string a = WritePicture("pics/a.bmp", 16, 16), b = WritePicture("pics/b.bmp", 16, 16, 2);
  DocumentWindow* window = Open(a);
  ASSERT_NE(window, nullptr);
  MaskAll();
  answers_ = {IDCANCEL};
  Key(VK_SPACE);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "このファイルは変更されています\r同じファイルに上書き保管しますか？");
  EXPECT_EQ(boxes_[0].type & 0xF, static_cast<UINT>(MB_YESNOCANCEL));
  EXPECT_EQ(window->doc().path, a);
  EXPECT_EQ(window->doc().undoCount(), 1);

  answers_ = {IDNO};  // the changes are dropped
  Key(VK_SPACE);
  EXPECT_EQ(window->doc().path, b);
  EXPECT_EQ(window->doc().undoCount(), 0);
  ImageDoc onDisk = Load(a);
  ImageDoc original = MakeNoiseDoc(16, 16);
  EXPECT_EQ(DescribePixelDifference(onDisk, original), "");

  MaskAll();
  answers_ = {IDYES};  // saved, then the previous picture
  const ModalDriver options = AcceptSaveOptions();
  Key(VK_SPACE, true);
  EXPECT_EQ(window->doc().path, a);
  ImageDoc saved = Load(b);
  ImageDoc unchanged = MakeNoiseDoc(16, 16, 2);
  EXPECT_NE(DescribePixelDifference(saved, unchanged), "");
}

TEST_F(FilesTest, DeleteRemovesTheFileAndKeepsTheWindow) {
  const std::string path = WritePicture("pics/gone.bmp", 8, 8);
  DocumentWindow* window = Open(path);
  ASSERT_NE(window, nullptr);
  answers_ = {IDNO};
  Key(VK_DELETE);
  EXPECT_TRUE(FileExists(path));
  answers_ = {IDYES};
  Key(VK_DELETE);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].text, path + "\rこのファイルを削除しても良いですか?");
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(window->doc().path, path);
  EXPECT_TRUE(window->doc().HasPicture());
  EXPECT_EQ(app().documents.size(), 1u);
}

TEST_F(FilesTest, NamesInAnyScriptOpenStepAndSave) {
  // " 2.png" sorts before ".png".
  const std::string first = WritePicture("pics/写真 ß 🌸 2.png", 12, 9, 3);
  const std::string second = WritePicture("pics/写真 ß 🌸.png", 13, 9, 4);
  DocumentWindow* window = Open(first);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Caption(window->hwnd()), "写真 ß 🌸 2.png");
  Key(VK_SPACE);
  EXPECT_EQ(window->doc().path, second);
  EXPECT_EQ(Caption(window->hwnd()), "写真 ß 🌸.png");
  MaskAll();
  const ModalDriver options = AcceptSaveOptions();
  Key('S', false, true);
  ImageDoc reread = Load(second);
  EXPECT_EQ(DescribePixelDifference(reread, window->doc()), "");
}

TEST_F(FilesTest, AReadOnlyFileIsNotOverwritten) {
  const std::string path = WritePicture("pics/locked.bmp", 8, 8);
  ASSERT_NE(Open(path), nullptr);
  SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
  MaskAll();
  Key('S', false, true);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "読み込み専用ファイルのため上書きできません。");
  EXPECT_EQ(boxes_[0].caption, "Error!");
  SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  ImageDoc onDisk = Load(path);
  ImageDoc original = MakeNoiseDoc(8, 8);
  EXPECT_EQ(DescribePixelDifference(onDisk, original), "");
}

}  // namespace
}  // namespace veilo::testing
