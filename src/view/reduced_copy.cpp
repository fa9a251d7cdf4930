#include "view/reduced_copy.h"

#include <cstring>
#include <vector>

namespace veilo {

PackedDib ReducePicture(ImageDoc& doc, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || !doc.HasPicture()) return {};
  PackedDib copy = PackedDib::Canonical24(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  if (copy.empty()) return copy;
  const PixelBuffer from = DocPixels(doc);
  PixelBuffer to;
  to.bits = DibPixelStart(copy.data());
  to.width = width;
  to.height = height;
  to.stride = RowStride24(static_cast<uint32_t>(width));
  // The source column of each copy column, worked out once.
  std::vector<size_t> columnOffset(static_cast<size_t>(width));
  for (int32_t x = 0; x < width; ++x)
    columnOffset[static_cast<size_t>(x)] = 3 * static_cast<size_t>(int64_t{x} * from.width / width);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = from.Row(static_cast<int32_t>(int64_t{y} * from.height / height));
    uint8_t* out = to.Row(y);
    for (int32_t x = 0; x < width; ++x) std::memcpy(out + 3 * x, row + columnOffset[static_cast<size_t>(x)], 3);
  }
  return copy;
}

}  // namespace veilo
