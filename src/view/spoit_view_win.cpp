#include "view/spoit_view_win.h"

#include <windowsx.h>

#include "platform/handles_win.h"
#include "shell/resource_ids.h"

namespace veilo {

bool SpoitView::RegisterClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, kSpoitViewClass, Window::Router, CS_OWNDC,
                             LoadIconW(instance, MAKEINTRESOURCEW(IDI_FRAME)),
                             LoadCursorW(instance, MAKEINTRESOURCEW(IDC_CUR_SPOIT)),
                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INACTIVEBORDER + 1)));
}

HWND SpoitView::Create(HWND parent, HINSTANCE instance) {
  return CreateWindowExW(WS_EX_CLIENTEDGE, kSpoitViewClass, L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0,
                         0, 0, 0, parent, nullptr, instance, this);
}

LRESULT SpoitView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE: return OnSize(LOWORD(lp), HIWORD(lp));
    case WM_PAINT: return OnPaint();
    case WM_HSCROLL: return OnScroll(msg, wp);
    case WM_VSCROLL: return OnScroll(msg, wp);
    case WM_MOUSEWHEEL: return OnMouseWheel(wp);
    case WM_MOUSEMOVE: return OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_LBUTTONDOWN: return OnLeftDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_LBUTTONUP: return OnLeftUp();
    case WM_RBUTTONDOWN: host_.FinishPicking(); return 0;
    default: return DefaultHandling(msg, wp, lp);
  }
}

void SpoitView::ApplyBars() const {
  SetScrollRange(hwnd(), SB_VERT, 0, state_.vMax, FALSE);
  SetScrollPos(hwnd(), SB_VERT, state_.vOffset, TRUE);
  SetScrollRange(hwnd(), SB_HORZ, 0, state_.hMax, FALSE);
  SetScrollPos(hwnd(), SB_HORZ, state_.hOffset, TRUE);
}

LRESULT SpoitView::OnSize(int width, int height) {
  const bool repaintAll = SpoitResize(state_, width, height);
  ApplyBars();
  if (repaintAll) InvalidateRect(hwnd(), nullptr, FALSE);
  return 0;
}

LRESULT SpoitView::OnPaint() {
  PaintDc paint(hwnd());
  const RECT& u = paint.update();
  const SpoitPaint plan = SpoitPaintPlan(state_, {u.left, u.top, u.right, u.bottom});
  if (plan.kind == SpoitPaint::Kind::kNothing || !target_.header || !target_.pixels.bits) return 0;
  const auto* info = reinterpret_cast<const BITMAPINFO*>(target_.header);
  if (plan.kind == SpoitPaint::Kind::kDirect) {
    SetDIBitsToDevice(paint.get(), plan.destX, plan.destY, static_cast<DWORD>(plan.destWidth),
                      static_cast<DWORD>(plan.destHeight), plan.srcX, plan.srcY, 0,
                      static_cast<UINT>(target_.pixels.height), target_.pixels.bits, info, DIB_RGB_COLORS);
  } else {
    SetStretchBltMode(paint.get(), COLORONCOLOR);
    StretchDIBits(paint.get(), plan.destX, plan.destY, plan.destWidth, plan.destHeight, plan.srcX, plan.srcY,
                  plan.srcWidth, plan.srcHeight, target_.pixels.bits, info, DIB_RGB_COLORS, SRCCOPY);
  }
  return 0;
}

void SpoitView::ApplyMove(int bar, const SpoitMove& move) {
  if (!move.moved) return;
  InvalidateRect(hwnd(), nullptr, FALSE);
  SetScrollPos(hwnd(), bar, move.position, TRUE);
  UpdateWindow(hwnd());
}

LRESULT SpoitView::OnScroll(UINT msg, WPARAM wp) {
  const int bar = msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
  // The thumb's position in full: the message's 16 bits wrap on magnified pictures.
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(hwnd(), bar, &info);
  const SpoitAxis axis = msg == WM_HSCROLL ? SpoitAxis::kHorizontal : SpoitAxis::kVertical;
  ApplyMove(bar, SpoitScroll(state_, axis, LOWORD(wp), info.nTrackPos));
  return 0;
}

LRESULT SpoitView::OnMouseWheel(WPARAM wp) {
  ApplyMove(SB_VERT, SpoitWheel(state_, static_cast<int16_t>(HIWORD(wp))));
  return 0;
}

LRESULT SpoitView::OnMouseMove(int x, int y) {
  if (const auto colour = SpoitColourAt(state_, target_, x, y)) host_.ShowPointerColour(*colour);
  return 0;
}

LRESULT SpoitView::OnLeftDown(int x, int y) {
  if (SpoitLeftDown(state_, target_, x, y)) host_.ShowPointerColour(target_.colour);
  return 0;
}

LRESULT SpoitView::OnLeftUp() {
  if (SpoitLeftUp(state_)) host_.FinishPicking();
  return 0;
}

}  // namespace veilo
