// The Quick Zoom box: the reduced copy of the shown document centred in it,
// rebuilt for every document when the box changes size, the outline of the
// visible part over it, and the window kept with the frame.
#include "view/quick_zoom_window_win.h"

#include <windowsx.h>

#include "platform/dialog_win.h"
#include "platform/dpi_scale.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/frame_win.h"
#include "view/frame_drawing_win.h"
#include "view/quick_zoom_win.h"

namespace veilo {

namespace {

// How often the window checks that it keeps to the frame (see OnTimer).
constexpr UINT_PTR kStackingTimerId = 1;
constexpr UINT kStackingCheckMs = 200;
// Draws each rectangle's outline once with the inverting pen; the same
// rectangle drawn again restores the pixels. The closed path touches every
// outline pixel exactly once, corners included.
void Invert(HDC dc, const BoxInversions& rectangles) {
  if (rectangles.empty()) return;
  SelectGuard selected(dc, FramePen());
  const int previous = SetROP2(dc, R2_NOTXORPEN);
  for (const WindowRect& r : rectangles) {
    MoveToEx(dc, r.left, r.top, nullptr);
    LineTo(dc, r.right, r.top);
    LineTo(dc, r.right, r.bottom);
    LineTo(dc, r.left, r.bottom);
    LineTo(dc, r.left, r.top);
  }
  SetROP2(dc, previous);
}

// Where the window of the stored size goes: on the monitor that holds (or is
// nearest to) the stored rectangle, or where the system puts new windows.
POINT Placement(const AppOptions& o, int width, int height) {
  const RECT stored{o.quickZoomX, o.quickZoomY, o.quickZoomX + width, o.quickZoomY + height};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromRect(&stored, MONITOR_DEFAULTTONEAREST), &monitor))
    SetRect(&monitor.rcMonitor, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  const RECT& screen = monitor.rcMonitor;
  const WindowPlacement p = QuickZoomPlacement(o.quickZoomX - screen.left, o.quickZoomY - screen.top, width,
                                               height, screen.right - screen.left, screen.bottom - screen.top);
  if (p.useDefault) return {CW_USEDEFAULT, CW_USEDEFAULT};
  return {p.x + screen.left, p.y + screen.top};
}

}  // namespace

bool QuickZoomWindow::Create() {
  const int width = ScaleToDpi(app_.options.quickZoomWidth, app_.dpi);
  const int height = ScaleToDpi(app_.options.quickZoomHeight, app_.dpi);
  const POINT at = Placement(app_.options, width, height);
  const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kQuickZoomClass, Wide(kQuickZoomNoDocumentCaption).c_str(),
                                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, at.x, at.y, width, height,
                                      app_.frameWindow, nullptr, app_.instance, this);
  if (!window) return false;
  // Shown without taking the activation: the frame or document keeps the keyboard.
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return true;
}

LRESULT QuickZoomWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_DESTROY: return OnDestroy();
    case WM_SIZE: return OnSize(LOWORD(lp), HIWORD(lp));
    case WM_MOVE: return OnMove();
    case WM_PAINT: return OnPaint();
    case WM_LBUTTONDOWN: return OnLeftDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_LBUTTONUP: return OnLeftUp();
    case WM_NCLBUTTONUP: FocusDocument(); return DefaultHandling(msg, wp, lp);
    case WM_MOUSEMOVE: return OnMouseMove(wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_RBUTTONDOWN: return OnRightDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_RBUTTONUP: return OnRightUp(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_CAPTURECHANGED: return OnCaptureChanged();
    case WM_DPICHANGED: return OnDpiChanged(reinterpret_cast<const RECT*>(lp));
    case WM_MOUSEACTIVATE: return OnMouseActivate(msg, wp, lp);
    case WM_TIMER: return OnTimer(wp);
    default: return DefaultHandling(msg, wp, lp);
  }
}

DocumentWindow* QuickZoomWindow::Shown() const {
  return app_.FindDocument(reinterpret_cast<HWND>(qz_.shownWindow));
}

LRESULT QuickZoomWindow::OnCreate() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  qz_ = QuickZoomState{};
  qz_.boxWidth = client.right;
  qz_.boxHeight = client.bottom;
  SetTimer(hwnd(), kStackingTimerId, kStackingCheckMs, nullptr);
  RebuildCopies();
  if (app_.ActiveDocument()) QuickZoomShowDocument(qz_, reinterpret_cast<WindowRef>(app_.activeDocWindow));
  SyncCaption();
  if (app_.frame) app_.frame->RefreshControls();
  if (DocumentWindow* shown = Shown()) shown->NotifyVisibleRect();
  return 0;
}

