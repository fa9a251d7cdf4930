#include "platform/dpi_win.h"

namespace veilo {

namespace {

// Windows 10 1607 and later; looked up so the program still starts where they are missing.
template <typename Fn>
Fn User32Function(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kBaseDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

int SystemMetricForDpi(int index, int dpi) {
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, WindowDpi(nullptr));
}

}  // namespace veilo
