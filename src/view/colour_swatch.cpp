#include "view/colour_swatch.h"

namespace veilo {

std::vector<SwatchStroke> SwatchButtonStrokes(const WindowRect& button, bool pressed, bool enabled,
                                              bool transparencyOn, const std::array<uint8_t, 3>& colour) {
  using Op = SwatchStroke::Op;
  std::vector<SwatchStroke> out;
  out.push_back({Op::kFill, button, SwatchInk::kFace, {}});
  if (!enabled) return out;
  out.push_back({Op::kFrame, button, SwatchInk::kDarkGrey, {}});

  const WindowRect well{button.left + 4, button.top + 4, button.right - 4, button.bottom - 4};
  if (transparencyOn && well.left < well.right && well.top < well.bottom) {
    out.push_back({Op::kFill, well, SwatchInk::kColour, colour});
    out.push_back({Op::kFrame, well, SwatchInk::kBlack, {}});
  }

  // The 3-D edges run just inside the dark-grey frame.
  const WindowRect in{button.left + 1, button.top + 1, button.right - 1, button.bottom - 1};
  if (in.right - in.left < 2 || in.bottom - in.top < 2) return out;
  const SwatchInk lit = pressed ? SwatchInk::kShadow : SwatchInk::kHighlight;
  const SwatchInk dark = pressed ? SwatchInk::kHighlight : SwatchInk::kShadow;
  out.push_back({Op::kFill, {in.left, in.top, in.right, in.top + 1}, lit, {}});
  out.push_back({Op::kFill, {in.left, in.top, in.left + 1, in.bottom}, lit, {}});
  out.push_back({Op::kFill, {in.right - 1, in.top, in.right, in.bottom}, dark, {}});
  out.push_back({Op::kFill, {in.left, in.bottom - 1, in.right, in.bottom}, dark, {}});
  return out;
}

}  // namespace veilo
