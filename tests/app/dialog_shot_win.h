#pragma once
// A picture of a dialog as it is on the screen, for people to look at.
#include <windows.h>

#include <string>

namespace veilo::testing {

// With VEILO_SHOT_DIR set, saves the dialog there as dialog-NAME-DPIdpi.png; otherwise nothing.
void SaveShot(HWND dialog, const std::string& name);

}  // namespace veilo::testing
