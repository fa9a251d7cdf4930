// Documents coming and going: every way of opening one, the numbered captions,
// the clipboard, the limit of open documents, unreadable files, and every
// command with and without a document.
#include <shlobj.h>

#include "app_fixture_win.h"
#include "doc/title_table.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "shell/commands.h"
#include "shell/enabling.h"

namespace veilo::testing {
namespace {

using DocumentsTest = AppTest;

void CloseDocument(HWND window) {
  SendMessageW(TheApp().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
}

// A WM_DROPFILES block as the shell makes it (wide names).
HGLOBAL DropOf(const std::vector<std::string>& paths) {
  std::wstring names;
  for (const std::string& p : paths) names += Wide(p) + L'\0';
  names += L'\0';
  const size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(drop + 1));
  GlobalUnlock(block);
  return block;
}

void PutBitmapOnClipboard(HWND owner, int width, int height) {
  ClipboardSession clipboard(owner);
  ClientDc screen(nullptr);
  Bitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  EmptyClipboard();
  if (SetClipboardData(CF_BITMAP, bitmap.get())) bitmap.release();
}

TEST_F(DocumentsTest, TheSameFileThreeTimesIsNumberedAndRenumberedOnClose) {
  Start();
  const std::string path = WritePicture("same.bmp", 16, 8);
  DocumentWindow* first = Open(path);
  DocumentWindow* second = Open(path);
  DocumentWindow* third = Open(path);
  ASSERT_TRUE(first && second && third);
  EXPECT_EQ(Caption(first->hwnd()), "same.bmp :1");
  EXPECT_EQ(Caption(second->hwnd()), "same.bmp :2");
  EXPECT_EQ(Caption(third->hwnd()), "same.bmp :3");
  const HWND thirdWindow = third->hwnd();
  CloseDocument(second->hwnd());
  Pump();
  EXPECT_EQ(Caption(thirdWindow), "same.bmp :2");
  CloseDocument(first->hwnd());
  Pump();
  EXPECT_EQ(Caption(thirdWindow), "same.bmp");
  EXPECT_EQ(app().documents.size(), 1u);
}

TEST_F(DocumentsTest, DroppedFilesOpenInDropOrder) {
  Start();
  const std::vector<std::string> paths = {WritePicture("c.bmp", 4, 4), WritePicture("a.png", 4, 4),
                                          WritePicture("b.gif", 4, 4)};
  SendMessageW(frame(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(paths)), 0);
  Pump();
  ASSERT_EQ(app().documents.size(), 3u);
  for (size_t i = 0; i < paths.size(); ++i) EXPECT_EQ(app().documents[i]->doc().path, paths[i]);
}

TEST_F(DocumentsTest, TheCommandLineIsOpenedAtTheFirstTick) {
  const std::string a = WritePicture("one.bmp", 4, 4), b = WritePicture("two.png", 4, 4);
  // Started as veilo.exe "one" "two" would be.
  AppStartOptions start = StartOptions();
  start.pendingCommandLine = "\"" + a + "\" \"" + b + "\"";
  ASSERT_TRUE(StartApp(GetModuleHandleW(nullptr), start));
  ASSERT_TRUE(PumpUntil([&] { return TheApp().documents.size() == 2; }));
  EXPECT_EQ(app().documents[0]->doc().path, a);
  EXPECT_EQ(app().documents[1]->doc().path, b);
  EXPECT_TRUE(app().commandLineDone);
}

TEST_F(DocumentsTest, PastedBitmapsAreNumberedDocuments) {
  Start();
  PutBitmapOnClipboard(frame(), 20, 10);
  Command(cmd::kPasteNew);
  Command(cmd::kPasteNew);
  ASSERT_EQ(app().documents.size(), 2u);
  EXPECT_EQ(Caption(app().documents[0]->hwnd()), "CB001");
  EXPECT_EQ(Caption(app().documents[1]->hwnd()), "CB002");
  const ImageDoc& doc = app().documents[0]->doc();
  EXPECT_EQ(doc.width, 20);
  EXPECT_EQ(doc.height, 10);
  EXPECT_EQ(doc.bitCount, 24);
  EXPECT_TRUE(doc.path.empty());
  // An empty clipboard pastes nothing.
  {
    ClipboardSession clipboard(frame());
    EmptyClipboard();
  }
  Command(cmd::kPasteNew);
  EXPECT_EQ(app().documents.size(), 2u);
}

TEST_F(DocumentsTest, CopyPutsTheAreaOrTheWholePictureOnTheClipboard) {
  Start();
  DocumentWindow* doc = Open(WritePicture("copy.bmp", 40, 30));
  ASSERT_NE(doc, nullptr);
  Command(cmd::kCopy);
  const auto pastedSize = [this](int32_t& w, int32_t& h) {
    Command(cmd::kPasteNew);
    const ImageDoc& pasted = Active()->doc();
    w = pasted.width;
    h = pasted.height;
  };
  int32_t w = 0, h = 0;
  pastedSize(w, h);
  EXPECT_EQ(w, 40);
  EXPECT_EQ(h, 30);
  // With an area (corners in any order): exactly the area, pixel for pixel.
  MDIActivate(doc);
  SelectArea(doc->doc(), 30, 20, 10, 5);
  Command(cmd::kCopy);
  Command(cmd::kPasteNew);
  ImageDoc& part = Active()->doc();
  ASSERT_EQ(part.width, 20);
  ASSERT_EQ(part.height, 15);
  for (int32_t y = 0; y < 15; ++y)
    for (int32_t x = 0; x < 20; ++x) ASSERT_EQ(DocColour(part, x, y), DocColour(doc->doc(), 10 + x, 5 + y));
}

TEST_F(DocumentsTest, ADocumentBeyondTheLimitIsRefusedAndNothingLeaks) {
  Start();
  PutBitmapOnClipboard(frame(), 2, 2);
  const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  for (size_t i = 0; i < TitleTable::kCapacity; ++i) app().frame->OpenBitmap(GetClipboardBitmap(frame()), false);
  Pump();
  ASSERT_EQ(app().documents.size(), TitleTable::kCapacity);
  boxes_.clear();
  EXPECT_EQ(app().frame->OpenBitmap(GetClipboardBitmap(frame()), false), nullptr);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, "Error!");
  EXPECT_EQ(app().documents.size(), TitleTable::kCapacity);
  // Closing them all gives back every window and drawing object they held.
  SendMessageW(app().mdiClient, WM_MDIGETACTIVE, 0, 0);
  while (!app().documents.empty()) {
    CloseDocument(app().documents.back()->hwnd());
    Pump(1, 200);
  }
  Pump();
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore + 4);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userBefore + 4);
  EXPECT_EQ(app().titles.UsedCount(), 0u);
}

