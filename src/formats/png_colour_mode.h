#pragma once
// The smallest PNG form that holds a picture's colours exactly, decided by
// an exact count of its distinct colours.
#include <cstddef>
#include <cstdint>

#include "doc/pixel_buffer.h"
#include "formats/colour_index.h"

namespace veilo {

enum class PngColourMode : uint8_t {
  kPalette1Bit = 0,  // 1..2 colours
  kPalette2Bit = 1,  // 3..4 colours
  kPalette4Bit = 2,  // 5..16 colours
  kPalette8Bit = 3,  // 17..256 colours
  kGray8Bit = 4,     // exactly 256 colours, all gray
  kTrueColour = 5,   // more than 256 colours
};

struct PngColourCount {
  PngColourMode mode = PngColourMode::kTrueColour;
  // The distinct colours in order of first appearance (stored rows, bottom
  // row first, each left to right); meaningful for the palette modes only.
  ColourIndex colours;
  // Number of distinct colours; 0 for more than 256.
  size_t count = 0;
  bool HasExactPalette() const { return mode <= PngColourMode::kPalette8Bit; }
};

// Counts the colours of a 24-bit picture, stopping at the 257th.
PngColourCount CountColours(const PixelBuffer& pixels);

// Bit depth written for a mode before any reduction: 1, 2, 4, else 8.
int PngBitDepth(PngColourMode mode);

// Palette entries written for an exact palette: 2, 4 or 16 for the 1-, 2-
// and 4-bit modes (unused entries black), the colour count for the 8-bit one.
size_t PngPaletteEntries(PngColourMode mode, size_t colourCount);

}  // namespace veilo
