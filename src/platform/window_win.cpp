#include "platform/window_win.h"

namespace veilo {

namespace {

Window* Stored(HWND hwnd) { return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

void Store(HWND hwnd, Window* self) { SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self)); }

}  // namespace

Window* Window::FromHandle(HWND hwnd) { return hwnd ? Stored(hwnd) : nullptr; }

LRESULT Window::Dispatch(Window* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    const LRESULT result = self->HandleMessage(msg, wp, lp);
    Store(hwnd, nullptr);
    self->hwnd_ = nullptr;
    self->OnFinalMessage();
    return result;
  }
  return self->HandleMessage(msg, wp, lp);
}

LRESULT CALLBACK Window::Router(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = Stored(hwnd);
  if (!self && msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      Store(hwnd, self);
    }
  }
  return Dispatch(self, hwnd, msg, wp, lp);
}

LRESULT CALLBACK Window::MdiChildRouter(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = Stored(hwnd);
  if (!self && msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    const auto* mdi = static_cast<const MDICREATESTRUCTW*>(create->lpCreateParams);
    self = mdi ? reinterpret_cast<Window*>(mdi->lParam) : nullptr;
    if (self) {
      self->hwnd_ = hwnd;
      Store(hwnd, self);
    }
  }
  if (!self) return DefMDIChildProcW(hwnd, msg, wp, lp);
  return Dispatch(self, hwnd, msg, wp, lp);
}

bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style, HICON icon,
                         HCURSOR cursor, HBRUSH background, int windowExtraBytes) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = windowExtraBytes;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

LRESULT SetTextWithoutCaptionPaint(HWND window, const wchar_t* text) {
  // The default handling repaints the caption of a window styled with one;
  // for that moment the style lacks part of it. Without SWP_FRAMECHANGED the
  // frame is not recalculated, so nothing else sees the change.
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_DLGFRAME));
  const LRESULT result = DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  SetWindowLongPtrW(window, GWL_STYLE, style);
  return result;
}

}  // namespace veilo