TEST_F(DocumentsTest, AnUnreadableFileShowsItsMessageAndOpensNothing) {
  Start();
  const std::string broken = folder_.Path("broken.bmp");
  {
    FilePtr file = OpenFile(broken, "wb");
    ASSERT_TRUE(file);
    std::fputs("BMthis is not a picture", file.get());
  }
  EXPECT_EQ(Open(broken), nullptr);
  EXPECT_TRUE(app().documents.empty());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, "Error!");
  // The program stays usable.
  EXPECT_NE(Open(WritePicture("fine.bmp", 4, 4)), nullptr);
}

// Every command of the command table, with no document, on a 1 by 1 picture and
// on an ordinary one, with and without an area: nothing crashes, and whatever
// dialog a command opens is closed again by the test.
TEST_F(DocumentsTest, EveryCommandIsSafeInEveryState) {
  Start();
  answers_.assign(400, IDCANCEL);
  const auto runAll = [this] {
    CloseDialogsAsTheyAppear();
    for (const DocumentCommand& c : DocumentCommandTable()) {
      if (c.menuId) Command(c.menuId);
      if (c.buttonId && c.buttonId != c.menuId) Command(c.buttonId);
    }
    for (CommandId id : {cmd::kCascade, cmd::kTile, cmd::kArrangeIcons, cmd::kPasteNew, cmd::kMacroRecord,
                         cmd::kMacroRecord, cmd::kQuickZoom, cmd::kQuickZoom, cmd::kOpen, cmd::kButtonOpen,
                         cmd::kAbout, cmd::kHelpIndex, cmd::kJpegOptions, cmd::kQ0Options, cmd::kRgbOptions,
                         cmd::kSlideShowMenu, cmd::kSlideShow, cmd::kTwainAcquire, cmd::kTwainSelect,
                         cmd::kPageSetup})
      Command(id);
    StopClosingDialogs();
  };
  runAll();
  ASSERT_NE(Open(WritePicture("tiny.bmp", 1, 1)), nullptr);
  runAll();
  DocumentWindow* doc = Open(WritePicture("ordinary.png", 64, 48));
  ASSERT_NE(doc, nullptr);
  SelectArea(doc->doc(), 8, 8, 56, 40);
  runAll();
  EXPECT_TRUE(IsWindow(frame()));
}

}  // namespace
}  // namespace veilo::testing
