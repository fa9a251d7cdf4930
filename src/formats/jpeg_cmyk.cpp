#include "formats/jpeg_cmyk.h"

namespace veilo {
namespace {

// a * b / 255, rounded to nearest, for a, b in 0..255.
inline uint8_t Scale(uint32_t a, uint32_t b) {
  const uint32_t t = a * b + 128;
  return static_cast<uint8_t>((t + (t >> 8)) >> 8);
}

}  // namespace

void CmykRowToBgr(const uint8_t* cmyk, uint8_t* bgr, uint32_t width, bool adobeInverted) {
  const uint32_t flip = adobeInverted ? 0 : 255;  // turns ink amounts into "no ink" amounts
  for (uint32_t x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    const uint32_t k = cmyk[3] ^ flip;
    bgr[0] = Scale(cmyk[2] ^ flip, k);
    bgr[1] = Scale(cmyk[1] ^ flip, k);
    bgr[2] = Scale(cmyk[0] ^ flip, k);
  }
}

}  // namespace veilo
