#include "view/selection_win.h"

#include <windowsx.h>

#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/frame_win.h"
#include "view/frame_drawing_win.h"
#include "view/pan.h"
#include "view/pan_marker_win.h"
#include "view/selection.h"

namespace veilo {

namespace {

using Kind = SelectionEffect::Kind;

AreaUnits UnitsOf(const App& app) { return {app.options.areaStartUnit, app.options.areaSizeUnit}; }

// The frame's 100 ms timer drives edge scrolling; without it the view
// scrolls at once on each move.
bool TimerRunning(const App& app) { return app.frame && app.frame->timerRunning(); }

// Where the pointer was at the last edge scroll; one drag runs at a time.
EdgeScrollMemory& EdgeMemory() {
  static EdgeScrollMemory memory;
  return memory;
}

MouseEvent MouseEventOf(WPARAM wp, LPARAM lp) {
  MouseEvent e;
  e.clientX = GET_X_LPARAM(lp);
  e.clientY = GET_Y_LPARAM(lp);
  e.leftDown = (wp & MK_LBUTTON) != 0;
  e.shift = (wp & MK_SHIFT) != 0;
  e.ctrl = (wp & MK_CONTROL) != 0;
  return e;
}

POINT CursorClientPoint(HWND window) {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(window, &p);
  return p;
}

HCURSOR ArrowCursor() { return LoadCursorW(nullptr, IDC_ARROW); }

HCURSOR CursorFor(const App& app, const ImageDoc& doc, CursorId id) {
  HCURSOR cursor = nullptr;
  if (id == CursorId::kSavedCursor) {
    cursor = reinterpret_cast<HCURSOR>(doc.savedCursor);
  } else if (id != CursorId::kArrow) {
    cursor = app.Cursor(static_cast<int>(id));
  }
  // Never no cursor at all: that would hide the pointer.
  return cursor ? cursor : ArrowCursor();
}

void ApplyCursor(App& app, ImageDoc& doc, const SelectionEffect& e) {
  const HCURSOR previous = SetCursor(CursorFor(app, doc, e.cursor));
  if (e.keepOld) doc.savedCursor = reinterpret_cast<CursorRef>(previous);
}

void ShowAreaText(FrameWindow* frame, const SelectionEffect& e) {
  if (frame) frame->ShowArea(e.x1, e.y1, e.x2, e.y2);
}

void ShowPointerText(FrameWindow* frame, const SelectionEffect& e) {
  if (frame) frame->ShowPointer(e.x1, e.y1);
}

// The area commands follow areaSelected; without an area the position pane
// has nothing to show until the pointer moves.
void RefreshAreaCommands(FrameWindow* frame, bool clearPosition) {
  if (!frame) return;
  frame->RefreshControls();
  if (clearPosition) frame->ClearPosition();
}

void ApplyScrolled(DocumentWindow& window, const SelectionEffect& e) {
  const HWND hwnd = window.hwnd();
  InvalidateRect(hwnd, nullptr, FALSE);
  SetScrollPos(hwnd, e.bar == ScrollBarKind::kHorizontal ? SB_HORZ : SB_VERT, e.position, TRUE);
  UpdateWindow(hwnd);
  window.NotifyVisibleRect();
}

void ApplyCapture(DocumentWindow& window, bool capture) {
  if (capture) {
    SetCapture(window.hwnd());
  } else if (GetCapture() == window.hwnd()) {
    ReleaseCapture();
  }
}

void OnLeftDown(App& app, DocumentWindow& window, const MouseEvent& e) {
  EndAutoScroll(app, window);
  SetFocus(window.hwnd());
  ApplySelectionEffects(app, window, SelectionOnLeftDown(window.doc(), UnitsOf(app), e));
}

void OnMouseMove(App& app, DocumentWindow& window, const MouseEvent& e) {
  ApplySelectionEffects(app, window,
                        SelectionOnMouseMove(window.doc(), UnitsOf(app), e, EdgeMemory(), TimerRunning(app)));
}

void OnLeftUp(App& app, DocumentWindow& window) {
  ApplySelectionEffects(app, window, SelectionOnLeftUp(window.doc()));
}

void OnDoubleClick(App& app, DocumentWindow& window, const MouseEvent& e) {
  EndAutoScroll(app, window);
  ApplySelectionEffects(app, window,
                        SelectionOnDoubleClick(window.doc(), UnitsOf(app), e, app.detection, window.shell()));
}

void OnNonClientMove(App& app, DocumentWindow& window, WPARAM hitTest, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  ScreenToClient(window.hwnd(), &p);
  ApplySelectionEffects(app, window,
                        SelectionOnNonClientMove(window.doc(), UnitsOf(app), static_cast<int32_t>(hitTest), p.x,
                                                 p.y, EdgeMemory(), TimerRunning(app)));
}

void OnNonClientLeftUp(App& app, DocumentWindow& window) {
  ApplySelectionEffects(app, window, SelectionOnNonClientLeftUp(window.doc()));
}

void OnRightDown(App& app, DocumentWindow& window) {
  EndAutoScroll(app, window);
  ShowAreaOptions(app, window, true);
}

// Another window took the mouse (a dialog, a menu, the system): the drag
// ends as if the button had come up here.
void OnCaptureLost(App& app, DocumentWindow& window, HWND newCapture) {
  if (newCapture == window.hwnd()) return;
  ImageDoc& doc = window.doc();
  doc.mouseCaptured = 0;
  ApplySelectionEffects(app, window, SelectionOnLeftUp(doc));
}

void OnMiddleDown(App& app, DocumentWindow& window, LPARAM lp) {
  const HWND hwnd = window.hwnd();
  SetFocus(hwnd);
  SetForegroundWindow(GetAncestor(hwnd, GA_ROOT));
  POINT screen{};
  GetCursorPos(&screen);
  RECT r{};
  GetWindowRect(hwnd, &r);
  const MiddleButtonAction action = PanOnMiddleDown(window.doc(), GET_X_LPARAM(lp), GET_Y_LPARAM(lp), screen.x,
                                                    screen.y, {r.left, r.top, r.right, r.bottom});
  if (action == MiddleButtonAction::kStopPan) {
    EndAutoScroll(app, window);
  } else {
    StartPanMarker(app, window);
  }
}

}  // namespace

bool RouteMouseToSelection(App& app, DocumentWindow& window, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN: OnLeftDown(app, window, MouseEventOf(wp, lp)); return true;
    case WM_MOUSEMOVE: OnMouseMove(app, window, MouseEventOf(wp, lp)); return true;
    case WM_LBUTTONUP: OnLeftUp(app, window); return true;
    case WM_LBUTTONDBLCLK: OnDoubleClick(app, window, MouseEventOf(wp, lp)); return true;
    case WM_NCMOUSEMOVE: OnNonClientMove(app, window, wp, lp); return false;
    case WM_NCLBUTTONUP: OnNonClientLeftUp(app, window); return false;
    case WM_CAPTURECHANGED: OnCaptureLost(app, window, reinterpret_cast<HWND>(lp)); return true;
    case WM_RBUTTONDOWN: OnRightDown(app, window); return true;
    case WM_MBUTTONDOWN: OnMiddleDown(app, window, lp); return true;
    default: return false;
  }
}

