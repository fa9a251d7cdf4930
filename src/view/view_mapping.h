#pragma once
// The one mapping between picture pixels and the document window's client
// area. Scroll offsets count pixels of the zoomed picture, so a picture
// coordinate is zoomed first and then shifted; the way back undoes both.
// All divisions truncate, as the painter, the area frame and the mouse
// handling must agree to the pixel.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "doc/image_doc.h"

namespace veilo {

inline int32_t SaturateToInt32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// The zoom every mapping divides by: a record that somehow holds 0 or less
// is treated as 1 rather than divided by.
inline int32_t MappingZoom(const ImageDoc& doc) { return doc.zoomPercent > 0 ? doc.zoomPercent : 1; }

// A picture length or coordinate at `zoom` percent, and back.
inline int32_t ZoomedLength(int64_t pictureUnits, int32_t zoom) {
  return SaturateToInt32(pictureUnits * zoom / 100);
}
inline int32_t PictureLength(int64_t zoomedUnits, int32_t zoom) {
  return SaturateToInt32(zoomedUnits * 100 / std::max(zoom, 1));
}

// The size of the whole picture at the document's zoom.
inline int32_t ZoomedWidth(const ImageDoc& doc) { return ZoomedLength(doc.width, MappingZoom(doc)); }
inline int32_t ZoomedHeight(const ImageDoc& doc) { return ZoomedLength(doc.height, MappingZoom(doc)); }

inline int32_t PictureToClientX(const ImageDoc& doc, int32_t x) {
  return SaturateToInt32(int64_t{ZoomedLength(x, MappingZoom(doc))} - doc.hScrollPos);
}
inline int32_t PictureToClientY(const ImageDoc& doc, int32_t y) {
  return SaturateToInt32(int64_t{ZoomedLength(y, MappingZoom(doc))} - doc.vScrollPos);
}
inline int32_t ClientToPictureX(const ImageDoc& doc, int32_t cx) {
  return PictureLength(int64_t{cx} + doc.hScrollPos, MappingZoom(doc));
}
inline int32_t ClientToPictureY(const ImageDoc& doc, int32_t cy) {
  return PictureLength(int64_t{cy} + doc.vScrollPos, MappingZoom(doc));
}

}  // namespace veilo
