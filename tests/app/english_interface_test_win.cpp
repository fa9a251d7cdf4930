// Veilo started with the English language file it ships (resources/lang/veilolng.ini): every menu
// item, toolbar tip and comment, the dialogs a user reaches and the messages are English, with no
// Japanese text left over from the built-in resources.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "dialog_faults_win.h"
#include "modal_driver_win.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "shell/commands.h"
#include "shell/resource_ids.h"
#include "shell/slide_window_win.h"
#include "shell/toolbar.h"
#include "shell/toolbar_texts.h"

namespace veilo::testing {
namespace {

// Japanese scripts, their punctuation and the full- and half-width forms all lie from U+3000 to
// U+FFEF; the English interface shows none of them. (An icon control's text is U+FFFF and its id.)
bool LooksJapanese(const std::string& utf8) {
  for (const wchar_t c : Wide(utf8)) {
    if (c >= 0x3000 && c < 0xFFF0) return true;
  }
  return false;
}

class EnglishInterfaceTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    const std::string english = ShippedEnglishFile();
    ASSERT_FALSE(english.empty());
    Start(english);
    ASSERT_TRUE(app().language.languageLoaded);
  }

  // Every text of a menu and its popups, with where it is; separators have none.
  static void MenuTexts(HMENU menu, const std::string& where, std::vector<std::string>& out) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
      wchar_t text[256] = {};
      MENUITEMINFOW item{};
      item.cbSize = sizeof item;
      item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
      item.dwTypeData = text;
      item.cch = 256;
      if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item)) continue;
      if (item.fType & MFT_SEPARATOR) continue;
      out.push_back(where + " > " + Utf8(text));
      if (item.hSubMenu) MenuTexts(item.hSubMenu, where + " > " + Utf8(text), out);
    }
  }

  static void ExpectEnglishMenu(HMENU menu, const std::string& name) {
    std::vector<std::string> texts;
    MenuTexts(menu, name, texts);
    EXPECT_GT(texts.size(), 10u) << name;
    for (const std::string& text : texts) {
      EXPECT_FALSE(LooksJapanese(text)) << text;
      EXPECT_NE(text.back(), ' ') << "an item without a text: " << text;  // "where > " and nothing
    }
  }

  // A visible child of the frame that shows `text` (the tip is a static child of the frame).
  bool FrameShows(const std::string& text) {
    for (HWND w = GetWindow(frame(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (IsWindowVisible(w) && WindowTextOf(w) == text) return true;
    }
    return false;
  }
};

// A named callback: a lambda has no CALLBACK (stdcall) form for the 32-bit build.
BOOL CALLBACK CollectChildText(HWND child, LPARAM lp) {
  reinterpret_cast<std::vector<std::string>*>(lp)->push_back(WindowTextOf(child));
  return TRUE;
}

// The caption and every child's text of a dialog; a text too long for its control fails the test.
std::vector<std::string> DialogTexts(HWND dialog) {
  std::vector<std::string> texts{WindowTextOf(dialog)};
  EnumChildWindows(dialog, CollectChildText, reinterpret_cast<LPARAM>(&texts));
  for (const Fault& fault : LayoutFaults(dialog)) ADD_FAILURE() << WindowTextOf(dialog) << ": " << fault.what;
  return texts;
}

TEST_F(EnglishInterfaceTest, BothMenusAreEnglishThroughout) {
  ExpectEnglishMenu(app().frameMenu.get(), "no document");
  ASSERT_NE(Open(WritePicture("menu.bmp", 16, 16)), nullptr);
  EXPECT_EQ(GetMenu(frame()), app().docMenu.get());
  ExpectEnglishMenu(app().docMenu.get(), "document");
}

// The menu runs a loop of its own once opened: a thread timer ticking inside it finds the open
// popup, keeps its first item, saves the frame with the popup, and ends the menu; at the deadline
// it ends the menu whatever happened.
struct OpenMenuWatch {
  ULONGLONG deadline = 0;
  bool done = false;
  std::string firstItem;
  RECT shot{};
};
OpenMenuWatch watch;

void CALLBACK WatchOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND popup = FindWindowW(L"#32768", nullptr);
  if (popup && IsWindowVisible(popup)) {
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    wchar_t text[256] = {};
    if (menu) GetMenuStringW(menu, 0, text, 256, MF_BYPOSITION);
    watch.firstItem = Utf8(text);
    RECT menuRect{};
    GetWindowRect(popup, &menuRect);
    UnionRect(&watch.shot, &watch.shot, &menuRect);
    SaveScreenShot(watch.shot, "english-mask-menu.png");
  } else if (GetTickCount64() < watch.deadline) {
    return;
  }
  watch.done = true;
  KillTimer(nullptr, timer);
  EndMenu();
}

