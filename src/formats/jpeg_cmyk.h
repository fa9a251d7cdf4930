#pragma once
// Turning the CMYK samples that the JPEG library gives for four-component
// files (CMYK, and YCCK converted by the library) into the picture's
// blue-green-red pixels.
#include <cstdint>

namespace veilo {

// Converts one row of `width` CMYK pixels (4 bytes each) into 3-byte BGR
// pixels: each channel is (255 - ink) * (255 - black) / 255, rounded.
// Files with Adobe's APP14 marker store the inks inverted (255 = no ink), as
// Adobe's programs write them; `adobeInverted` selects that reading.
void CmykRowToBgr(const uint8_t* cmyk, uint8_t* bgr, uint32_t width, bool adobeInverted);

}  // namespace veilo
