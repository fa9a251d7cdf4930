// The document window's files: save with Ctrl+S, the folder's next and
// previous pictures in the same window, deleting, any script in file names.
#include <algorithm>
#include <string>
#include <vector>

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

// The items of the frame's menus that name a window (the Window menu's list).
std::vector<std::string> WindowMenuItems(HWND frame) {
  std::vector<std::string> items;
  const HMENU bar = GetMenu(frame);
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    const HMENU popup = GetSubMenu(bar, i);
    for (int j = 0; popup && j < GetMenuItemCount(popup); ++j) {
      wchar_t text[256] = {};
      GetMenuStringW(popup, static_cast<UINT>(j), text, 256, MF_BYPOSITION);
      items.push_back(Utf8(text));
    }
  }
  return items;
}

bool AnyItemNames(const std::vector<std::string>& items, const std::string& name) {
  return std::any_of(items.begin(), items.end(), [&](const std::string& item) {
    return item.size() >= name.size() && item.compare(item.size() - name.size(), name.size(), name) == 0;
  });
}

// A maximised window shows its picture's name in the frame's caption, which
// the window sets itself when the picture changes; the scroll bars follow the
// new picture though they are only drawn with it.
TEST_F(FilesTest, AMaximisedWindowStepsWithTheFrameCaptionAndWindowMenuFollowing) {
  const std::string a = WritePicture("pics/a.bmp", 40, 30), b = WritePicture("pics/b.bmp", 3000, 2500, 2);
  DocumentWindow* window = Open(a);
  ASSERT_NE(window, nullptr);
  const HWND frame = app().frame->hwnd();
  ShowWindow(window->hwnd(), SW_MAXIMIZE);
  Pump(5, 200);
  EXPECT_EQ(Caption(frame), "VEILO - [a.bmp]");
  const auto captionBar = [&] {
    TITLEBARINFO bar{};
    bar.cbSize = sizeof bar;
    GetTitleBarInfo(frame, &bar);
    return CaptureScreen(bar.rcTitleBar);
  };
  const std::vector<uint32_t> before = captionBar();
  Key(VK_SPACE);
  ASSERT_EQ(window->doc().path, b);
  EXPECT_EQ(Caption(window->hwnd()), "b.bmp");
  EXPECT_EQ(Caption(frame), "VEILO - [b.bmp]");
  // The caption bar shows the new name once the window has painted: as a
  // complete repaint of the frame draws it.
  Pump(5, 200);
  const std::vector<uint32_t> after = captionBar();
  RedrawWindow(frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump(5, 200);
  EXPECT_NE(after, before);
  EXPECT_EQ(after, captionBar());
  RECT shot{};
  GetWindowRect(frame, &shot);
  SaveScreenShot(shot, "maximised-step.png");
  EXPECT_TRUE(AnyItemNames(WindowMenuItems(frame), "b.bmp"));
  EXPECT_FALSE(AnyItemNames(WindowMenuItems(frame), "a.bmp"));
  for (const int bar : {SB_HORZ, SB_VERT}) {
    int low = -1, high = -1;
    GetScrollRange(window->hwnd(), bar, &low, &high);
    EXPECT_EQ(high, bar == SB_HORZ ? window->doc().hScrollMax : window->doc().vScrollMax) << bar;
    EXPECT_GT(high, 0) << bar;
  }
  Key(VK_SPACE, true);
  EXPECT_EQ(Caption(frame), "VEILO - [a.bmp]");
  // Restored, the frame shows its own title again.
  ShowWindow(window->hwnd(), SW_RESTORE);
  Pump(5, 200);
  EXPECT_EQ(Caption(frame), "VEILO");
  // A maximised window renumbered when another of its name closes.
  DocumentWindow* second = Open(a);
  ASSERT_NE(second, nullptr);
  ShowWindow(second->hwnd(), SW_MAXIMIZE);
  Pump(5, 200);
  EXPECT_EQ(Caption(frame), "VEILO - [a.bmp :2]");
  SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
  Pump(5, 200);
  ASSERT_EQ(app().documents.size(), 1u);
  EXPECT_EQ(Caption(second->hwnd()), "a.bmp");
  EXPECT_EQ(Caption(frame), "VEILO - [a.bmp]");
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
