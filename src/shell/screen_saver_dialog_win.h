#pragma once
// The screen saver's settings ("/c"): the dialog SC_OPT over the folder and the seconds that
// win.ini keeps for it.
#include <windows.h>

#include <string>

namespace veilo {

struct AppOptions;

// SC_OPT: every change of its two fields goes into `options` at once; Cancel puts back what
// they held when it opened. True on OK.
bool ShowScreenSaverOptions(HWND owner, AppOptions& options);

// "/c": the settings read from `winIniFile`, SC_OPT without an owner, and on OK both keys
// written back. The program's exit code.
int RunScreenSaverSettings(const std::string& winIniFile);

}  // namespace veilo
