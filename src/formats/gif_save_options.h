#pragma once
// The choices of the GIF option dialog, passed to the writer.
#include <array>
#include <cstdint>

namespace veilo {

struct ImageDoc;

struct GifSaveOptions {
  // Palette size for pictures that need reducing: 8, 16, 32, 64, 128 or 256.
  // Pictures with fewer colours keep them exactly.
  int maxColours = 256;
  bool interlace = false;
  bool transparent = false;
  std::array<uint8_t, 3> transparentColour{};  // red, green, blue
};

// The dialog's start values: 256 colours, not interlaced, and the document's
// transparent colour when it has one.
GifSaveOptions StartingGifSaveOptions(const ImageDoc& doc);

// The allowed palette size nearest above `colours` (8..256, a power of two).
int NormalisedGifMaxColours(int colours);

}  // namespace veilo