TEST_F(EnglishInterfaceTest, TheMaskMenuOpensWithItsEnglishItems) {
  ASSERT_NE(Open(WritePicture("shot.bmp", 96, 64)), nullptr);
  watch = OpenMenuWatch{};
  watch.deadline = GetTickCount64() + 5000;
  GetWindowRect(frame(), &watch.shot);
  SetTimer(nullptr, 0, 50, WatchOpenMenu);
  PostMessageW(frame(), WM_SYSCOMMAND, SC_KEYMENU, 'm');  // Alt+M: the "&Mask" popup
  ASSERT_TRUE(PumpUntil([] { return watch.done; }, 8000));
  EXPECT_EQ(watch.firstItem, "&Negative/Positive\tF5");
}

TEST_F(EnglishInterfaceTest, ToolbarTipsAndCommentsAreEnglish) {
  ASSERT_NE(Open(WritePicture("tips.bmp", 16, 16)), nullptr);
  for (int32_t row = 0; row < kToolbarRowCount; ++row) {
    if (!IsPlacedRow(row)) continue;
    const ToolbarRow& r = ToolbarTable()[static_cast<size_t>(row)];
    SCOPED_TRACE(r.bitmapBase);
    const std::string tip(ToolbarTipText(row, app().language));
    const std::string comment(ToolbarComment(row, app().language));
    EXPECT_FALSE(LooksJapanese(tip)) << tip;
    EXPECT_FALSE(LooksJapanese(comment)) << comment;
    // The pointer on the button: its comment at once, its tip after at most a second.
    const HWND button = GetDlgItem(frame(), r.command);
    ASSERT_NE(button, nullptr);
    MSG move{button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), GetTickCount(), {}};
    app().frame->TrackTip(move);
    EXPECT_EQ(WindowTextOf(app().frame->panes().messagePane()), comment);
    for (int tick = 0; tick < 12 && !FrameShows(tip); ++tick) SendMessageW(frame(), WM_TIMER, kFrameTimerId, 0);
    EXPECT_TRUE(FrameShows(tip)) << tip;
  }
}

// How a user reaches each dialog: a command on a picture of this name (nullptr: no picture).
struct DialogCase {
  const char* name;
  const char* picture;
  WORD command;
  bool captioned = true;
};

constexpr DialogCase kDialogs[] = {
    {"about", nullptr, cmd::kAbout},
    {"jpeg options", nullptr, cmd::kJpegOptions},
    {"q0 options", nullptr, cmd::kQ0Options},
    {"rgb options", nullptr, cmd::kRgbOptions},
    {"area options", "area.bmp", cmd::kAreaOptions, false},  // opened at the pointer, untitled
    {"cp code", "cp.bmp", cmd::kCpMask},
    {"gif options", "save.gif", cmd::kSave},
    {"png options", "save.png", cmd::kSave},
    {"bmp options", "save.bmp", cmd::kSave},
    {"jpeg 2000 options", "save.jp2", cmd::kSave},
    {"properties", "props.png", cmd::kProperties},
};

