#include "view/colour_pick_target.h"

namespace veilo {

void SetTransparencyChecked(ColourPickTarget& target, bool checked) {
  if (target.useTransparent) target.colourChosen = true;
  const PixelBuffer& pixels = target.pixels;
  if (checked && !target.colourChosen && pixels.bits && pixels.width > 0 && pixels.height > 0) {
    const uint8_t* p = pixels.At(0, pixels.height - 1);
    target.colour = {p[kRed], p[kGreen], p[kBlue]};
  }
  target.useTransparent = checked;
}

}  // namespace veilo
