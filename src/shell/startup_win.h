#pragma once
// What happens before the application starts: handing the command line to an
// instance that is already running, and the screen-saver settings ("/c").
#include <windows.h>

#include "shell/command_line.h"

namespace veilo {

// Brings the running frame forward and sends it the arguments as global atoms:
// the whole line for a slide show, else one atom per file, in order.
void HandOverToRunningInstance(HWND runningFrame, const ArgumentUse& arguments);

// "/c": the screen-saver settings dialog without an owner; the exit code.
int ShowScreenSaverSettings();

}  // namespace veilo
