#pragma once
// The choices of the PNG options dialog, passed to the writer.
#include <array>
#include <cstdint>

namespace veilo {

struct ImageDoc;

struct PngSaveOptions {
  // Colour reduction: 0 = none, or 256, 128, 64, 32, 16 colours.
  int reduction = 0;
  bool interlace = false;
  bool transparent = false;
  std::array<uint8_t, 3> transparentColour{};  // red, green, blue
};

// The dialog's start values: no reduction, not interlaced, and the
// document's own transparency setting and colour.
PngSaveOptions StartingPngSaveOptions(const ImageDoc& doc);

}  // namespace veilo
