#pragma once
// Block contents of a test picture, for checking where blocks went.
#include <cstring>
#include <vector>

#include "masks/block_grid.h"
#include "test_pictures.h"

namespace veilo::testing {

using BlockPixels = std::vector<Rgb>;

inline BlockPixels ReadBlock(const PixelBuffer& px, const BlockGrid& g, int64_t k) {
  BlockPixels out;
  out.reserve(static_cast<size_t>(g.size) * static_cast<size_t>(g.size));
  for (int32_t y = 0; y < g.size; ++y) {
    const uint8_t* p = px.At(g.BlockX(k), g.BlockY(k) + y);
    for (int32_t x = 0; x < g.size; ++x, p += 3) out.push_back({p[kRed], p[kGreen], p[kBlue]});
  }
  return out;
}

inline std::vector<BlockPixels> ReadBlocks(ImageDoc& doc, const BlockGrid& g) {
  const PixelBuffer px = DocPixels(doc);
  std::vector<BlockPixels> out;
  for (int64_t k = 0; k < g.Count(); ++k) out.push_back(ReadBlock(px, g, k));
  return out;
}

inline BlockPixels Inverted(BlockPixels b) {
  for (Rgb& c : b) c = {static_cast<uint8_t>(~c.r), static_cast<uint8_t>(~c.g), static_cast<uint8_t>(~c.b)};
  return b;
}

inline BlockPixels Transposed(const BlockPixels& b, int32_t size) {
  BlockPixels out(b.size());
  for (int32_t y = 0; y < size; ++y)
    for (int32_t x = 0; x < size; ++x) out[static_cast<size_t>(y * size + x)] = b[static_cast<size_t>(x * size + y)];
  return out;
}

// Every pixel outside rect equals the same pixel of before.
inline bool SameOutside(ImageDoc& doc, ImageDoc& before, const PixelRect& rect) {
  for (int32_t y = 0; y < doc.height; ++y)
    for (int32_t x = 0; x < doc.width; ++x) {
      const bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
      if (!inside && !(PixelOf(doc, x, y) == PixelOf(before, x, y))) return false;
    }
  return true;
}

// Like MakeNoiseDoc, but filled row by row: for pictures of millions of pixels.
inline ImageDoc MakeLargeNoiseDoc(int32_t width, int32_t height, uint32_t seed) {
  ImageDoc doc;
  SetDocPicture(doc, PackedDib::Canonical24(static_cast<uint32_t>(width), static_cast<uint32_t>(height)));
  const PixelBuffer px = DocPixels(doc);
  uint32_t state = seed * 2654435761u + 1;
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* p = px.Row(y);
    for (size_t i = 0; i < 3 * static_cast<size_t>(width); ++i) {
      state = state * 1664525u + 1013904223u;
      p[i] = static_cast<uint8_t>(state >> 24);
    }
  }
  return doc;
}

// The same picture bytes (fast enough for large pictures).
inline bool SameBytes(const ImageDoc& a, const ImageDoc& b) {
  return a.dib.size() == b.dib.size() && std::memcmp(a.dib.data(), b.dib.data(), a.dib.size()) == 0;
}

// A document holding a copy of doc's picture (nothing else).
inline ImageDoc CopyPicture(const ImageDoc& doc) {
  ImageDoc copy;
  SetDocPicture(copy, doc.dib.Clone());
  return copy;
}

}  // namespace veilo::testing
