#include "formats/png_pixels.h"

namespace veilo {
namespace {

constexpr int kColourTypePalette = 3;
constexpr int kColourMaskColour = 2;

uint8_t Scaled(uint16_t value, int colourType, int bitDepth) {
  if (bitDepth == 16) return static_cast<uint8_t>(value >> 8);
  if ((colourType & kColourMaskColour) == 0) {
    // Gray levels below 8 bits; the library refuses levels beyond the depth,
    // but a level that slips through must not wrap.
    const uint32_t top = bitDepth == 1 ? 1 : bitDepth == 2 ? 3 : bitDepth == 4 ? 15 : 255;
    const uint32_t level = value > top ? top : value;
    return static_cast<uint8_t>(level * 255 / top);
  }
  return static_cast<uint8_t>(value > 255 ? 255 : value);
}

}  // namespace

PngBackground BackgroundFromBkgd(int colourType, int bitDepth, const PngBkgdValues& v) {
  // Palette entries are 8-bit colours whatever the index depth.
  const int depth = colourType == kColourTypePalette ? 8 : bitDepth;
  return {Scaled(v.red, colourType, depth), Scaled(v.green, colourType, depth),
          Scaled(v.blue, colourType, depth)};
}

void ConvertBgraRow(const uint8_t* bgra, uint8_t* bgr, uint32_t width, const PngBackground& bg,
                    PngTransparentPick& pick) {
  for (uint32_t x = 0; x < width; ++x, bgra += 4, bgr += 3) {
    const uint8_t a = bgra[3];
    if (a == 255) {
      bgr[0] = bgra[0];
      bgr[1] = bgra[1];
      bgr[2] = bgra[2];
    } else if (a == 0) {
      bgr[0] = bgra[0];
      bgr[1] = bgra[1];
      bgr[2] = bgra[2];
      if (!pick.found) {
        pick.found = true;
        pick.colour = {bgra[2], bgra[1], bgra[0]};
      }
    } else {
      bgr[0] = BlendOverBackground(bgra[0], a, bg.blue);
      bgr[1] = BlendOverBackground(bgra[1], a, bg.green);
      bgr[2] = BlendOverBackground(bgra[2], a, bg.red);
    }
  }
}

}  // namespace veilo
