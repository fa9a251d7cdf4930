#include "formats/png_colour_mode.h"

namespace veilo {
namespace {

bool AllGray(const ColourIndex& colours) {
  for (const uint32_t rgb : colours.colours()) {
    const uint32_t r = rgb >> 16, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    if (r != g || g != b) return false;
  }
  return true;
}

}  // namespace

PngColourCount CountColours(const PixelBuffer& pixels) {
  PngColourCount result;
  result.colours = CollectColours(pixels.bits, static_cast<uint32_t>(pixels.width),
                                  static_cast<uint32_t>(pixels.height), pixels.stride);
  const size_t n = result.colours.size();
  if (n > 256) {
    result.mode = PngColourMode::kTrueColour;
    return result;
  }
  result.count = n;
  // With 256 colours or fewer every pixel was seen, so the list decides grayness.
  if (n == 256 && AllGray(result.colours))
    result.mode = PngColourMode::kGray8Bit;
  else if (n > 16)
    result.mode = PngColourMode::kPalette8Bit;
  else if (n > 4)
    result.mode = PngColourMode::kPalette4Bit;
  else if (n > 2)
    result.mode = PngColourMode::kPalette2Bit;
  else
    result.mode = PngColourMode::kPalette1Bit;
  return result;
}

int PngBitDepth(PngColourMode mode) {
  switch (mode) {
    case PngColourMode::kPalette1Bit: return 1;
    case PngColourMode::kPalette2Bit: return 2;
    case PngColourMode::kPalette4Bit: return 4;
    default: return 8;
  }
}

size_t PngPaletteEntries(PngColourMode mode, size_t colourCount) {
  switch (mode) {
    case PngColourMode::kPalette1Bit: return 2;
    case PngColourMode::kPalette2Bit: return 4;
    case PngColourMode::kPalette4Bit: return 16;
    default: return colourCount;
  }
}

}  // namespace veilo
