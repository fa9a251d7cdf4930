#pragma once
// The colour histogram of the quantiser: 32 x 64 x 32 cells of red >> 3,
// green >> 2 and blue >> 3, each an unsigned 16-bit count that stops at 65535.
#include <array>
#include <cstddef>
#include <cstdint>

namespace veilo {

inline constexpr int kRedCells = 32;
inline constexpr int kGreenCells = 64;
inline constexpr int kBlueCells = 32;
inline constexpr size_t kHistogramCells = size_t{kRedCells} * kGreenCells * kBlueCells;

using ColourHistogram = std::array<uint16_t, kHistogramCells>;

// Cell of red cell rc, green cell gc, blue cell bc.
constexpr size_t HistogramCell(int rc, int gc, int bc) {
  return (static_cast<size_t>(rc) << 11) | (static_cast<size_t>(gc) << 5) | static_cast<size_t>(bc);
}
// Cell of a colour.
constexpr size_t HistogramCellOf(uint8_t red, uint8_t green, uint8_t blue) {
  return HistogramCell(red >> 3, green >> 2, blue >> 3);
}

// Centre of a cell: the colour that stands for all colours in it.
constexpr int RedCentre(int rc) { return 8 * rc + 4; }
constexpr int GreenCentre(int gc) { return 4 * gc + 2; }
constexpr int BlueCentre(int bc) { return 8 * bc + 4; }

// Up to 256 colours as three arrays; entries from `size` on are 0.
struct QuantPalette {
  std::array<uint8_t, 256> red{};
  std::array<uint8_t, 256> green{};
  std::array<uint8_t, 256> blue{};
  int size = 0;
};

}  // namespace veilo
