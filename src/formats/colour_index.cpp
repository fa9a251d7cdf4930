#include "formats/colour_index.h"

namespace veilo {

int ColourIndex::Find(uint32_t rgb) const {
  for (size_t s = Slot(rgb);; s = (s + 1) % kSlots) {
    const int16_t i = slots_[s];
    if (i < 0) return -1;
    if (colours_[static_cast<size_t>(i)] == rgb) return i;
  }
}

bool ColourIndex::Add(uint32_t rgb) {
  if (colours_.size() >= kCapacity) return false;
  size_t s = Slot(rgb);
  while (slots_[s] >= 0) s = (s + 1) % kSlots;
  slots_[s] = static_cast<int16_t>(colours_.size());
  colours_.push_back(rgb);
  return true;
}

ColourIndex CollectColours(const uint8_t* rows, uint32_t width, uint32_t height, size_t stride) {
  ColourIndex index;
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* p = rows + y * stride;
    for (uint32_t x = 0; x < width; ++x, p += 3) {
      const uint32_t rgb = PackRgb(p[2], p[1], p[0]);
      if (index.Find(rgb) < 0 && !index.Add(rgb)) return index;
    }
  }
  return index;
}

}  // namespace veilo
