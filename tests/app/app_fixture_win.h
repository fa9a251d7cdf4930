#pragma once
// In-process tests of the application: the real frame and document windows on
// the test display, driven with messages and checked through their state and
// their painted pixels. Message boxes are answered by the fixture.
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/frame_win.h"
#include "shell/message_box_win.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo::testing {

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the application; a language file in the start folder when `languageFile` is not empty.
  void Start(const std::string& languageFile = {}, const std::string& settings = {});
  // What Start starts with: the test's folders for the program, the start and win.ini.
  AppStartOptions StartOptions() const;
  // The text of the English language file that ships with the program (empty when unreadable).
  static std::string ShippedEnglishFile();

  // Dispatches messages until none has come for `quietMs`, at most `limitMs` in all.
  static void Pump(DWORD quietMs = 30, DWORD limitMs = 3000);
  // Pumps until `done` holds; false when `limitMs` passed first.
  static bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000);

  App& app() { return TheApp(); }
  HWND frame() { return app().frameWindow; }
  void Command(WORD id, LPARAM lp = 0);
  // A key as the user types it: through the frame's accelerators to the focused window.
  void Key(WORD virtualKey, bool shift = false, bool ctrl = false);

  DocumentWindow* Active() { return app().ActiveDocument(); }
  // The document windows in the MDI client's z-order (the active one first).
  std::vector<DocumentWindow*> Documents();
  std::string Caption(HWND window);
  DocumentWindow* Open(const std::string& path);

  // Makes a document the active one.
  void MDIActivate(DocumentWindow* window);
  // The clipboard's bitmap (it stays the clipboard's).
  static HBITMAP GetClipboardBitmap(HWND owner);
  // Until StopClosingDialogs, every dialog box of this thread is cancelled as soon as it appears.
  static void CloseDialogsAsTheyAppear();
  static void StopClosingDialogs();

  // Files: a picture written by the program's own writer.
  std::string WritePicture(const std::string& name, int32_t width, int32_t height, uint32_t seed = 1);

  // Message boxes: every request is recorded; answers are taken from the queue, IDOK/IDNO otherwise.
  std::vector<MessageBoxRequest> boxes_;
  std::deque<int> answers_;

  // The window's client area as painted, row by row from the top, 0xRRGGBB.
  static std::vector<uint32_t> CaptureClient(HWND window, int32_t& width, int32_t& height);
  // What the screen shows in r (screen coordinates), row by row from the top.
  static std::vector<uint32_t> CaptureScreen(const RECT& r);

  TempFolder folder_;
  std::string exeDir_, startDir_;
  std::string userDataDir_;  // where the program goes when exeDir_ cannot be written; the user's own when empty
  std::string windowsDir_;  // the Windows folder the application uses (empty: the system's)
};

// The screen inside `r`, saved as the PNG file `name` in VEILO_SHOT_DIR (nothing without it).
void SaveScreenShot(const RECT& r, const std::string& name);

// Rgb of a document pixel as 0xRRGGBB.
uint32_t DocColour(ImageDoc& doc, int32_t x, int32_t y);

}  // namespace veilo::testing
