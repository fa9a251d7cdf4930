#pragma once
// A picture that compresses like a photograph: smooth gradients with fine noise.
#include <cstdint>

#include "doc/image_doc.h"

namespace veilo::bench {

// `seed` varies the noise, so that pictures made with different seeds differ.
inline ImageDoc MakePhotoLike(uint32_t width, uint32_t height, uint32_t seed = 11) {
  ImageDoc doc;
  SetDocPicture(doc, PackedDib::Canonical24(width, height));
  const PixelBuffer px = DocPixels(doc);
  uint32_t s = seed;
  for (int32_t y = 0; y < px.height; ++y) {
    for (int32_t x = 0; x < px.width; ++x) {
      s = s * 1664525u + 1013904223u;
      const int noise = static_cast<int>(s >> 29) - 4;
      uint8_t* p = px.At(x, y);
      p[kRed] = static_cast<uint8_t>((x * 255 / static_cast<int32_t>(width) + noise) & 0xFF);
      p[kGreen] = static_cast<uint8_t>((y * 255 / static_cast<int32_t>(height) + noise) & 0xFF);
      p[kBlue] = static_cast<uint8_t>((((x + y) / 23) * 7 + noise) & 0xFF);
    }
  }
  return doc;
}

}  // namespace veilo::bench
