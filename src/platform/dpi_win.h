#pragma once
// The DPI of a window (the program is per-monitor DPI aware).
#include <windows.h>

#include <cstdint>

#include "platform/dpi_scale.h"

namespace veilo {

// The DPI of a window's monitor (the system DPI where the per-monitor call is missing).
int WindowDpi(HWND window);
// A system metric at a DPI (GetSystemMetricsForDpi where it exists).
int SystemMetricForDpi(int index, int dpi);

}  // namespace veilo
