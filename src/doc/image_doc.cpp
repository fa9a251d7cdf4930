#include "doc/image_doc.h"

#include <cfloat>

// Zoom fits, scales and colour conversions must round alike on every build, so
// no build may keep intermediate results in wider registers (the 32-bit x86
// build computes in SSE2 for this).
static_assert(FLT_EVAL_METHOD == 0, "floating point must evaluate in each type's own precision");

namespace veilo {

void SetDocPicture(ImageDoc& doc, PackedDib dib) {
  doc.dib = std::move(dib);
  if (doc.dib.empty()) {
    doc.width = doc.height = 0;
    doc.bitCount = 0;
    return;
  }
  const DibHeader h = ReadDibHeader(doc.dib.data());
  doc.width = static_cast<int32_t>(h.width);
  doc.height = static_cast<int32_t>(h.height);
  doc.bitCount = static_cast<int16_t>(h.bitCount);
}

PixelBuffer DocPixels(ImageDoc& doc) {
  PixelBuffer p;
  if (doc.dib.empty()) return p;
  p.bits = DibPixelStart(doc.dib.data());
  p.width = doc.width;
  p.height = doc.height;
  p.stride = RowStride24(static_cast<uint32_t>(doc.width));
  return p;
}

}  // namespace veilo
