#include "view/paint_win.h"

#include "platform/dpi_win.h"
#include "view/background.h"
#include "view/frame_drawing_win.h"
#include "view/paint_plan.h"

namespace veilo {

namespace {

const BITMAPINFO* DibInfo(const ImageDoc& doc) { return reinterpret_cast<const BITMAPINFO*>(doc.dib.data()); }

void Fill(HDC dc, const WindowRect& r, HBRUSH brush) {
  const RECT rect{r.left, r.top, r.right, r.bottom};
  FillRect(dc, &rect, brush);
}

}  // namespace

void PaintDocument(const PaintDc& paint, ImageDoc& doc, HWND window) {
  HDC dc = paint.get();
  const RECT& u = paint.update();
  const WindowRect update{u.left, u.top, u.right, u.bottom};
  doc.rightMargin = doc.bottomMargin = 0;
  // The background around the picture is filled at every paint, erasing or
  // not: an XOR frame side drawn past the picture's edge would otherwise stay
  // behind where the view no longer shows it (after a scroll, say).
  const auto background = reinterpret_cast<HBRUSH>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND));
  for (const WindowRect& part : BackgroundParts(doc, update)) Fill(dc, part, background);
  const PaintPlan plan = PlanPaint(doc, update);
  if (plan.kind != PaintPlan::Kind::kNothing) {
    const uint8_t* bits = DibPixelStart(doc.dib.data());
    if (plan.kind == PaintPlan::Kind::kDirect) {
      SetDIBitsToDevice(dc, plan.destX, plan.destY, static_cast<DWORD>(plan.destWidth),
                        static_cast<DWORD>(plan.destHeight), plan.srcX, plan.srcY, 0,
                        static_cast<UINT>(doc.height), bits, DibInfo(doc), DIB_RGB_COLORS);
    } else {
      SetStretchBltMode(dc, COLORONCOLOR);
      StretchDIBits(dc, plan.destX, plan.destY, plan.destWidth, plan.destHeight, plan.srcX, plan.srcY,
                    plan.srcWidth, plan.srcHeight, bits, DibInfo(doc), DIB_RGB_COLORS, SRCCOPY);
    }
    const auto grey = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    if (plan.rightStrip) Fill(dc, *plan.rightStrip, grey);
    if (plan.bottomStrip) Fill(dc, *plan.bottomStrip, grey);
    doc.rightMargin = plan.rightMargin;
    doc.bottomMargin = plan.bottomMargin;
  }
  DrawFramePart(dc, doc, plan.frameLeft, plan.frameTop, plan.frameWidth, plan.frameHeight);
  if (const auto marker = reinterpret_cast<HWND>(doc.panWindow)) {
    InvalidateRect(marker, nullptr, FALSE);
    UpdateWindow(marker);
  }
}

void ApplyScrollMove(HWND window, ScrollBarKind bar, const ScrollMove& move) {
  if (!move.moved) return;
  InvalidateRect(window, nullptr, FALSE);
  SetScrollPos(window, bar == ScrollBarKind::kHorizontal ? SB_HORZ : SB_VERT, move.position, TRUE);
  if (move.eraseBand) {
    const RECT band{move.eraseBand->left, move.eraseBand->top, move.eraseBand->right, move.eraseBand->bottom};
    InvalidateRect(window, &band, TRUE);
  }
  UpdateWindow(window);
}

ScrollBarMetrics SystemScrollBarMetrics(HWND window) {
  const int dpi = WindowDpi(window);
  return {SystemMetricForDpi(SM_CXVSCROLL, dpi), SystemMetricForDpi(SM_CYHSCROLL, dpi)};
}

}  // namespace veilo
