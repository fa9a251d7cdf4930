#include "view/frame_drawing_win.h"

#include "platform/handles_win.h"
#include "view/frame_geometry.h"

namespace veilo {

namespace {

// The frame's colour: palette index 248 as a palette-relative reference, so on
// a palette display the inversion stays within the system's reserved colours.
constexpr COLORREF kFrameColour = 0x010000F8;

// Lines drawn with R2_NOTXORPEN; the context's raster operation and pen are
// put back afterwards.
template <typename Lines>
void DrawInverted(HDC dc, const Lines& lines) {
  if (!dc) return;
  const SelectGuard pen(dc, FramePen());
  const int previousRop = SetROP2(dc, R2_NOTXORPEN);
  for (const LineSegment& line : lines) {
    MoveToEx(dc, line.x1, line.y1, nullptr);
    LineTo(dc, line.x2, line.y2);
  }
  if (previousRop != 0) SetROP2(dc, previousRop);
}

}  // namespace

HPEN FramePen() {
  static const Pen pen = [] {
    LOGPEN style{};
    style.lopnStyle = PS_SOLID;
    style.lopnWidth.x = 1;
    style.lopnColor = kFrameColour;
    return Pen(CreatePenIndirect(&style));
  }();
  return pen.get();
}

void DrawFrame(HWND window, const ImageDoc& doc, const SelectionEffect& draw) {
  const ClientDc dc(window);
  DrawInverted(dc.get(), FrameSides(doc, draw));
}

void DrawFramePart(HDC dc, const ImageDoc& doc, int32_t left, int32_t top, int32_t width, int32_t height) {
  DrawInverted(dc, ClippedFrameSegments(doc, left, top, width, height));
}

}  // namespace veilo
