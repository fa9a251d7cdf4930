// The area options dialog: its options changed at once, its place at the
// pointer, its texts from the language file.
#include "modal_driver_win.h"
#include "selection_fixture_win.h"
#include "view/area_options.h"

namespace veilo::testing {
namespace {

TEST_F(SelectionTest, TheAreaOptionsDialogChangesTheOptionsAtOnce) {
  ASSERT_TRUE(OpenPicture(100, 50));
  AppOptions& o = app().options;
  o.areaStartUnit = 8;
  o.areaSizeUnit = 16;
  o.mask.flInvert = 1;
  o.mask.glassBoxSize = 8;
  struct Seen {
    bool startChecked = false, sizeChecked = false, flChecked = false;
    std::string glassText;
    int32_t startAfterClick = 0, sizeAfterClick = 0, flAfterClick = -1, typed = 0, clamped = 0, up = 0, down = 0;
    std::string textAfterDown;
  } seen;
  ModalDriver driver({[&](HWND dialog) {
    seen.startChecked = IsDlgButtonChecked(dialog, IDC_AREA_START_8) == BST_CHECKED;
    seen.sizeChecked = IsDlgButtonChecked(dialog, IDC_AREA_SIZE_16) == BST_CHECKED;
    seen.flChecked = IsDlgButtonChecked(dialog, IDC_AREA_FL_INVERT) == BST_CHECKED;
    seen.glassText = WindowTextOf(GetDlgItem(dialog, IDC_AREA_GLASS_EDIT));
    SendDlgItemMessageW(dialog, IDC_AREA_START_FREE, BM_CLICK, 0, 0);
    seen.startAfterClick = o.areaStartUnit;
    SendDlgItemMessageW(dialog, IDC_AREA_SIZE_8, BM_CLICK, 0, 0);
    seen.sizeAfterClick = o.areaSizeUnit;
    SendDlgItemMessageW(dialog, IDC_AREA_FL_INVERT, BM_CLICK, 0, 0);
    seen.flAfterClick = o.mask.flInvert;
    SetDlgItemTextW(dialog, IDC_AREA_GLASS_EDIT, L"998");
    seen.typed = o.mask.glassBoxSize;
    const HWND bar = GetDlgItem(dialog, IDC_AREA_GLASS_SCROLL);
    SendMessageW(dialog, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(bar));
    SendMessageW(dialog, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(bar));
    seen.up = o.mask.glassBoxSize;
    SetDlgItemTextW(dialog, IDC_AREA_GLASS_EDIT, L"1");
    seen.clamped = o.mask.glassBoxSize;
    SendMessageW(dialog, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
    seen.down = o.mask.glassBoxSize;
    seen.textAfterDown = WindowTextOf(GetDlgItem(dialog, IDC_AREA_GLASS_EDIT));
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
    return true;
  }});
  Command(cmd::kAreaOptions);
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(ActiveDialogBox(), nullptr);
  EXPECT_TRUE(seen.startChecked && seen.sizeChecked && seen.flChecked);
  EXPECT_EQ(seen.glassText, "8");
  EXPECT_EQ(seen.startAfterClick, 1);
  EXPECT_EQ(seen.sizeAfterClick, 8);
  EXPECT_EQ(seen.flAfterClick, 0);
  EXPECT_EQ(seen.typed, 998);
  EXPECT_EQ(seen.up, 999) << "at most 999";
  EXPECT_EQ(seen.clamped, 2) << "at least 2";
  EXPECT_EQ(seen.down, 2);
  EXPECT_EQ(seen.textAfterDown, "2");
  // The changes stay after the dialog.
  EXPECT_EQ(o.areaStartUnit, 1);
  EXPECT_EQ(o.areaSizeUnit, 8);
  EXPECT_EQ(o.mask.flInvert, 0);
  EXPECT_EQ(o.mask.glassBoxSize, 2);
}

TEST_F(SelectionTest, TheRightButtonOpensTheDialogAtThePointerWithinTheFrame) {
  ASSERT_TRUE(OpenPicture(100, 50));
  RECT frameRect{};
  GetWindowRect(frame(), &frameRect);
  // Near the frame's bottom right: the dialog has to move in to stay inside.
  PlacePointerOnScreen({frameRect.right - 20, frameRect.bottom - 20});
  RECT placed{};
  POINT pointer{};
  ModalDriver driver({[&](HWND dialog) {
    GetWindowRect(dialog, &placed);
    GetCursorPos(&pointer);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return true;
  }});
  Send(WM_RBUTTONDOWN, 30, 30, MK_RBUTTON);
  Pump();
  ASSERT_TRUE(driver.Finished());
  const int32_t width = placed.right - placed.left, height = placed.bottom - placed.top;
  const WindowRect expected = AreaOptionsDialogRect(
      pointer.x, pointer.y, width, height, {frameRect.left, frameRect.top, frameRect.right, frameRect.bottom});
  EXPECT_EQ((WindowRect{placed.left, placed.top, placed.right, placed.bottom}), expected);
  EXPECT_LE(placed.right, frameRect.right);
  EXPECT_LE(placed.bottom, frameRect.bottom);
}

TEST_F(SelectionTest, TheLanguageFileNamesTheDialogsTexts) {
  // A fresh start with the language file.
  ShutdownApp();
  Pump(10, 1000);
  Start(
      "[AREA SELECT DLG]\r\nStart=Start unit\r\nSize=Size unit\r\nFLChk=FL mask reverses colours\r\n"
      "Glass=Glass box\r\n");
  MoveWindow(frame(), 0, 0, 900, 700, TRUE);
  ASSERT_TRUE(app().language.languageLoaded);
  ASSERT_TRUE(OpenPicture(100, 50));
  std::vector<std::string> texts;
  ModalDriver driver({[&](HWND dialog) {
    for (const int id : {IDC_AREA_START_GROUP, IDC_AREA_SIZE_GROUP, IDC_AREA_FL_INVERT, IDC_AREA_GLASS_LABEL})
      texts.push_back(WindowTextOf(GetDlgItem(dialog, id)));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
  }});
  Command(cmd::kAreaOptions);
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(texts, (std::vector<std::string>{"Start unit", "Size unit", "FL mask reverses colours", "Glass box"}));
}

}  // namespace
}  // namespace veilo::testing
