#pragma once
#include <cstdint>

namespace veilo {

using WindowRef = uintptr_t;  // an HWND, as the shell sees it; 0 = none
using CursorRef = uintptr_t;  // an HCURSOR; 0 = none

}  // namespace veilo