TEST_F(EnglishInterfaceTest, TheDialogsAUserReachesAreEnglishAndFitTheirTexts) {
  for (const DialogCase& c : kDialogs) {
    SCOPED_TRACE(c.name);
    DocumentWindow* window = nullptr;
    if (c.picture) {
      window = Open(WritePicture(c.picture, 120, 90, 3));
      ASSERT_NE(window, nullptr);
      SelectArea(window->doc(), 0, 0, 64, 64);
    }
    std::vector<std::string> texts;
    ModalDriver driver({[&](HWND d) {
      texts = DialogTexts(d);
      PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
      return true;
    }});
    Command(c.command);
    EXPECT_TRUE(PumpUntil([&] { return driver.Finished(); }, 8000)) << "the dialog did not open";
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].empty(), !c.captioned) << texts[0];
    for (const std::string& text : texts) EXPECT_FALSE(LooksJapanese(text)) << text;
    if (window) {
      SendMessageW(app().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window->hwnd()), 0);
      Pump();
    }
  }
}

TEST_F(EnglishInterfaceTest, TheSlideShowDialogsAreEnglishAndFitTheirTexts) {
  std::vector<std::string> options, keys;
  {
    ModalDriver driver({[&](HWND d) {
      options = DialogTexts(d);
      ClickItem(d, IDCANCEL);
      return true;
    }});
    EXPECT_FALSE(ShowSlideOptions(app(), frame(), app().slide));
    ASSERT_TRUE(driver.Finished());
  }
  {
    ModalDriver driver({[&](HWND d) {
      keys = DialogTexts(d);
      ClickItem(d, IDOK);
      return true;
    }});
    ShowSlideHelp(app(), frame());
    ASSERT_TRUE(driver.Finished());
  }
  ASSERT_FALSE(options.empty());
  EXPECT_EQ(options[0], "Slide Show Option");
  EXPECT_NE(std::find(options.begin(), options.end(), "Display Infomation"), options.end());
  EXPECT_NE(std::find(options.begin(), options.end(), "&Cancel"), options.end());
  ASSERT_FALSE(keys.empty());
  EXPECT_EQ(keys[0], "Usage Slide Show");
  EXPECT_NE(std::find(keys.begin(), keys.end(), "Cancel the slide show."), keys.end());
  for (const std::string& text : options) EXPECT_FALSE(LooksJapanese(text)) << text;
  for (const std::string& text : keys) EXPECT_FALSE(LooksJapanese(text)) << text;
}

TEST_F(EnglishInterfaceTest, MessagesAreEnglish) {
  // A picture that cannot be read.
  {
    FilePtr file = OpenFile(folder_.Path("broken.bmp"), "wb");
    ASSERT_TRUE(file);
    std::fputs("BM this is no bitmap", file.get());
  }
  EXPECT_EQ(Open(folder_.Path("broken.bmp")), nullptr);
  ASSERT_FALSE(boxes_.empty());
  EXPECT_EQ(boxes_.back().text, "Read Error !");

  // Saving over a read-only file; then deleting the picture's file (answered No).
  const std::string locked = WritePicture("locked.bmp", 8, 8);
  ASSERT_NE(Open(locked), nullptr);
  SetFileAttributesW(Wide(locked).c_str(), FILE_ATTRIBUTE_READONLY);
  Command(cmd::kSave);
  SetFileAttributesW(Wide(locked).c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_FALSE(boxes_.empty());
  EXPECT_EQ(boxes_.back().text, "Write Error! (READONLY FILE)");
  Key(VK_DELETE);
  EXPECT_EQ(boxes_.back().text, locked + "\rDo you really want to remove it ?");

  // A CP code with a character that is not a letter.
  SelectArea(Active()->doc(), 0, 0, 8, 8);
  ModalDriver driver({[](HWND d) {
                        SetDlgItemTextW(d, IDC_CP_EDIT, L"AB1");
                        ClickItem(d, IDOK);
                        return true;
                      },
                      [](HWND d) {
                        ClickItem(d, IDCANCEL);
                        return true;
                      }});
  Command(cmd::kCpMask);
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(boxes_.back().text, "The code holds 1, which is not a letter of the alphabet.");

  for (const MessageBoxRequest& box : boxes_) {
    EXPECT_FALSE(LooksJapanese(box.text)) << box.text;
    EXPECT_FALSE(LooksJapanese(box.caption)) << box.caption;
  }
}

}  // namespace
}  // namespace veilo::testing
