#include "view/paint_plan.h"

#include <algorithm>

#include "view/view_mapping.h"

namespace veilo {

namespace {

int64_t RoundDownTo(int64_t v, int64_t r) { return (v >= 0 ? v : v - (r - 1)) / r * r; }
int64_t RoundUpTo(int64_t v, int64_t r) { return RoundDownTo(v + r - 1, r); }

// Zoomed-picture rectangle; int64 so that block rounding cannot overflow.
struct Span {
  int64_t begin, end;
};

PaintPlan PlanDirect(const ImageDoc& doc, const WindowRect& u) {
  const int64_t left = std::max<int64_t>(0, int64_t{u.left} + doc.hScrollPos);
  const int64_t right = std::min<int64_t>(doc.width, int64_t{u.right} + doc.hScrollPos);
  const int64_t top = std::max<int64_t>(0, int64_t{u.top} + doc.vScrollPos);
  const int64_t bottom = std::min<int64_t>(doc.height, int64_t{u.bottom} + doc.vScrollPos);
  PaintPlan plan;
  if (right <= left || bottom <= top) return plan;
  plan.kind = PaintPlan::Kind::kDirect;
  plan.destX = SaturateToInt32(left - doc.hScrollPos);
  plan.destY = SaturateToInt32(top - doc.vScrollPos);
  plan.destWidth = plan.srcWidth = static_cast<int32_t>(right - left);
  plan.destHeight = plan.srcHeight = static_cast<int32_t>(bottom - top);
  plan.srcX = static_cast<int32_t>(left);
  plan.srcY = static_cast<int32_t>(doc.height - bottom);
  plan.frameLeft = plan.srcX;
  plan.frameTop = static_cast<int32_t>(top);
  plan.frameWidth = plan.destWidth;
  plan.frameHeight = plan.destHeight;
  return plan;
}

// One direction of the stretched part: clipped to the zoomed picture and,
// above 100 %, widened to whole blocks. The far end is only rounded up while
// it is short of `block` times the picture extent.
Span StretchSpan(int64_t updateBegin, int64_t updateEnd, int64_t scroll, int32_t pictureExtent, int32_t zoom) {
  Span s{std::max<int64_t>(0, updateBegin + scroll),
         std::min<int64_t>(int64_t{pictureExtent} * zoom / 100, updateEnd + scroll)};
  if (zoom > 100) {
    const int64_t block = PaintBlockWidth(zoom);
    s.begin = RoundDownTo(s.begin, block);
    if (s.end < block * pictureExtent) s.end = RoundUpTo(s.end, block);
  }
  return s;
}

PaintPlan PlanStretch(const ImageDoc& doc, const WindowRect& u, int32_t zoom) {
  const Span x = StretchSpan(u.left, u.right, doc.hScrollPos, doc.width, zoom);
  const Span y = StretchSpan(u.top, u.bottom, doc.vScrollPos, doc.height, zoom);
  PaintPlan plan;
  if (x.end <= x.begin || y.end <= y.begin) return plan;
  plan.kind = PaintPlan::Kind::kStretch;
  const int64_t destWidth = x.end - x.begin, destHeight = y.end - y.begin;
  const int64_t srcWidth = destWidth * 100 / zoom, srcHeight = destHeight * 100 / zoom;
  const int64_t srcX = x.begin * 100 / zoom;
  const int64_t srcY = doc.height - (y.begin * 100 / zoom + srcHeight);
  plan.destX = SaturateToInt32(x.begin - doc.hScrollPos);
  plan.destY = SaturateToInt32(y.begin - doc.vScrollPos);
  plan.destWidth = SaturateToInt32(destWidth);
  plan.destHeight = SaturateToInt32(destHeight);
  plan.srcX = SaturateToInt32(srcX);
  plan.srcY = SaturateToInt32(srcY);
  plan.srcWidth = SaturateToInt32(srcWidth);
  plan.srcHeight = SaturateToInt32(srcHeight);

  // Columns and rows of the block beyond the picture get the grey strips.
  const int32_t destRight = SaturateToInt32(x.end - doc.hScrollPos);
  const int32_t destBottom = SaturateToInt32(y.end - doc.vScrollPos);
  if (doc.width - srcX < srcWidth) {
    plan.rightMargin = ZoomedLength(srcX + srcWidth - doc.width, zoom);
    plan.rightStrip = WindowRect{destRight - plan.rightMargin, plan.destY, destRight, destBottom};
  }
  if (srcY < 0) {
    plan.bottomMargin = ZoomedLength(-srcY, zoom);
    plan.bottomStrip = WindowRect{plan.destX, destBottom - plan.bottomMargin, destRight, destBottom};
  }
  plan.frameLeft = SaturateToInt32(x.begin);
  plan.frameTop = SaturateToInt32(y.begin);
  plan.frameWidth = plan.destWidth;
  plan.frameHeight = plan.destHeight;
  return plan;
}

// Widens the frame part to the update rectangle: everything in it is painted
// again, the picture part by the plan, the rest by the background fill.
void CoverUpdateWithFramePart(PaintPlan& plan, const ImageDoc& doc, const WindowRect& u) {
  if (u.right <= u.left || u.bottom <= u.top) return;
  int64_t left = int64_t{u.left} + doc.hScrollPos, right = int64_t{u.right} + doc.hScrollPos;
  int64_t top = int64_t{u.top} + doc.vScrollPos, bottom = int64_t{u.bottom} + doc.vScrollPos;
  if (plan.frameWidth > 0 && plan.frameHeight > 0) {
    left = std::min<int64_t>(left, plan.frameLeft);
    top = std::min<int64_t>(top, plan.frameTop);
    right = std::max<int64_t>(right, int64_t{plan.frameLeft} + plan.frameWidth);
    bottom = std::max<int64_t>(bottom, int64_t{plan.frameTop} + plan.frameHeight);
  }
  plan.frameLeft = SaturateToInt32(left);
  plan.frameTop = SaturateToInt32(top);
  plan.frameWidth = SaturateToInt32(right - left);
  plan.frameHeight = SaturateToInt32(bottom - top);
}

}  // namespace

int32_t PaintBlockWidth(int32_t zoom) {
  if (zoom % 100 == 0) return std::max(zoom / 100, 1);
  if (zoom % 10 == 0) return zoom / 10;
  return std::max(zoom, 1);
}

PaintPlan PlanPaint(const ImageDoc& doc, const WindowRect& update) {
  if (!doc.HasPicture()) return {};
  const int32_t zoom = MappingZoom(doc);
  PaintPlan plan = zoom == 100 ? PlanDirect(doc, update) : PlanStretch(doc, update, zoom);
  CoverUpdateWithFramePart(plan, doc, update);
  return plan;
}

}  // namespace veilo
