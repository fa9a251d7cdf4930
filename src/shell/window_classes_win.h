#pragma once
#include <windows.h>

namespace veilo {

// Registers every window class of the program; false when one fails.
bool RegisterWindowClasses(HINSTANCE instance);

}  // namespace veilo
