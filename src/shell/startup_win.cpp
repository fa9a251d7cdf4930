#include "shell/startup_win.h"

#include "platform/wide_win.h"
#include "shell/commands.h"
#include "shell/app_win.h"
#include "shell/screen_saver_dialog_win.h"

namespace veilo {

namespace {

// Sends one atom and waits until the running instance has used it (it deletes
// the atom). A text longer than an atom holds cannot be handed over this way.
void SendAtom(HWND frame, CommandId id, const std::string& text) {
  const std::wstring wide = Wide(text);
  if (wide.size() > kMaxAtomLength) return;
  if (const ATOM atom = GlobalAddAtomW(wide.c_str())) SendMessageW(frame, WM_COMMAND, id, atom);
}

}  // namespace

void HandOverToRunningInstance(HWND runningFrame, const ArgumentUse& arguments) {
  if (IsIconic(runningFrame)) ShowWindow(runningFrame, SW_RESTORE);
  SetForegroundWindow(runningFrame);
  if (arguments.slideShow) {
    SendAtom(runningFrame, cmd::kSlideShowFromAtom, arguments.slideShowLine);
    return;
  }
  for (const std::string& file : arguments.files) SendAtom(runningFrame, cmd::kOpenHandedOverFile, file);
}

int ShowScreenSaverSettings() { return RunScreenSaverSettings(SystemWinIniFile()); }

}  // namespace veilo
