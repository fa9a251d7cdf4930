// The screen saver as Windows runs it: "/s" shows the win.ini folder full screen without a
// pointer, keeps going through the mouse's first three seconds, then ends on the mouse and ends
// the program; "/c" edits the two win.ini keys in SC_OPT.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "modal_driver_win.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "shell/resource_ids.h"
#include "shell/screen_saver_dialog_win.h"
#include "shell/settings.h"
#include "shell/slide_window_win.h"
#include "slide_driver_win.h"

namespace veilo::testing {
namespace {

constexpr uint32_t kStartTick = 50000;

class ScreenSaverTest : public AppTest {
 protected:
  std::string WinIni() const { return folder_.Path("win.ini"); }

  void WriteWinIni(const std::string& text) {
    FilePtr file = OpenFile(WinIni(), "wb");
    ASSERT_TRUE(file);
    ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file.get()), text.size());
  }
  std::string ReadWinIni() const {
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(WinIni(), 1 << 16);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
  }
  static std::string SlideKeys(const std::string& folder, const std::string& seconds) {
    return "[" + std::string(kSettingsSection) + "]\r\nSLD_PATH=" + folder + "\r\nSLD_TM=" + seconds + "\r\n";
  }

  // A folder of two pictures; their paths in show order.
  std::string MakeShowFolder() {
    CreateDirectoryW(Wide(folder_.Path("saver")).c_str(), nullptr);
    paths_ = {WritePicture("saver\\1.bmp", 40, 30, 1), WritePicture("saver\\2.png", 30, 40, 2)};
    return folder_.Path("saver");
  }

  // Starts as "/s" does, on a clock that moves only when the test moves it. The show begins at
  // the frame's first tick, so the driver for it must exist before this is called.
  void StartScreenSaver() {
    AppStartOptions start = StartOptions();
    start.screenSaverMode = true;
    ASSERT_TRUE(StartApp(GetModuleHandleW(nullptr), start));
    frame_ = frame();
    app().tickCount = [this] { return now_; };
  }
  // The frame closes itself once the show has ended.
  bool ProgramEnds() { return PumpUntil([&] { return !IsWindow(frame_); }, 5000); }

  // A mouse message at a screen point, as the SLIDE window receives it.
  static void Mouse(HWND slide, UINT msg, POINT screen) {
    ScreenToClient(slide, &screen);
    SendMessageW(slide, msg, 0, MAKELPARAM(screen.x, screen.y));
  }
  POINT StartPointer() const {
    const std::optional<SlidePoint> at = TheApp().slide.pointer;
    return at ? POINT{at->x, at->y} : POINT{};
  }

  static int CursorCount() {
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
  }

  uint32_t now_ = kStartTick;
  HWND frame_ = nullptr;
  std::vector<std::string> paths_;
};

