#pragma once
// Colour reduction before a PNG save: the choices the options dialog lets
// stand, and the reduced picture with an optional transparent entry.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "doc/pixel_buffer.h"
#include "formats/png_colour_mode.h"

namespace veilo {

using RgbColour = std::array<uint8_t, 3>;  // red, green, blue

// The reduction a save uses for a requested one (0 = none, or 256, 128, 64,
// 32, 16). Choices that would not reduce an exact palette (256 always, and
// every count at or above the picture's colour count) are disabled in the
// dialog and fall back to no reduction, as do values outside the choices.
// Gray pictures of exactly 256 levels and pictures of up to 16 colours are
// never reduced.
int EffectivePngReduction(int requested, const PngColourCount& count);

// Whether the options dialog offers `choice` (0 = none, 16, 32, 64, 128,
// 256) for a picture: no reduction always, a reduction only where the save
// carries it out. A checked choice that is not offered falls back to none.
bool PngReductionChoiceOffered(int choice, const PngColourCount& count);

struct PngReducedPicture {
  std::vector<RgbColour> palette;  // the requested number of entries; unused ones black
  std::unique_ptr<uint8_t[]> indices;  // one per pixel, top row first
  RgbColour transparentColour{};       // entry 0's colour when reduced with transparency
};

// Reduces the picture to `colours` (2..256) palette entries. With a
// transparent colour, the picture is reduced to one colour fewer and the
// transparent colour takes entry 0 (see PutTransparentFirst). nullopt when
// memory runs out.
std::optional<PngReducedPicture> ReducePngColours(const PixelBuffer& pixels, int colours,
                                                  const std::optional<RgbColour>& transparent);

// Makes room for the transparent colour in front of a reduced palette of
// `usedColours` entries: every pixel whose colour is exactly `transparent`
// gets index 0, every other pixel its reduced index + 1. Should the
// transparent colour equal a reduced colour, it is moved by adding 1 to red,
// then green, then blue, then red again and so on until it differs from all
// of them; the moved colour is the one stored in entry 0.
void PutTransparentFirst(PngReducedPicture& reduced, size_t usedColours, const PixelBuffer& pixels,
                         const RgbColour& transparent);

}  // namespace veilo
