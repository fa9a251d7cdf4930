#pragma once
// The owner-drawn button of the GIF and PNG option dialogs that shows the
// transparent colour: what to fill and frame, in order.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/shell_notifications.h"

namespace veilo {

enum class SwatchInk : uint8_t {
  kFace,       // the system colour for inactive borders
  kDarkGrey,   // the stock dark-grey brush
  kBlack,      // the stock black brush
  kHighlight,  // the system button-highlight colour
  kShadow,     // the system button-shadow colour
  kColour,     // the transparent colour of the stroke
};

struct SwatchStroke {
  enum class Op : uint8_t { kFill, kFrame };  // FillRect, or a 1-pixel FrameRect
  Op op = Op::kFill;
  WindowRect rect;
  SwatchInk ink = SwatchInk::kFace;
  std::array<uint8_t, 3> colour{};  // red, green, blue; used with SwatchInk::kColour
};

// The button face framed dark grey; with transparency on, the colour 4 pixels
// inside the edge, framed black; a light edge top and left and a shadow edge
// right and bottom, exchanged while pressed. A disabled button shows only the
// face.
std::vector<SwatchStroke> SwatchButtonStrokes(const WindowRect& button, bool pressed, bool enabled,
                                              bool transparencyOn, const std::array<uint8_t, 3>& colour);

}  // namespace veilo
