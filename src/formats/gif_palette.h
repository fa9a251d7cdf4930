#pragma once
// Turning a 24-bit picture into the palette and colour indices of a GIF image.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "doc/pixel_buffer.h"
#include "formats/gif_save_options.h"

namespace veilo {

struct GifIndexedImage {
  std::vector<uint8_t> palette;  // red, green, blue per entry
  int entries = 0;               // a power of two, 2..256
  std::unique_ptr<uint8_t[]> indices;  // width x height, top row first
  bool transparent = false;
  uint8_t transparentIndex = 0;
};

// Pictures with fewer distinct colours than options.maxColours keep them
// exactly (palette in order of first appearance from the top row, padded with
// black to a power of two); others are reduced by the colour quantiser to
// maxColours entries. A transparent colour gets the first equal palette entry
// in the exact case and the reserved last entry in the reduced case (not with
// 8 colours). Transparency that cannot be kept is dropped. nullopt when
// memory runs out.
std::optional<GifIndexedImage> BuildGifIndexedImage(const PixelBuffer& pixels, const GifSaveOptions& options);

}  // namespace veilo
