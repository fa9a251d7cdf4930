#pragma once
// Addressing of 24-bit pixel rows: blue, green, red per pixel, bottom row
// stored first, rows padded to 4 bytes. Picture row y counts from the top.
#include <cstddef>
#include <cstdint>

namespace veilo {

struct PixelRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool Empty() const { return left >= right || top >= bottom; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The rectangle spanned by two corners given in any order.
inline PixelRect NormalisedRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  return {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1};
}

struct PixelBuffer {
  uint8_t* bits = nullptr;  // first byte of the bottom row
  int32_t width = 0;
  int32_t height = 0;
  size_t stride = 0;

  uint8_t* Row(int32_t y) const { return bits + static_cast<size_t>(height - 1 - y) * stride; }
  uint8_t* At(int32_t x, int32_t y) const { return Row(y) + 3 * static_cast<size_t>(x); }
  // Clips a rectangle to the picture.
  PixelRect Clip(PixelRect r) const {
    if (r.left < 0) r.left = 0;
    if (r.top < 0) r.top = 0;
    if (r.right > width) r.right = width;
    if (r.bottom > height) r.bottom = height;
    return r;
  }
};

enum Channel : uint8_t { kRed = 2, kGreen = 1, kBlue = 0 };  // byte offsets in a pixel

}  // namespace veilo
