#include "view/colour_pick_target.h"

namespace veilo {

void SetTransparencyChecked(ColourPickTarget& target, bool checked) {
  if (target.useTransparent) target.colourChosen = true;
  if (checked && !target.colourChosen && target.pixels.bits && target.pixels.width > 0 && target.pixels.height > 0) {
    const uint8_t* p = target.pixels.At(0, target.pixels.height - 1);
    target.colour = {p[kRed], p[kGreen], p[kBlue]};
  }
  target.useTransparent = checked;
}

}  // namespace veilo
