#include "view/colour_swatch_win.h"

#include "platform/handles_win.h"
#include "view/colour_swatch.h"

namespace veilo {

namespace {

// The inks that are no stock brush.
COLORREF InkColour(SwatchInk ink, const std::array<uint8_t, 3>& colour) {
  switch (ink) {
    case SwatchInk::kFace: return GetSysColor(COLOR_INACTIVEBORDER);
    case SwatchInk::kHighlight: return GetSysColor(COLOR_BTNHIGHLIGHT);
    case SwatchInk::kShadow: return GetSysColor(COLOR_BTNSHADOW);
    default: return RGB(colour[0], colour[1], colour[2]);
  }
}

HBRUSH StockInk(SwatchInk ink) {
  switch (ink) {
    case SwatchInk::kDarkGrey: return static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
    case SwatchInk::kBlack: return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    default: return nullptr;
  }
}

}  // namespace

void DrawColourSwatch(const DRAWITEMSTRUCT& item, bool transparencyOn, const std::array<uint8_t, 3>& colour) {
  const RECT& r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool enabled = (item.itemState & ODS_DISABLED) == 0;
  for (const SwatchStroke& s : SwatchButtonStrokes({r.left, r.top, r.right, r.bottom}, pressed, enabled,
                                                   transparencyOn, colour)) {
    const RECT rect{s.rect.left, s.rect.top, s.rect.right, s.rect.bottom};
    Brush own;
    HBRUSH brush = StockInk(s.ink);
    if (!brush) {
      own.reset(CreateSolidBrush(InkColour(s.ink, s.colour)));
      brush = own.get();
    }
    if (s.op == SwatchStroke::Op::kFill) {
      FillRect(item.hDC, &rect, brush);
    } else {
      FrameRect(item.hDC, &rect, brush);
    }
  }
}

}  // namespace veilo
