#pragma once
// Draws the owner-drawn swatch button of the GIF and PNG option dialogs.
#include <windows.h>

#include <array>
#include <cstdint>

namespace veilo {

// Paints the button of a WM_DRAWITEM as its state asks (pressed, disabled):
// with transparency on, `colour` (red, green, blue) in its middle.
void DrawColourSwatch(const DRAWITEMSTRUCT& item, bool transparencyOn, const std::array<uint8_t, 3>& colour);

}  // namespace veilo
