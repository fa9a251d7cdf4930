#include "shell/button_colours.h"

namespace veilo {

namespace {

uint32_t PixelColour(const uint8_t* p) { return uint32_t{p[kRed]} << 16 | uint32_t{p[kGreen]} << 8 | p[kBlue]; }

void SetPixelColour(uint8_t* p, uint32_t rgb) {
  p[kRed] = static_cast<uint8_t>(rgb >> 16);
  p[kGreen] = static_cast<uint8_t>(rgb >> 8);
  p[kBlue] = static_cast<uint8_t>(rgb);
}

}  // namespace

bool FitButtonColours(const PixelBuffer& picture, const ButtonColours& system) {
  if (system == kClassicButtonColours) return false;
  for (int32_t y = 0; y < picture.height; ++y) {
    for (int32_t x = 0; x < picture.width; ++x) {
      uint8_t* p = picture.At(x, y);
      const uint32_t c = PixelColour(p);
      // Each pixel is looked at once, so a system colour equal to another
      // classic one is never replaced a second time.
      if (c == kClassicButtonColours.shadow) SetPixelColour(p, system.shadow);
      else if (c == kClassicButtonColours.face) SetPixelColour(p, system.face);
      else if (c == kClassicButtonColours.highlight) SetPixelColour(p, system.highlight);
    }
  }
  return true;
}

}  // namespace veilo
