#include "view/pan_marker_win.h"

#include <windowsx.h>

#include <memory>
#include <vector>

#include "platform/handles_win.h"
#include "platform/window_win.h"
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/resource_ids.h"
#include "view/pan.h"

namespace veilo {

namespace {

class PanMarker : public Window {
 public:
  PanMarker(App& app, DocumentWindow& window) : app_(app), window_(window) {}

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnFinalMessage() override;

 private:
  LRESULT OnCreate();
  LRESULT OnDestroy();
  LRESULT OnPaint();
  LRESULT OnMove(int x, int y);
  LRESULT OnMouseMove(WPARAM wp, LPARAM lp);

  App& app_;
  DocumentWindow& window_;
  bool started_ = false;
};

// The markers alive; each lets go of itself when its window is gone.
std::vector<std::unique_ptr<PanMarker>>& Markers() {
  static std::vector<std::unique_ptr<PanMarker>> markers;
  return markers;
}

LRESULT PanMarker::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_DESTROY: return OnDestroy();
    case WM_PAINT: return OnPaint();
    case WM_ERASEBKGND: return 1;  // the picture beneath shows around the icon
    case WM_MOVE: return OnMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    // The pointer over the marker belongs to the document window: its moves
    // steer the auto-scroll, its clicks stop it.
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEMOVE: return OnMouseMove(wp, lp);
    default: return DefaultHandling(msg, wp, lp);
  }
}

void PanMarker::OnFinalMessage() {
  std::erase_if(Markers(), [this](const std::unique_ptr<PanMarker>& m) { return m.get() == this; });
}

LRESULT PanMarker::OnCreate() {
  window_.doc().panWindow = reinterpret_cast<WindowRef>(hwnd());
  started_ = true;
  return 0;
}

LRESULT PanMarker::OnDestroy() {
  ImageDoc& doc = window_.doc();
  if (!started_ || doc.panWindow != reinterpret_cast<WindowRef>(hwnd())) return 0;
  ShowCursor(FALSE);
  const auto saved = reinterpret_cast<HCURSOR>(doc.panSavedCursor);
  SetCursor(saved ? saved : LoadCursorW(nullptr, IDC_ARROW));
  EndPan(doc);
  return 0;
}

LRESULT PanMarker::OnPaint() {
  const PaintDc paint(hwnd());
  if (const HICON icon = LoadIconW(app_.instance, MAKEINTRESOURCEW(IDI_PAN_MARKER)))
    DrawIcon(paint.get(), 0, 0, icon);
  return 0;
}

// The marker stays where the auto-scroll began, whatever moves it.
LRESULT PanMarker::OnMove(int x, int y) {
  const WindowRect home = PanMarkerRect(window_.doc());
  if (x == home.left && y == home.top) return 0;
  ShowWindow(hwnd(), SW_HIDE);
  SetWindowPos(hwnd(), nullptr, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd(), SW_SHOWNA);
  return 0;
}

// A move the marker sees anyway goes on to the document window at the same
// screen point, which takes it relative to the anchor.
LRESULT PanMarker::OnMouseMove(WPARAM wp, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  MapWindowPoints(hwnd(), window_.hwnd(), &p, 1);
  SendMessageW(window_.hwnd(), WM_MOUSEMOVE, wp, MAKELPARAM(p.x, p.y));
  return 0;
}

}  // namespace

bool RegisterPanMarkerClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, kPanMarkerClass, Window::Router, 0, nullptr, nullptr, nullptr);
}

bool StartPanMarker(App& app, DocumentWindow& window) {
  ImageDoc& doc = window.doc();
  const HCURSOR previous = SetCursor(app.Cursor(IDC_CUR_PAN));
  doc.panSavedCursor = reinterpret_cast<CursorRef>(previous);
  ShowCursor(TRUE);
  const WindowRect r = PanMarkerRect(doc);
  auto& marker = Markers().emplace_back(std::make_unique<PanMarker>(app, window));
  PanMarker* const created = marker.get();
  const HWND hwnd =
      CreateWindowExW(WS_EX_TRANSPARENT | WS_EX_TOPMOST, kPanMarkerClass, L"", WS_CHILD | WS_VISIBLE, r.left,
                      r.top, r.right - r.left, r.bottom - r.top, window.hwnd(), nullptr, app.instance, created);
  if (hwnd) return true;
  // Never made: its object may still sit in the list when no window took it.
  std::erase_if(Markers(), [created](const std::unique_ptr<PanMarker>& m) { return m.get() == created; });
  ShowCursor(FALSE);
  SetCursor(previous);
  EndPan(doc);
  return false;
}

}  // namespace veilo