TEST_F(ScreenSaverTest, TheMouseEndsTheShowOnlyAfterThreeSecondsAndThenTheProgram) {
  WriteWinIni(SlideKeys(MakeShowFolder(), "600"));  // no timer step during the test
  const int cursorBefore = CursorCount();
  bool ranThrough = false;
  SlideDriver driver({[&](HWND slide) {
                        if (!slide || SlidePicturePath().empty()) return false;
                        EXPECT_EQ(SlidePicturePath(), paths_[0]);
                        EXPECT_EQ(app().slide.intervalMs, 600000);
                        EXPECT_TRUE(IsIconic(frame_)) << "the frame stays minimised";
                        EXPECT_TRUE(IsWindowVisible(slide));
                        EXPECT_TRUE(GetWindowLongW(slide, GWL_EXSTYLE) & WS_EX_TOPMOST);
                        EXPECT_LT(CursorCount(), 0) << "the pointer is hidden";
                        SendMessageW(slide, WM_SETCURSOR, reinterpret_cast<WPARAM>(slide),
                                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                        EXPECT_EQ(GetCursor(), nullptr);
                        return true;
                      },
                      [&](HWND slide) {
                        POINT p = StartPointer();
                        now_ = kStartTick + 1000;
                        p.x += 10;
                        Mouse(slide, WM_MOUSEMOVE, p);
                        Mouse(slide, WM_LBUTTONDOWN, p);
                        now_ = kStartTick + 2999;
                        p.y += 10;
                        Mouse(slide, WM_MOUSEMOVE, p);
                        Mouse(slide, WM_RBUTTONDOWN, p);
                        Mouse(slide, WM_MBUTTONDOWN, p);
                        EXPECT_TRUE(IsWindow(slide)) << "input in the first three seconds";
                        now_ = kStartTick + 3000;
                        Mouse(slide, WM_MOUSEMOVE, p);
                        EXPECT_TRUE(IsWindow(slide)) << "a move message to where the pointer already is";
                        EXPECT_FALSE(app().quitAfterSlideShow);
                        p.x += 1;
                        Mouse(slide, WM_MOUSEMOVE, p);
                        EXPECT_FALSE(IsWindow(slide)) << "a move after three seconds";
                        ranThrough = true;
                        return true;
                      }},
                     10000);
  StartScreenSaver();
  EXPECT_TRUE(ProgramEnds());
  EXPECT_TRUE(driver.Finished());
  EXPECT_TRUE(ranThrough);
  EXPECT_EQ(RunningSlideWindow(), nullptr);
  EXPECT_EQ(CursorCount(), cursorBefore) << "the pointer is back";
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ScreenSaverTest, AButtonAfterThreeSecondsEndsItAndKeysWorkAsInAShow) {
  WriteWinIni(SlideKeys(MakeShowFolder(), "600"));
  SlideDriver driver({[&](HWND slide) { return slide && !SlidePicturePath().empty(); },
                      [&](HWND slide) {
                        SendMessageW(slide, WM_KEYDOWN, VK_RIGHT, 0);
                        EXPECT_EQ(SlidePicturePath(), paths_[1]);
                        SendMessageW(slide, WM_CHAR, '-', 0);
                        EXPECT_EQ(SlidePicturePath(), paths_[0]);
                        now_ = kStartTick + 3000;
                        Mouse(slide, WM_MBUTTONDOWN, StartPointer());
                        EXPECT_FALSE(IsWindow(slide));
                        return true;
                      }});
  StartScreenSaver();
  EXPECT_TRUE(ProgramEnds());
  EXPECT_TRUE(driver.Finished());
  EXPECT_TRUE(boxes_.empty());
}

// Esc and Pause end an ordinary show; a screen saver's program ends with it.
TEST_F(ScreenSaverTest, EscOrPauseEndsTheProgram) {
  const std::string folder = MakeShowFolder();
  for (const WPARAM key : {WPARAM{VK_ESCAPE}, WPARAM{VK_PAUSE}}) {
    SCOPED_TRACE(key);
    WriteWinIni(SlideKeys(folder, "600"));
    SlideDriver driver({[&](HWND slide) {
      if (!slide || SlidePicturePath().empty()) return false;
      if (key == VK_ESCAPE)
        SendMessageW(slide, WM_CHAR, 0x1B, 0);
      else
        SendMessageW(slide, WM_KEYDOWN, VK_PAUSE, 0);
      return true;
    }});
    StartScreenSaver();
    EXPECT_TRUE(ProgramEnds());
    EXPECT_TRUE(driver.Finished());
    ShutdownApp();
    Pump(10, 1000);
  }
  EXPECT_TRUE(boxes_.empty());
}

// A screen saver has nobody to answer a message: with nothing to show it ends at once, silently.
TEST_F(ScreenSaverTest, WithNothingToShowTheProgramEndsWithoutAMessage) {
  CreateDirectoryW(Wide(folder_.Path("empty")).c_str(), nullptr);
  WritePicture("empty\\notes.txt", 4, 4);
  const struct {
    const char* what;
    std::string winIni;
  } cases[] = {
      {"no keys in win.ini", ""},
      {"a folder that is not there", SlideKeys(folder_.Path("gone"), "5")},
      {"a folder without pictures", SlideKeys(folder_.Path("empty"), "5")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteWinIni(c.winIni);
    StartScreenSaver();
    EXPECT_TRUE(ProgramEnds());
    EXPECT_EQ(RunningSlideWindow(), nullptr);
    ShutdownApp();
    Pump(10, 1000);
  }
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ScreenSaverTest, SettingsFieldsChangeTheOptionsAtOnceAndCancelPutsThemBack) {
  AppOptions options;
  options.slideFolder = "C:\\old";
  options.slideSeconds = 7;
  bool checked = false;
  ModalDriver driver({[&](HWND dialog) {
    EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, IDC_SCREEN_SAVER_FOLDER)), "C:\\old");
    EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, IDC_SCREEN_SAVER_SECONDS)), "7");
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_SCREEN_SAVER_FOLDER, EM_GETLIMITTEXT, 0, 0), 259);
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_SCREEN_SAVER_SECONDS, EM_GETLIMITTEXT, 0, 0), 3);
    SetDlgItemTextW(dialog, IDC_SCREEN_SAVER_FOLDER, L"D:\\写真");
    SetDlgItemTextW(dialog, IDC_SCREEN_SAVER_SECONDS, L"12x");
    EXPECT_EQ(options.slideFolder, "D:\\写真");
    EXPECT_EQ(options.slideSeconds, 12);
    SetDlgItemTextW(dialog, IDC_SCREEN_SAVER_SECONDS, L"");
    EXPECT_EQ(options.slideSeconds, 0);
    checked = true;
    ClickItem(dialog, IDCANCEL);
    return true;
  }});
  EXPECT_FALSE(ShowScreenSaverOptions(nullptr, options));
  EXPECT_TRUE(driver.Finished());
  EXPECT_TRUE(checked);
  EXPECT_EQ(options.slideFolder, "C:\\old");
  EXPECT_EQ(options.slideSeconds, 7);
}

// "/c": OK writes both keys and leaves the rest of win.ini as it was; Cancel writes nothing.
TEST_F(ScreenSaverTest, SettingsOkWritesWinIniAndCancelWritesNothing) {
  const std::string before =
      "[windows]\r\nload=\r\n" + SlideKeys("C:\\old", "7") + "[other]\r\nkeep=1\r\n";
  for (const int button : {IDOK, IDCANCEL}) {
    SCOPED_TRACE(button);
    WriteWinIni(before);
    ModalDriver driver({[&](HWND dialog) {
      SetDlgItemTextW(dialog, IDC_SCREEN_SAVER_FOLDER, L"D:\\写真 2");
      SetDlgItemTextW(dialog, IDC_SCREEN_SAVER_SECONDS, L"30");
      ClickItem(dialog, button);
      return true;
    }});
    EXPECT_EQ(RunScreenSaverSettings(WinIni()), 0);
    EXPECT_TRUE(driver.Finished());
    if (button == IDCANCEL) {
      EXPECT_EQ(ReadWinIni(), before);
      continue;
    }
    AppOptions read;
    loadSlideSettings(WinIni(), read);
    EXPECT_EQ(read.slideFolder, "D:\\写真 2");
    EXPECT_EQ(read.slideSeconds, 30);
    const std::string after = ReadWinIni();
    EXPECT_NE(after.find("[windows]\r\nload=\r\n"), std::string::npos) << after;
    EXPECT_NE(after.find("[other]\r\nkeep=1\r\n"), std::string::npos) << after;
  }
}

}  // namespace
}  // namespace veilo::testing
