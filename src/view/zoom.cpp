#include "view/zoom.h"

#include <algorithm>
#include <cmath>

#include "view/view_mapping.h"

namespace veilo {

namespace {

// One direction of UpdateScrollRanges: the largest offset, and the offset
// clamped into 0..max and, above 100 %, put on a whole zoomed picture pixel.
void UpdateOneRange(int32_t zoom, int32_t pictureExtent, int32_t clientExtent, int32_t& max, int32_t& pos) {
  max = std::max(0, SaturateToInt32(int64_t{ZoomedLength(pictureExtent, zoom)} - clientExtent));
  pos = std::clamp(pos, 0, max);
  if (zoom > 100) {
    const int32_t k = zoom / 100;
    pos = pos / k * k;
  }
}

// The new offset of one direction that keeps the view centre: the visible
// extent grows or shrinks around its middle while the offset scales with
// the zoom. The zoomed visible extent is taken in floating point and
// truncated; the halving truncates towards zero, and a negative result
// becomes 0 (UpdateScrollRanges clamps the other end).
int32_t CentredOffset(int32_t oldZoom, int32_t newZoom, int32_t visible, int32_t pos) {
  const int64_t zoomedVisible = static_cast<int64_t>(std::trunc(static_cast<double>(newZoom) * visible / oldZoom));
  const int64_t offset = (zoomedVisible - visible) / 2 + int64_t{pos} * newZoom / oldZoom;
  return std::max(0, SaturateToInt32(offset));
}

}  // namespace

int32_t ZoomInStep(int32_t zoom) {
  if (!CanZoomIn(zoom)) return zoom;
  if (zoom <= 99) return zoom / 10 * 10 + 10;
  if (zoom < 150) return 150;
  if (zoom < 200) return 200;
  if (zoom < 400) return zoom / 100 * 100 + 100;
  if (zoom < 800) return 800;
  return 1600;
}

int32_t ZoomOutStep(int32_t zoom) {
  if (!CanZoomOut(zoom)) return zoom;
  if (zoom <= 100) return zoom / 10 * 10 - 10;
  if (zoom <= 150) return 100;
  if (zoom <= 200) return 150;
  if (zoom <= 400) return zoom / 100 * 100 - 100;
  if (zoom <= 800) return 400;
  if (zoom <= 1600) return 800;
  return 1600;
}

ScrollBars UpdateScrollRanges(ImageDoc& doc) {
  const int32_t zoom = MappingZoom(doc);
  UpdateOneRange(zoom, doc.height, doc.clientHeight, doc.vScrollMax, doc.vScrollPos);
  UpdateOneRange(zoom, doc.width, doc.clientWidth, doc.hScrollMax, doc.hScrollPos);
  return {doc.hScrollMax, doc.hScrollPos, doc.vScrollMax, doc.vScrollPos};
}

ScrollBars SetZoom(ImageDoc& doc, int32_t newZoom) {
  newZoom = std::max(newZoom, 1);
  const int32_t oldZoom = MappingZoom(doc);
  const int32_t visibleWidth = std::min(ZoomedWidth(doc), doc.clientWidth);
  const int32_t visibleHeight = std::min(ZoomedHeight(doc), doc.clientHeight);
  doc.vScrollPos = CentredOffset(oldZoom, newZoom, visibleHeight, doc.vScrollPos);
  doc.hScrollPos = CentredOffset(oldZoom, newZoom, visibleWidth, doc.hScrollPos);
  doc.zoomPercent = newZoom;
  return UpdateScrollRanges(doc);
}

int32_t FitZoom(const ImageDoc& doc, const ScrollBarMetrics& m) {
  // The client area as it would be without the scroll bars now shown.
  const double clientWidth = static_cast<double>(doc.clientWidth) + (doc.vScrollMax != 0 ? m.scrollBarWidth : 0);
  const double clientHeight =
      static_cast<double>(doc.clientHeight) + (doc.hScrollMax != 0 ? m.scrollBarHeight : 0);
  if (doc.width <= 0 || doc.height <= 0 || clientWidth <= 0 || clientHeight <= 0) return MappingZoom(doc);
  const double width = doc.width, height = doc.height;
  const double z = height / clientHeight > width / clientWidth ? clientHeight / height * 100.0
                                                               : clientWidth / width * 100.0;
  int32_t zoom = SaturateToInt32(static_cast<int64_t>(std::floor(std::min(z, 1e9))));
  if (zoom > 100) zoom = zoom / 10 * 10;
  return std::max(zoom, 1);
}

ScrollBars FitWholeImage(ImageDoc& doc, const ScrollBarMetrics& m) {
  const int32_t zoom = FitZoom(doc, m);
  doc.hScrollPos = 0;
  doc.vScrollPos = 0;
  return SetZoom(doc, zoom);
}

}  // namespace veilo