// Every document's copy is made for the box, so a box of another size (a new
// DPI) has them all made again.
LRESULT QuickZoomWindow::OnSize(int width, int height) {
  if (width == qz_.boxWidth && height == qz_.boxHeight) return 0;
  qz_.boxWidth = width;
  qz_.boxHeight = height;
  RebuildCopies();
  QuickZoomForgetDrawing(qz_);
  InvalidateRect(hwnd(), nullptr, TRUE);
  if (DocumentWindow* shown = Shown()) shown->NotifyVisibleRect();
  return 0;
}

void QuickZoomWindow::RebuildCopies() {
  for (const std::unique_ptr<DocumentWindow>& d : app_.documents) {
    const ImageDoc& doc = d->doc();
    const ThumbLayout wanted = ThumbnailLayout(doc.width, doc.height, qz_.boxWidth, qz_.boxHeight);
    if (wanted.thumbWidth != doc.thumbWidth || wanted.thumbHeight != doc.thumbHeight ||
        wanted.thumbScale != doc.thumbScale)
      d->RebuildThumbnail();
  }
}

LRESULT QuickZoomWindow::OnMove() {
  RECT r{};
  if (GetWindowRect(hwnd(), &r) && !IsIconic(hwnd())) {
    app_.options.quickZoomX = r.left;
    app_.options.quickZoomY = r.top;
  }
  return 0;
}

LRESULT QuickZoomWindow::OnDpiChanged(const RECT* suggested) {
  if (suggested)
    SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

// A click on the picture leaves the activation where it is: the document
// keeps the keyboard, and the frame is not raised over its tool window.
LRESULT QuickZoomWindow::OnMouseActivate(UINT msg, WPARAM wp, LPARAM lp) {
  if (LOWORD(lp) == HTCLIENT) return MA_NOACTIVATE;
  return DefaultHandling(msg, wp, lp);
}

// An owned window lies above its owner and is hidden while the owner is
// minimised; the window system sees to both. Wine's virtual desktop does
// neither: it raises the owner's own window when the owner takes the keyboard
// (also at the frame's first showing) and leaves owned windows on the desktop
// under a minimised owner. The window keeps to its frame itself: directly above
// it, never above anything else, and hidden while it is minimised.
LRESULT QuickZoomWindow::OnTimer(UINT_PTR id) {
  if (id != kStackingTimerId) return DefaultHandling(WM_TIMER, id, 0);
  const HWND frame = app_.frameWindow;
  if (IsIconic(frame)) {
    if (IsWindowVisible(hwnd())) {
      ShowWindow(hwnd(), SW_HIDE);
      hiddenWithFrame_ = true;
    }
    return 0;
  }
  if (hiddenWithFrame_) {
    hiddenWithFrame_ = false;
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  }
  for (HWND above = GetWindow(hwnd(), GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
    if (above != frame) continue;
    const HWND overFrame = GetWindow(frame, GW_HWNDPREV);
    SetWindowPos(hwnd(), overFrame ? overFrame : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    break;
  }
  return 0;
}

void QuickZoomWindow::SyncCaption() const {
  const DocumentWindow* shown = Shown();
  const std::string caption = shown ? shown->doc().title : kQuickZoomNoDocumentCaption;
  wchar_t current[512] = {};
  GetWindowTextW(hwnd(), current, 512);
  if (Utf8(current) != caption) SetWindowTextUtf8(hwnd(), caption);
}

LRESULT QuickZoomWindow::OnPaint() {
  PaintDc paint(hwnd());
  SyncCaption();
  DocumentWindow* shown = Shown();
  if (!shown || !shown->thumbnail().dc()) return 0;
  const ThumbLayout layout = QuickZoomLayout(qz_, shown->doc());
  const RECT copy{layout.offsetX, layout.offsetY, layout.offsetX + layout.thumbWidth,
                  layout.offsetY + layout.thumbHeight};
  RECT part{};
  if (IntersectRect(&part, &copy, &paint.update()))
    BitBlt(paint.get(), part.left, part.top, part.right - part.left, part.bottom - part.top, shown->thumbnail().dc(),
           part.left - layout.offsetX, part.top - layout.offsetY, SRCCOPY);
  Invert(paint.get(), QuickZoomPaintOverlays(qz_));
  return 0;
}

void QuickZoomWindow::Draw(const BoxInversions& rectangles) const {
  if (rectangles.empty()) return;
  ClientDc dc(hwnd());
  Invert(dc.get(), rectangles);
}

}  // namespace veilo
