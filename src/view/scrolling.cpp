#include "view/scrolling.h"

#include <algorithm>
#include <cstdlib>

#include "view/view_mapping.h"

namespace veilo {

namespace {

// The fields of one scroll direction.
struct Axis {
  int32_t& pos;
  int32_t max;
  int32_t clientExtent;
};

Axis AxisOf(ImageDoc& doc, ScrollBarKind bar) {
  if (bar == ScrollBarKind::kVertical) return {doc.vScrollPos, std::max(doc.vScrollMax, 0), doc.clientHeight};
  return {doc.hScrollPos, std::max(doc.hScrollMax, 0), doc.clientWidth};
}

// Applies a step limited to 0..max and returns the step taken (0: no move).
int32_t MoveBy(Axis& axis, int64_t step) {
  step = std::clamp<int64_t>(step, -int64_t{axis.pos}, int64_t{axis.max} - axis.pos);
  axis.pos = SaturateToInt32(axis.pos + step);
  return static_cast<int32_t>(step);
}

int64_t StepFor(const ImageDoc& doc, const Axis& axis, int32_t scrollCode, int32_t thumbPosition) {
  const int32_t zoom = MappingZoom(doc);
  const int32_t line = std::max(zoom / 100, 16);
  switch (scrollCode) {
    case kScrollLineUp: return -line;
    case kScrollLineDown: return line;
    case kScrollPageUp: return -int64_t{axis.clientExtent};
    case kScrollPageDown: return axis.clientExtent;
    case kScrollThumbTrack: {
      int64_t step = int64_t{thumbPosition} - axis.pos;
      if (zoom > 100) step = step / (zoom / 100) * (zoom / 100);
      return step;
    }
    case kScrollTop: return -int64_t{axis.pos};
    case kScrollBottom: return int64_t{axis.max} - axis.pos;
    default: return 0;  // the thumb's release and the end of a scroll: followed already
  }
}

}  // namespace

ScrollMove ScrollDocument(ImageDoc& doc, ScrollBarKind bar, int32_t scrollCode, int32_t thumbPosition) {
  Axis axis = AxisOf(doc, bar);
  const int32_t step = MoveBy(axis, StepFor(doc, axis, scrollCode, thumbPosition));
  if (step == 0) return {};
  ScrollMove move{true, axis.pos, std::nullopt};
  // A grey strip painted beside the picture's last row or column: its band
  // after a short forward move is erased before the repaint.
  if (step > 0 && step < axis.clientExtent) {
    if (bar == ScrollBarKind::kVertical && doc.bottomMargin > 0) {
      const int32_t bottom = doc.clientHeight - step;
      move.eraseBand = WindowRect{0, bottom - doc.bottomMargin, doc.clientWidth, bottom};
    } else if (bar == ScrollBarKind::kHorizontal && doc.rightMargin > 0) {
      const int32_t right = doc.clientWidth - step;
      move.eraseBand = WindowRect{right - doc.rightMargin, 0, right, doc.clientHeight};
    }
  }
  return move;
}

ScrollMove WheelScroll(ImageDoc& doc, int32_t wheelDelta) {
  // Each of the |delta| / 8 steps is limited to the range and the first one
  // that cannot move ends the scroll, so together they are one limited move.
  const int64_t steps = std::llabs(int64_t{wheelDelta}) / 8;
  const int64_t stepLength = std::max(MappingZoom(doc) / 100, 2);
  return ScrollBy(doc, ScrollBarKind::kVertical,
                  SaturateToInt32(wheelDelta > 0 ? -steps * stepLength : steps * stepLength));
}

ScrollMove ScrollBy(ImageDoc& doc, ScrollBarKind bar, int32_t delta) {
  Axis axis = AxisOf(doc, bar);
  if (MoveBy(axis, delta) == 0) return {};
  return {true, axis.pos, std::nullopt};
}

ResizeEffects OnDocumentResize(ImageDoc& doc, int32_t newClientWidth, int32_t newClientHeight) {
  doc.prevClientWidth = doc.clientWidth;
  doc.prevClientHeight = doc.clientHeight;
  const int32_t oldH = doc.hScrollPos, oldV = doc.vScrollPos;
  doc.clientWidth = newClientWidth;
  doc.clientHeight = newClientHeight;

  ResizeEffects effects;
  effects.bars = UpdateScrollRanges(doc);
  const int64_t zoomedW = ZoomedWidth(doc), zoomedH = ZoomedHeight(doc);
  if ((oldV != 0 && zoomedH - newClientHeight - oldV < 0) || (oldH != 0 && zoomedW - newClientWidth - oldH < 0))
    effects.invalidateWithErase = true;
  if (doc.zoomPercent != 100) {
    const bool grew = newClientWidth > doc.prevClientWidth || newClientHeight > doc.prevClientHeight;
    const bool pictureReachesEdge = oldV + zoomedH >= newClientHeight || oldH + zoomedW >= newClientWidth;
    if (grew && pictureReachesEdge) effects.invalidateWithoutErase = true;
  }
  return effects;
}

bool KeepsScrollBars(ImageDoc& doc, ShownScrollBars shown) {
  UpdateScrollRanges(doc);
  return (doc.hScrollMax > 0) == shown.horizontal && (doc.vScrollMax > 0) == shown.vertical;
}

PixelRect VisibleRect(const ImageDoc& doc) {
  const int32_t zoom = MappingZoom(doc);
  const int32_t x0 = PictureLength(doc.hScrollPos, zoom);
  const int32_t y0 = PictureLength(doc.vScrollPos, zoom);
  const int32_t w = std::max(0, std::min(PictureLength(doc.clientWidth, zoom), doc.width - x0));
  const int32_t h = std::max(0, std::min(PictureLength(doc.clientHeight, zoom), doc.height - y0));
  return {x0, y0, x0 + w, y0 + h};
}

}  // namespace veilo
