#include "view/quick_zoom.h"

#include <algorithm>
#include <cstdlib>

#include "view/float_trunc.h"

namespace veilo {

ThumbLayout ThumbnailLayout(int32_t picW, int32_t picH, int32_t boxW, int32_t boxH) {
  ThumbLayout t;
  if (picW <= 0 || picH <= 0 || boxW <= 0 || boxH <= 0) {
    t.offsetX = std::max(boxW, 0) / 2;
    t.offsetY = std::max(boxH, 0) / 2;
    return t;
  }
  // picW / picH > boxW / boxH, compared exactly.
  if (int64_t{picW} * boxH > int64_t{boxW} * picH) {
    t.thumbWidth = boxW;
    t.thumbHeight = static_cast<int32_t>(int64_t{picH} * boxW / picW);
    t.thumbScale = static_cast<float>(boxW) / static_cast<float>(picW);
  } else {
    t.thumbHeight = boxH;
    t.thumbWidth = static_cast<int32_t>(int64_t{picW} * boxH / picH);
    t.thumbScale = static_cast<float>(boxH) / static_cast<float>(picH);
  }
  // A very long, thin picture would otherwise get a copy of no pixels at all.
  t.thumbWidth = std::max(t.thumbWidth, 1);
  t.thumbHeight = std::max(t.thumbHeight, 1);
  t.offsetX = (boxW - t.thumbWidth) / 2;
  t.offsetY = (boxH - t.thumbHeight) / 2;
  return t;
}

void StoreThumbLayout(ImageDoc& doc, const ThumbLayout& layout) {
  doc.thumbWidth = layout.thumbWidth;
  doc.thumbHeight = layout.thumbHeight;
  doc.thumbScale = layout.thumbScale;
}

WindowPlacement QuickZoomPlacement(int32_t storedX, int32_t storedY, int32_t width, int32_t height,
                                   int32_t screenWidth, int32_t screenHeight) {
  const int64_t x = std::min<int64_t>(storedX, int64_t{screenWidth} - width);
  const int64_t y = std::min<int64_t>(storedY, int64_t{screenHeight} - height);
  if (x < 0 || y < 0) return {0, 0, true};
  return {static_cast<int32_t>(x), static_cast<int32_t>(y), false};
}

std::optional<WindowRect> VisibleOutline(const ThumbLayout& layout, const PixelRect& visible) {
  if (!(layout.thumbScale > 0.0f)) return std::nullopt;
  const float s = layout.thumbScale;
  auto scaled = [s](int32_t v) { return TruncToInt16(static_cast<float>(v) * s); };
  WindowRect r;
  r.left = layout.offsetX + scaled(visible.left);
  r.top = layout.offsetY + scaled(visible.top);
  r.right = r.left + scaled(visible.Width());
  r.bottom = r.top + scaled(visible.Height());
  if (r.left < 0 || r.top < 0) return std::nullopt;
  return r;
}

BoxPoint ClampToThumb(const ThumbLayout& layout, int32_t x, int32_t y) {
  return {std::clamp(x, layout.offsetX, layout.offsetX + layout.thumbWidth),
          std::clamp(y, layout.offsetY, layout.offsetY + layout.thumbHeight)};
}

namespace {

struct AxisView {
  int32_t pos;     // the document's current offset
  int32_t client;  // client extent
  int32_t size;    // picture extent
};

// The offset that centres one direction of the view on zoomed coordinate
// `centre`, and the extent of the view in that direction.
struct AxisMove {
  int64_t offset;
  int64_t visible;
};

AxisMove CentreAxis(const AxisView& a, int64_t zoom, int64_t centre) {
  const int64_t zoomed = zoom * a.size / 100;
  const int64_t visible = std::max<int64_t>(0, std::min<int64_t>(a.client, zoomed - a.pos));
  int64_t offset = std::max<int64_t>(0, centre - visible / 2);
  offset = std::min(offset, zoomed - visible);
  // Never beyond the largest offset the scroll bars allow at this zoom.
  offset = std::clamp<int64_t>(offset, 0, std::max<int64_t>(0, zoomed - a.client));
  if (zoom > 100) offset -= offset % (zoom / 100);
  return {offset, visible};
}

}  // namespace

std::optional<ViewMove> CentreViewOn(const ImageDoc& doc, const ThumbLayout& layout, int32_t boxX, int32_t boxY) {
  if (!(layout.thumbScale > 0.0f) || doc.width <= 0 || doc.height <= 0 || doc.zoomPercent < 1) {
    return std::nullopt;
  }
  const float inverse = 1.0f / layout.thumbScale;
  const int64_t pictureX = TruncToInt32(static_cast<float>(int64_t{boxX} - layout.offsetX) * inverse);
  const int64_t pictureY = TruncToInt32(static_cast<float>(int64_t{boxY} - layout.offsetY) * inverse);
  const int64_t zoom = doc.zoomPercent;
  const AxisMove h = CentreAxis({doc.hScrollPos, doc.clientWidth, doc.width}, zoom, pictureX * zoom / 100);
  const AxisMove v = CentreAxis({doc.vScrollPos, doc.clientHeight, doc.height}, zoom, pictureY * zoom / 100);

  ViewMove m;
  m.hScrollPos = ClampToInt32(h.offset);
  m.vScrollPos = ClampToInt32(v.offset);
  m.hChanged = m.hScrollPos != doc.hScrollPos;
  m.vChanged = m.vScrollPos != doc.vScrollPos;
  m.smallMove = std::llabs(doc.hScrollPos - h.offset) < h.visible / 2 &&
                std::llabs(doc.vScrollPos - v.offset) < v.visible / 2;
  return m;
}

std::optional<BandZoom> ZoomForBand(const ImageDoc& doc, const ThumbLayout& layout, BoxPoint anchor,
                                    BoxPoint corner) {
  const float scale = layout.thumbScale;
  if (!(scale > 0.0f) || doc.clientWidth <= 0 || doc.clientHeight <= 0) return std::nullopt;
  const PixelRect band = NormalisedRect(anchor.x - layout.offsetX, anchor.y - layout.offsetY,
                                        corner.x - layout.offsetX, corner.y - layout.offsetY);
  const int32_t rw = band.Width();
  const int32_t rh = band.Height();
  if (rw <= 0 || rh <= 0) return std::nullopt;

  // Widen the band to the document window's aspect ratio around its centre.
  const double cw = doc.clientWidth;
  const double ch = doc.clientHeight;
  int32_t left = band.left;
  int32_t top = band.top;
  int32_t bandWidth = rw;
  if (ch / rh < cw / rw) {
    bandWidth = TruncToInt32(rh * cw / ch);
    left = std::max(0, left + rw / 2 - bandWidth / 2);
  } else {
    const int32_t bandHeight = TruncToInt32(rw * ch / cw);
    top = std::max(0, top + rh / 2 - bandHeight / 2);
  }

  // Window pixels per picture pixel across the band.
  const float z = static_cast<float>(doc.clientWidth) / (static_cast<float>(bandWidth) / scale);
  BandZoom out;
  if (z >= 1.0f) {
    out.zoomPercent = std::min(TruncToInt32(100.0f * z + 5.0f) / 10 * 10, kBandZoomMax);
  } else {
    out.zoomPercent = std::max(TruncToInt32(100.0f * z), kBandZoomMin);
  }
  // The offsets follow the band's own factor, except where the zoom was held
  // to its limits: they must then place the band at the zoom actually shown.
  const float factor = std::clamp(z, kBandZoomMin / 100.0f, kBandZoomMax / 100.0f);
  out.vScrollPos = std::max(0, TruncToInt32(static_cast<float>(top) / scale * factor));
  out.hScrollPos = std::max(0, TruncToInt32(static_cast<float>(left) / scale * factor));
  return out;
}

ThumbLayout QuickZoomLayout(const QuickZoomState& qz, const ImageDoc& doc) {
  ThumbLayout t;
  t.thumbWidth = doc.thumbWidth;
  t.thumbHeight = doc.thumbHeight;
  t.thumbScale = doc.thumbScale;
  t.offsetX = (qz.boxWidth - doc.thumbWidth) / 2;
  t.offsetY = (qz.boxHeight - doc.thumbHeight) / 2;
  return t;
}

void QuickZoomForgetDrawing(QuickZoomState& qz) {
  qz.outlineDrawn = false;
  qz.bandDrawn = false;
}

void QuickZoomShowDocument(QuickZoomState& qz, WindowRef docWindow) {
  qz.shownWindow = docWindow;
  qz.hasOutline = false;
  qz.bandTracking = false;
  QuickZoomForgetDrawing(qz);
}

bool QuickZoomForgetDocument(QuickZoomState& qz, WindowRef docWindow) {
  if (docWindow == 0 || qz.shownWindow != docWindow) return false;
  QuickZoomShowDocument(qz, 0);
  return true;
}

namespace {

WindowRect BandRect(const QuickZoomState& qz) {
  return {qz.bandAnchor.x, qz.bandAnchor.y, qz.bandCorner.x, qz.bandCorner.y};
}

void RemoveOutline(QuickZoomState& qz, BoxInversions& out) {
  if (!qz.outlineDrawn) return;
  out.push_back(qz.outline);
  qz.outlineDrawn = false;
}

void RestoreOutline(QuickZoomState& qz, BoxInversions& out) {
  if (qz.outlineDrawn || !qz.hasOutline) return;
  out.push_back(qz.outline);
  qz.outlineDrawn = true;
}

void RemoveBand(QuickZoomState& qz, BoxInversions& out) {
  if (!qz.bandDrawn) return;
  out.push_back(BandRect(qz));
  qz.bandDrawn = false;
}

}  // namespace

BoxInversions QuickZoomShowVisibleRect(QuickZoomState& qz, const ImageDoc& doc, const PixelRect& visible) {
  BoxInversions out;
  if (qz.shownWindow == 0 || doc.docWindow != qz.shownWindow) return out;
  RemoveOutline(qz, out);
  const std::optional<WindowRect> outline = VisibleOutline(QuickZoomLayout(qz, doc), visible);
  qz.hasOutline = outline.has_value();
  if (outline) {
    qz.outline = *outline;
    RestoreOutline(qz, out);
  }
  return out;
}

BoxInversions QuickZoomPaintOverlays(const QuickZoomState& qz) {
  BoxInversions out;
  if (qz.outlineDrawn) out.push_back(qz.outline);
  if (qz.bandDrawn) out.push_back(BandRect(qz));
  return out;
}

BoxInversions QuickZoomRightDown(QuickZoomState& qz, const ImageDoc& doc, int32_t boxX, int32_t boxY) {
  BoxInversions out;
  RemoveBand(qz, out);
  qz.bandAnchor = ClampToThumb(QuickZoomLayout(qz, doc), boxX, boxY);
  qz.bandCorner = qz.bandAnchor;  // no corner from an earlier band survives
  qz.bandTracking = true;
  RemoveOutline(qz, out);
  return out;
}

BoxInversions QuickZoomRightDrag(QuickZoomState& qz, const ImageDoc& doc, int32_t boxX, int32_t boxY) {
  BoxInversions out;
  if (!qz.bandTracking) return out;
  RemoveBand(qz, out);
  qz.bandCorner = ClampToThumb(QuickZoomLayout(qz, doc), boxX, boxY);
  out.push_back(BandRect(qz));
  qz.bandDrawn = true;
  return out;
}

BoxInversions QuickZoomHover(QuickZoomState& qz) {
  BoxInversions out;
  RemoveBand(qz, out);
  qz.bandTracking = false;
  RestoreOutline(qz, out);
  return out;
}

BandRelease QuickZoomRightUp(QuickZoomState& qz, const ImageDoc& doc, int32_t boxX, int32_t boxY) {
  BandRelease r;
  if (!qz.bandTracking) return r;
  qz.bandTracking = false;
  const ThumbLayout layout = QuickZoomLayout(qz, doc);
  const BoxPoint release = ClampToThumb(layout, boxX, boxY);
  // The band goes in every case, so that no trace of it stays on the copy.
  RemoveBand(qz, r.inversions);
  RestoreOutline(qz, r.inversions);
  if (release.x == qz.bandAnchor.x || release.y == qz.bandAnchor.y) return r;
  r.zoom = ZoomForBand(doc, layout, qz.bandAnchor, qz.bandCorner);
  return r;
}

}  // namespace veilo
