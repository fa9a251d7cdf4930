#pragma once
// Toolbar pictures are drawn in the classic button colours; on a system with
// other button colours each of the three is replaced by the system's own.
#include <cstdint>

#include "doc/pixel_buffer.h"

namespace veilo {

struct ButtonColours {
  uint32_t shadow = 0x808080;     // 0xRRGGBB
  uint32_t face = 0xC0C0C0;
  uint32_t highlight = 0xFFFFFF;
  friend bool operator==(const ButtonColours&, const ButtonColours&) = default;
};

inline constexpr ButtonColours kClassicButtonColours{};

// Replaces every pixel of exactly a classic colour by the matching system
// colour; false (nothing to do) when the system uses the classic colours.
bool FitButtonColours(const PixelBuffer& picture, const ButtonColours& system);

}  // namespace veilo
