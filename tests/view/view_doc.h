#pragma once
// A document window's view state for the view tests: picture size, zoom and
// client size, optionally with a real picture block (the painter wants one).
#include <cstdint>

#include "doc/image_doc.h"

namespace veilo::testing {

inline ImageDoc ViewDoc(int32_t width, int32_t height, int32_t zoom, int32_t clientWidth, int32_t clientHeight,
                        bool withPicture = false) {
  ImageDoc doc;
  if (withPicture) SetDocPicture(doc, PackedDib::Canonical24(static_cast<uint32_t>(width), static_cast<uint32_t>(height)));
  doc.width = width;
  doc.height = height;
  doc.zoomPercent = zoom;
  doc.clientWidth = clientWidth;
  doc.clientHeight = clientHeight;
  return doc;
}

}  // namespace veilo::testing
