#include "view/frame_geometry.h"

#include <algorithm>

namespace veilo {
namespace {

// Every mapping divides by the zoom; a zero or negative one must not crash.
int64_t ZoomOf(const ImageDoc& doc) { return std::max(doc.zoomPercent, 1); }

int32_t ToZoomed(int32_t imageCoord, int64_t zoom) { return static_cast<int32_t>(imageCoord * zoom / 100); }

int32_t ToImage(int32_t clientCoord, int32_t scroll, int32_t limit, int64_t zoom) {
  const int64_t v = (int64_t{std::max(clientCoord, 0)} + scroll) * 100 / zoom;
  return static_cast<int32_t>(std::min<int64_t>(v, limit));
}

bool Within(int32_t v, int32_t lo, int32_t hi) { return lo <= v && v <= hi; }
bool Between(int32_t v, int32_t lo, int32_t hi) { return lo < v && v < hi; }

}  // namespace

ImagePoint ImagePointOf(const ImageDoc& doc, int32_t clientX, int32_t clientY) {
  const int64_t zoom = ZoomOf(doc);
  return {ToImage(clientX, doc.hScrollPos, doc.width, zoom),
          ToImage(clientY, doc.vScrollPos, doc.height, zoom)};
}

bool ZoneContains(const ImageDoc& doc, int16_t zone, ImagePoint p) {
  const int32_t x1 = doc.areaX1, y1 = doc.areaY1, x2 = doc.areaX2, y2 = doc.areaY2;
  const int32_t x = p.x, y = p.y;
  switch (zone) {
    case kZoneLeftEdge: return Within(x, x1 - 2, x1 + 2) && Between(y, y1 + 4, y2 - 4);
    case kZoneRightEdge: return Within(x, x2 - 2, x2 + 2) && Between(y, y1 + 4, y2 - 4);
    case kZoneBottomEdge: return Within(y, y2 - 2, y2 + 2) && Between(x, x1 + 4, x2 - 4);
    case kZoneTopEdge: return Within(y, y1 - 2, y1 + 2) && Between(x, x1 + 4, x2 - 4);
    case kZoneBottomRight: return Within(x, x2 - 4, x2 + 4) && Within(y, y2 - 4, y2 + 4);
    case kZoneBottomLeft: return Within(x, x1 - 4, x1 + 4) && Within(y, y2 - 4, y2 + 4);
    case kZoneTopRight: return Within(x, x2 - 4, x2 + 4) && Within(y, y1 - 4, y1 + 4);
    case kZoneTopLeft: return Within(x, x1 - 4, x1 + 4) && Within(y, y1 - 4, y1 + 4);
    case kZoneInside: return Between(x, x1 + 2, x2 - 2) && Between(y, y1 + 2, y2 - 2);
    default: return false;
  }
}

int16_t HitZoneAt(const ImageDoc& doc, ImagePoint p) {
  // The edges are thin bands between the corner squares; they are tested
  // first, then the corners, then the inside.
  static constexpr std::array<int16_t, 9> kOrder = {kZoneLeftEdge,    kZoneRightEdge,  kZoneBottomEdge,
                                                    kZoneTopEdge,     kZoneBottomRight, kZoneBottomLeft,
                                                    kZoneTopRight,    kZoneTopLeft,     kZoneInside};
  for (const int16_t zone : kOrder) {
    if (ZoneContains(doc, zone, p)) return zone;
  }
  return kZoneNone;
}

CursorId ZoneCursor(int16_t zone) {
  switch (zone) {
    case kZoneLeftEdge:
    case kZoneRightEdge: return CursorId::kResizeLeftRight;
    case kZoneBottomEdge:
    case kZoneTopEdge: return CursorId::kResizeUpDown;
    case kZoneBottomRight:
    case kZoneTopLeft: return CursorId::kResizeDiagonalDown;
    case kZoneBottomLeft:
    case kZoneTopRight: return CursorId::kResizeDiagonalUp;
    case kZoneInside: return CursorId::kMove;
    default: return CursorId::kArrow;
  }
}

ZoneCorners CornersMovedBy(int16_t zone) {
  switch (zone) {
    case kZoneLeftEdge: return {true, false, false, false};
    case kZoneRightEdge: return {false, false, true, false};
    case kZoneBottomEdge: return {false, false, false, true};
    case kZoneTopEdge: return {false, true, false, false};
    case kZoneBottomRight: return {false, false, true, true};
    case kZoneBottomLeft: return {true, false, false, true};
    case kZoneTopRight: return {false, true, true, false};
    case kZoneTopLeft: return {true, true, false, false};
    case kZoneInside: return {true, true, true, true};
    default: return {};
  }
}

std::array<LineSegment, 4> FrameSides(const ImageDoc& doc, const SelectionEffect& draw) {
  const PixelRect r = NormalisedRect(draw.x1, draw.y1, draw.x2, draw.y2);
  const int64_t zoom = ZoomOf(doc);
  const int32_t left = ToZoomed(r.left, zoom) - draw.scrollX;
  const int32_t right = ToZoomed(r.right, zoom) - draw.scrollX;
  const int32_t top = ToZoomed(r.top, zoom) - draw.scrollY;
  const int32_t bottom = ToZoomed(r.bottom, zoom) - draw.scrollY;
  return {LineSegment{left, top, left, bottom}, LineSegment{left, top, right, top},
          LineSegment{right, top, right, bottom}, LineSegment{left, bottom, right, bottom}};
}

std::vector<LineSegment> ClippedFrameSegments(const ImageDoc& doc, int32_t left, int32_t top, int32_t width,
                                              int32_t height) {
  std::vector<LineSegment> pieces;
  if (doc.areaSelected == 0 || width <= 0 || height <= 0) return pieces;
  // Clipping in zoomed coordinates rather than image pixels: a part whose
  // bounds are not whole picture pixels would otherwise lose or gain a pixel
  // of the frame at its ends.
  const PixelRect area = NormalisedRect(doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2);
  const int64_t zoom = ZoomOf(doc);
  const int32_t ax1 = ToZoomed(area.left, zoom), ax2 = ToZoomed(area.right, zoom);
  const int32_t ay1 = ToZoomed(area.top, zoom), ay2 = ToZoomed(area.bottom, zoom);
  const int32_t right = left + width, bottom = top + height;
  const int32_t sx = doc.hScrollPos, sy = doc.vScrollPos;

  // In the order FrameSides draws them: left, top, right, bottom.
  const auto vertical = [&](int32_t column) {
    const int32_t from = std::max(top, ay1), to = std::min(bottom, ay2);
    if (column >= left && column < right && from < to) {
      pieces.push_back({column - sx, from - sy, column - sx, to - sy});
    }
  };
  const auto horizontal = [&](int32_t row) {
    const int32_t from = std::max(left, ax1), to = std::min(right, ax2);
    if (row >= top && row < bottom && from < to) {
      pieces.push_back({from - sx, row - sy, to - sx, row - sy});
    }
  };
  vertical(ax1);
  horizontal(ay1);
  vertical(ax2);
  horizontal(ay2);
  return pieces;
}

}  // namespace veilo
