#include "masks/turn_pixels.h"

#include <algorithm>

#include "masks/row_ops.h"

namespace veilo {

namespace {

// Square tiles keep both the rows read and the rows written in the cache.
constexpr int32_t kTile = 32;

inline void CopyPixel(uint8_t* dst, const uint8_t* src) {
  dst[0] = src[0];
  dst[1] = src[1];
  dst[2] = src[2];
}

}  // namespace

void TurnQuarter(const PixelBuffer& src, const PixelBuffer& dst, bool clockwise) {
  const int32_t srcW = src.width, srcH = src.height;
  // Destination pixel (nx, ny) comes from source (ny, H - 1 - nx) clockwise,
  // or from (W - 1 - ny, nx) otherwise. In memory the source row of
  // picture row y is row H - 1 - y, so walking nx along a destination row
  // walks the source column one stride forward (clockwise) or backward.
  const ptrdiff_t srcStep = clockwise ? static_cast<ptrdiff_t>(src.stride) : -static_cast<ptrdiff_t>(src.stride);
  for (int32_t ny0 = 0; ny0 < dst.height; ny0 += kTile) {
    const int32_t ny1 = std::min(dst.height, ny0 + kTile);
    for (int32_t nx0 = 0; nx0 < dst.width; nx0 += kTile) {
      const int32_t nx1 = std::min(dst.width, nx0 + kTile);
      for (int32_t ny = ny0; ny < ny1; ++ny) {
        const int32_t sx = clockwise ? ny : srcW - 1 - ny;
        const int32_t sy = clockwise ? srcH - 1 - nx0 : nx0;
        const uint8_t* s = src.At(sx, sy);
        uint8_t* d = dst.At(nx0, ny);
        for (int32_t nx = nx0; nx < nx1; ++nx, s += srcStep, d += 3) CopyPixel(d, s);
      }
    }
  }
}

void TurnHalf(const PixelBuffer& px) {
  if (px.width <= 0 || px.height <= 0) return;
  const size_t w = static_cast<size_t>(px.width);
  for (int32_t top = 0, bottom = px.height - 1; top < bottom; ++top, --bottom) {
    uint8_t* a = px.Row(top);
    uint8_t* b = px.Row(bottom) + 3 * (w - 1);
    for (size_t i = 0; i < w; ++i, a += 3, b -= 3) {
      const uint8_t t0 = a[0], t1 = a[1], t2 = a[2];
      CopyPixel(a, b);
      b[0] = t0;
      b[1] = t1;
      b[2] = t2;
    }
  }
  if (px.height % 2 == 1) ReversePixels(px.Row(px.height / 2), w);
}

}  // namespace veilo