void ApplySelectionEffects(App& app, DocumentWindow& window, const SelectionEffects& effects) {
  ImageDoc& doc = window.doc();
  FrameWindow* const frame = app.frame.get();
  for (const SelectionEffect& e : effects) {
    switch (e.kind) {
      case Kind::kDrawFrame: DrawFrame(window.hwnd(), doc, e); break;
      case Kind::kSetCursor: ApplyCursor(app, doc, e); break;
      case Kind::kShowAreaText: ShowAreaText(frame, e); break;
      case Kind::kShowPointerText: ShowPointerText(frame, e); break;
      case Kind::kEnableArea: RefreshAreaCommands(frame, false); break;
      case Kind::kDisableArea: RefreshAreaCommands(frame, true); break;
      case Kind::kCaptureMouse: ApplyCapture(window, true); break;
      case Kind::kReleaseMouse: ApplyCapture(window, false); break;
      case Kind::kScrolled: ApplyScrolled(window, e); break;
      case Kind::kBeep: MessageBeep(MB_ICONHAND); break;
    }
  }
}

void SelectionShiftKey(App& app, DocumentWindow& window, bool down) {
  ImageDoc& doc = window.doc();
  if (!down) {
    ApplySelectionEffects(app, window, SelectionOnShiftUp(doc));
    return;
  }
  const POINT p = CursorClientPoint(window.hwnd());
  ApplySelectionEffects(app, window, SelectionOnShiftDown(doc, p.x, p.y));
}

void MoveAreaByButton(App& app, DocumentWindow& window, int dx, int dy) {
  ApplySelectionEffects(app, window, MoveAreaOnePixel(window.doc(), dx, dy));
}

void AutoScrollTick(App& app, DocumentWindow& window) {
  ImageDoc& doc = window.doc();
  if (doc.resizeEdges != 0) ApplySelectionEffects(app, window, SelectionOnTimer(doc, UnitsOf(app), EdgeMemory()));
  if (doc.panWindow != 0) {
    POINT screen{};
    GetCursorPos(&screen);
    ApplySelectionEffects(app, window, PanOnTick(doc, screen.x, screen.y));
  }
}

void EndAutoScroll(App&, DocumentWindow& window) {
  ImageDoc& doc = window.doc();
  if (doc.panWindow == 0) return;
  const auto marker = reinterpret_cast<HWND>(doc.panWindow);
  if (IsWindow(marker)) DestroyWindow(marker);  // the marker gives the cursor back
  EndPan(doc);
}

void EndSelectionMouse(App& app, DocumentWindow& window) {
  EndAutoScroll(app, window);
  ImageDoc& doc = window.doc();
  doc.mouseCaptured = 0;
  doc.dragging = 0;
  doc.resizeEdges = 0;
  if (GetCapture() == window.hwnd()) ReleaseCapture();
}

}  // namespace veilo
