#pragma once
#include <windows.h>

namespace veilo {

struct App;

// The About box; a message when it cannot be shown.
void ShowAboutBox(App& app, HWND owner);

}  // namespace veilo
