#pragma once
// The distinct colours of a 24-bit picture in order of first appearance, with
// a constant-time lookup of a colour's position.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace veilo {

// A colour packed as 0xRRGGBB.
inline uint32_t PackRgb(uint8_t r, uint8_t g, uint8_t b) {
  return (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}

class ColourIndex {
 public:
  static constexpr size_t kCapacity = 257;

  // Position of the colour in first-appearance order, or -1.
  int Find(uint32_t rgb) const;
  // Appends a colour not yet present; false once kCapacity colours are held.
  bool Add(uint32_t rgb);
  const std::vector<uint32_t>& colours() const { return colours_; }
  size_t size() const { return colours_.size(); }

 private:
  static constexpr size_t kSlots = 1024;  // power of two, well above kCapacity
  static size_t Slot(uint32_t rgb) { return (rgb * 2654435761u) >> 22; }
  std::vector<uint32_t> colours_;
  std::array<int16_t, kSlots> slots_ = [] {
    std::array<int16_t, kSlots> s{};
    s.fill(-1);
    return s;
  }();
};

// Collects the colours of 24-bit rows (blue, green, red per pixel), scanning
// the stored rows in order (bottom row first), each left to right, and
// stopping at the 257th distinct colour.
ColourIndex CollectColours(const uint8_t* rows, uint32_t width, uint32_t height, size_t stride);

}  // namespace veilo
