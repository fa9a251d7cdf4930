#include "doc/area_copy.h"

#include <cstring>

namespace veilo {

PackedDib CopyPictureArea(ImageDoc& doc, const PixelRect& area) {
  if (!doc.HasPicture()) return {};
  const PixelBuffer from = DocPixels(doc);
  const PixelRect r = from.Clip(area);
  if (r.Empty()) return {};
  PackedDib copy = PackedDib::Canonical24(static_cast<uint32_t>(r.Width()), static_cast<uint32_t>(r.Height()));
  if (copy.empty()) return copy;
  PixelBuffer to;
  to.bits = DibPixelStart(copy.data());
  to.width = r.Width();
  to.height = r.Height();
  to.stride = RowStride24(static_cast<uint32_t>(r.Width()));
  for (int32_t y = 0; y < r.Height(); ++y)
    std::memcpy(to.Row(y), from.At(r.left, r.top + y), 3 * static_cast<size_t>(r.Width()));
  return copy;
}

}  // namespace veilo
