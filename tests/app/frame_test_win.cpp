// The frame as it starts: caption, layout at the window's DPI, toolbar and menu
// states, accelerators, the language file, the settings written at exit.
#include <cstdlib>

#include "app_fixture_win.h"
#include "modal_driver_win.h"
#include "platform/dpi_win.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "shell/commands.h"
#include "shell/enabling.h"
#include "shell/menu_tree.h"
#include "shell/resource_ids.h"
#include "shell/toolbar_layout.h"

namespace veilo::testing {
namespace {

using FrameTest = AppTest;

ChildRect ChildRectIn(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

HWND Button(App& app, CommandId id) { return GetDlgItem(app.frameWindow, id); }

bool MenuEnabled(HMENU menu, UINT id) {
  return !(GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

std::string MenuText(HMENU menu, UINT id) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, id, text, 256, MF_BYCOMMAND);
  return Utf8(text);
}

TEST_F(FrameTest, StartsWithItsLayoutAtTheWindowsDpiAndTheNoDocumentState) {
  Start();
  EXPECT_EQ(Caption(frame()), "VEILO");
  EXPECT_EQ(GetMenu(frame()), app().frameMenu.get());
  EXPECT_NE(app().accelerators.get(), nullptr);

  const int dpi = WindowDpi(frame());
  if (const char* expected = std::getenv("VEILO_EXPECT_DPI")) {
    EXPECT_EQ(dpi, std::atoi(expected));
  }
  RECT client{};
  GetClientRect(frame(), &client);
  const FrameLayout layout = ComputeFrameLayout(client.right, client.bottom, app().font, dpi);
  EXPECT_EQ(ChildRectIn(frame(), app().mdiClient), layout.mdiClient);
  int visible = 0;
  for (const ToolbarRow& row : ToolbarTable()) {
    const HWND button = Button(app(), row.command);
    ASSERT_NE(button, nullptr) << row.bitmapBase;
    const int32_t index = ToolbarRowForCommand(row.command);
    if (row.bitmapBase == std::string_view("IDB_BMP_MR2")) continue;  // the record button's second face
    ASSERT_GE(index, 0);
    EXPECT_EQ(ChildRectIn(frame(), button), layout.buttons[static_cast<size_t>(index)]) << row.bitmapBase;
    visible += IsWindowVisible(button) ? 1 : 0;
  }
  EXPECT_EQ(visible, 26);

  // No document: nothing to save, undo, zoom, mask or record.
  for (CommandId id : {cmd::kButtonSave, cmd::kButtonSaveAs, cmd::kButtonUndo, cmd::kButtonRedo, cmd::kButtonZoomIn,
                       cmd::kButtonZoomOut, cmd::kButtonNegPos, cmd::kMacroRun, cmd::kMacroRecord})
    EXPECT_FALSE(IsWindowEnabled(Button(app(), id))) << id;
  EXPECT_TRUE(IsWindowEnabled(Button(app(), cmd::kButtonOpen)));
}

TEST_F(FrameTest, AtTheBaseDpiTheLayoutIsExactlyTheDesignedOne) {
  Start();
  if (WindowDpi(frame()) != kBaseDpi) GTEST_SKIP() << "the display is not at 96 DPI";
  EXPECT_EQ(ChildRectIn(frame(), Button(app(), cmd::kButtonOpen)), (ChildRect{15, 3, 28, 28}));
  EXPECT_EQ(ChildRectIn(frame(), Button(app(), cmd::kButtonAreaDown)), (ChildRect{211, 17, 28, 14}));
  EXPECT_EQ(ChildRectIn(frame(), Button(app(), cmd::kMacroRun)), (ChildRect{645, 3, 14, 28}));
  EXPECT_EQ(ChildRectIn(frame(), app().mdiClient).y, 33);
}

TEST_F(FrameTest, PasteIsGreyedWhileTheClipboardHoldsNoBitmap) {
  Start();
  {
    ClipboardSession clipboard(frame());
    ASSERT_TRUE(clipboard.is_open());
    EmptyClipboard();
  }
  SendMessageW(frame(), WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(frame())), 0);
  EXPECT_FALSE(MenuEnabled(app().frameMenu.get(), cmd::kPasteNew));
  {
    ClipboardSession clipboard(frame());
    ClientDc screen(nullptr);
    Bitmap bitmap(CreateCompatibleBitmap(screen.get(), 4, 4));
    EmptyClipboard();
    ASSERT_TRUE(SetClipboardData(CF_BITMAP, bitmap.get()));
    bitmap.release();
  }
  SendMessageW(frame(), WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(frame())), 0);
  EXPECT_TRUE(MenuEnabled(app().frameMenu.get(), cmd::kPasteNew));
}

TEST_F(FrameTest, TheMenusAreTheBuiltInOnesWithoutALanguageFile) {
  Start();
  EXPECT_EQ(MenuText(app().frameMenu.get(), cmd::kOpen), FindMenuItem(BuiltInFrameMenu(), cmd::kOpen)->text);
  EXPECT_EQ(MenuText(app().docMenu.get(), cmd::kMekoForward),
            FindMenuItem(BuiltInDocumentMenu(), cmd::kMekoForward)->text);
}

TEST_F(FrameTest, ALanguageFileSwitchesMenusTipsAndMessagesToEnglish) {
  Start("[MENU]\r\nFile=&File\r\nOpen=&Open...\\tCtrl+O\r\nMask=&Mask\r\nMekoP=Meko &forward\\tF8\r\n"
        "[TOOL BAR]\r\nOpen=Open a picture\r\nOpenC=Reads a picture from the disk.\r\n");
  ASSERT_TRUE(app().language.languageLoaded);
  EXPECT_EQ(MenuText(app().frameMenu.get(), cmd::kOpen), "&Open...\tCtrl+O");
  EXPECT_EQ(MenuText(app().docMenu.get(), cmd::kMekoForward), "Meko &forward\tF8");
  // The pointer resting on the open button: its comment in the message pane at once, its tip after 1 s.
  const HWND open = Button(app(), cmd::kButtonOpen);
  MSG move{open, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), GetTickCount(), {}};
  app().frame->TrackTip(move);
  wchar_t pane[256] = {};
  GetWindowTextW(app().frame->panes().messagePane(), pane, 256);
  EXPECT_EQ(Utf8(pane), "Reads a picture from the disk.");
  // A picture with no neighbour in its folder: the English message.
  DocumentWindow* doc = Open(WritePicture("alone.bmp", 8, 8));
  ASSERT_NE(doc, nullptr);
  Key(VK_SPACE);
  ASSERT_FALSE(boxes_.empty());
  EXPECT_EQ(boxes_.back().text, "No more files in this folder");
  EXPECT_EQ(boxes_.back().caption, "Warning");
}

