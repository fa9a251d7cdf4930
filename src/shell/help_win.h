#pragma once
#include <windows.h>

namespace veilo {

struct App;

// Help: the help file with the system's help viewer where both exist,
// otherwise the program's own summary of its use and keys.
void ShowHelp(App& app, HWND owner);

}  // namespace veilo
