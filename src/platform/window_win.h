#pragma once
// Window wrappers: one router procedure per kind of window. At WM_NCCREATE the
// router takes the object from the create parameters (for an MDI child, from
// the MDICREATESTRUCT's lParam), keeps it in the window's user data and hands
// every message to its HandleMessage; at WM_NCDESTROY the link is cleared.
// Nothing thrown may cross back into user32: handlers do not throw.
#include <windows.h>

namespace veilo {

class Window {
 public:
  virtual ~Window() = default;
  HWND hwnd() const { return hwnd_; }

  // The window procedure for classes of objects derived from Window.
  static LRESULT CALLBACK Router(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // The same for MDI children, which take the object from the MDICREATESTRUCT.
  static LRESULT CALLBACK MdiChildRouter(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  // The object that owns a window made through one of the routers, or null.
  static Window* FromHandle(HWND hwnd);

 protected:
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
  // Called once the window is gone (after WM_NCDESTROY): the object may end itself here.
  virtual void OnFinalMessage() {}
  // What unhandled messages get: DefWindowProc here; frames and MDI children override it.
  virtual LRESULT DefaultHandling(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

 private:
  static LRESULT Dispatch(Window* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

// Registers a window class whose procedure is `proc`; false when that fails.
bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style, HICON icon,
                         HCURSOR cursor, HBRUSH background, int windowExtraBytes = sizeof(LONG_PTR));

// Sets a window's text through the default handling, without the caption
// repaint that comes with it (Wine repaints the whole nonclient area, about
// 15 ms a time): the caller repaints what is to be seen, or nothing when the
// caption is out of sight.
LRESULT SetTextWithoutCaptionPaint(HWND window, const wchar_t* text);

}  // namespace veilo