TEST_F(FrameTest, TheLanguageFileIsAlsoFoundThroughTheSavedPath) {
  const std::string elsewhere = folder_.Path("language");
  CreateDirectoryW(Wide(elsewhere).c_str(), nullptr);
  {
    FilePtr file = OpenFile(elsewhere + "\\veilolng.ini", "wb");
    ASSERT_TRUE(file);
    std::fputs("[MENU]\r\nOpen=Open from Path\r\n", file.get());
  }
  Start({}, "[veilo by Kestrani]\r\nPath=" + elsewhere + "\r\n");
  EXPECT_TRUE(app().language.languageLoaded);
  EXPECT_EQ(MenuText(app().frameMenu.get(), cmd::kOpen), "Open from Path");
  EXPECT_EQ(app().paths.startDir, elsewhere);
  EXPECT_EQ(app().paths.helpFile, elsewhere + "\\veilo.hlp");
}

TEST_F(FrameTest, TheFrameStartsAtItsSavedPlace) {
  Start({}, "[veilo by Kestrani]\r\nWindow Dimensions=40 700 30 520\r\n");
  RECT r{};
  GetWindowRect(frame(), &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 700);
  EXPECT_EQ(r.bottom - r.top, 520);
}

TEST_F(FrameTest, ATipAppearsAfterTheFirstSecondAndTheRecordButtonChangesFace) {
  Start();
  const HWND open = Button(app(), cmd::kButtonOpen);
  MSG move{open, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), GetTickCount(), {}};
  app().frame->TrackTip(move);
  const auto tipShown = [this] {
    for (HWND w = GetWindow(frame(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      wchar_t text[64] = {};
      GetWindowTextW(w, text, 64);
      if (IsWindowVisible(w) && Utf8(text) == "開く") return true;
    }
    return false;
  };
  for (int tick = 0; tick < 9; ++tick) SendMessageW(frame(), WM_TIMER, kFrameTimerId, 0);
  EXPECT_FALSE(tipShown());
  SendMessageW(frame(), WM_TIMER, kFrameTimerId, 0);
  EXPECT_TRUE(tipShown());

  ASSERT_NE(Open(WritePicture("face.bmp", 8, 8)), nullptr);
  Command(cmd::kMacroRecord);
  EXPECT_TRUE(GetMenuState(app().docMenu.get(), cmd::kMacroRecord, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_EQ(ComputeControlStates(app().frame->Snapshot()).recordButtonFace, kRecordStopRow);
  Command(cmd::kMacroRecord);
  EXPECT_FALSE(GetMenuState(app().docMenu.get(), cmd::kMacroRecord, MF_BYCOMMAND) & MF_CHECKED);
}

// With other button colours than the classic ones, the pictures show the system's.
TEST_F(FrameTest, ButtonPicturesTakeTheSystemsButtonColours) {
  const INT elements[] = {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  const COLORREF saved[] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)};
  const COLORREF changed[] = {RGB(200, 220, 240), RGB(90, 100, 130), RGB(250, 250, 255)};
  Start();
  SetSysColors(3, elements, changed);
  SendMessageW(frame(), WM_SYSCOLORCHANGE, 0, 0);
  const HWND open = Button(app(), cmd::kButtonOpen);
  InvalidateRect(open, nullptr, TRUE);
  UpdateWindow(open);
  int32_t w = 0, h = 0;
  const std::vector<uint32_t> pixels = CaptureClient(open, w, h);
  SetSysColors(3, elements, saved);
  // A corner of the picture, inside the bevel: the face colour of the system.
  EXPECT_EQ(pixels[static_cast<size_t>(3 * w + 3)], 0xC8DCF0u);
}

TEST_F(FrameTest, TheSettingsAreWrittenWhenTheFrameCloses) {
  Start({}, "[veilo by Kestrani]\r\nAreaUnit=16 1\r\n");
  EXPECT_EQ(app().options.areaStartUnit, 16);
  app().options.mask.glassBoxSize = 12;
  const std::string settings = exeDir_ + "\\veilo.ini";
  SendMessageW(frame(), WM_CLOSE, 0, 0);
  Pump();
  const std::optional<std::vector<uint8_t>> written = ReadWholeFile(settings, 1 << 20);
  ASSERT_TRUE(written);
  const std::string text(written->begin(), written->end());
  EXPECT_NE(text.find("GRSBoxSZ=12"), std::string::npos) << text;
  EXPECT_NE(text.find("AreaUnit=16 1"), std::string::npos) << text;
  EXPECT_NE(text.find("Window Dimensions="), std::string::npos) << text;
}

TEST_F(FrameTest, TheAboutBoxShowsTheProjectsVersionAndClosesWithOk) {
  Start();
  std::string caption, version;
  ModalDriver driver({[&](HWND dialog) {
    caption = WindowTextOf(dialog);
    version = WindowTextOf(GetDlgItem(dialog, IDC_ABOUT_VERSION));
    ClickItem(dialog, IDOK);
    return true;
  }});
  Command(cmd::kAbout);
  EXPECT_TRUE(driver.Finished());
  EXPECT_EQ(caption, "About Veilo");
  EXPECT_EQ(version, std::string("Version ") + VEILO_PROJECT_VERSION);
  EXPECT_EQ(ActiveDialogBox(), nullptr);
}

}  // namespace
}  // namespace veilo::testing
