#include "masks/turn_pixels.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "masks/pixel_shuffle.h"

namespace veilo {

namespace {

// Pictures are turned tile by tile: a tile's rows are copied into a small
// buffer, then written out as columns. The buffer keeps the column reads in
// the cache, and each tile touches only a few dozen pages of either picture.
constexpr int32_t kTile = 64;
constexpr size_t kTileRowBytes = 3 * kTile;

struct Tile {
  // One spare byte per pixel row end lets every pixel be read as 4 bytes.
  std::array<uint8_t, kTileRowBytes * kTile + 4> bytes;
};

void LoadTile(Tile& tile, const PixelBuffer& px, const PixelRect& r) {
  const size_t rowBytes = 3 * static_cast<size_t>(r.Width());
  for (int32_t y = r.top; y < r.bottom; ++y)
    std::memcpy(tile.bytes.data() + kTileRowBytes * static_cast<size_t>(y - r.top), px.At(r.left, y), rowBytes);
}

// Writes `count` pixels read `step` bytes apart to consecutive pixels of dst.
// Each pixel is moved as 4 bytes; the extra byte lands on the next pixel,
// which is written right after, and the last pixel is written exactly.
inline void CopyColumn(uint8_t* dst, const uint8_t* src, ptrdiff_t step, int32_t count) {
  for (int32_t i = 0; i + 1 < count; ++i, dst += 3, src += step) {
    uint32_t v;
    std::memcpy(&v, src, 4);
    std::memcpy(dst, &v, 4);
  }
  std::memcpy(dst, src, 3);
}

// Where the turn puts image rectangle r of a w x h picture.
PixelRect TurnedRect(const PixelRect& r, bool clockwise, int32_t w, int32_t h) {
  if (clockwise) return {h - r.bottom, r.left, h - r.top, r.right};  // (x, y) -> (h - 1 - y, x)
  return {r.top, w - r.right, r.bottom, w - r.left};                  // (x, y) -> (y, w - 1 - x)
}

// Writes the turned content of tile (taken from rectangle r of a w x h
// picture) into dst.
void StoreTurned(const Tile& tile, const PixelRect& r, const PixelBuffer& dst, bool clockwise, int32_t w,
                 int32_t h) {
  const PixelRect t = TurnedRect(r, clockwise, w, h);
  const int32_t cols = r.Width(), rows = r.Height();
  for (int32_t c = 0; c < cols; ++c) {
    // Tile column c becomes destination row t.top + c (clockwise, read from
    // the bottom tile row up) or t.bottom - 1 - c (read from the top down).
    if (clockwise) {
      const uint8_t* s = tile.bytes.data() + kTileRowBytes * static_cast<size_t>(rows - 1) + 3 * static_cast<size_t>(c);
      CopyColumn(dst.At(t.left, t.top + c), s, -static_cast<ptrdiff_t>(kTileRowBytes), rows);
    } else {
      const uint8_t* s = tile.bytes.data() + 3 * static_cast<size_t>(c);
      CopyColumn(dst.At(t.left, t.bottom - 1 - c), s, static_cast<ptrdiff_t>(kTileRowBytes), rows);
    }
  }
}

}  // namespace

void TurnQuarter(const PixelBuffer& src, const PixelBuffer& dst, bool clockwise) {
  Tile tile;
  for (int32_t y = 0; y < src.height; y += kTile) {
    for (int32_t x = 0; x < src.width; x += kTile) {
      const PixelRect r{x, y, std::min(src.width, x + kTile), std::min(src.height, y + kTile)};
      LoadTile(tile, src, r);
      StoreTurned(tile, r, dst, clockwise, src.width, src.height);
    }
  }
}

void TurnSquareInPlace(const PixelBuffer& px, bool clockwise) {
  const int32_t n = px.width;
  // The top-left quarter (rounded as below) and its three turned images cover
  // every pixel once, except the middle one of an odd size, which stays.
  const int32_t quarterW = (n + 1) / 2, quarterH = n / 2;
  std::array<Tile, 4> tiles;
  for (int32_t y = 0; y < quarterH; y += kTile) {
    for (int32_t x = 0; x < quarterW; x += kTile) {
      std::array<PixelRect, 4> rects;
      rects[0] = {x, y, std::min(quarterW, x + kTile), std::min(quarterH, y + kTile)};
      for (size_t k = 1; k < 4; ++k) rects[k] = TurnedRect(rects[k - 1], clockwise, n, n);
      for (size_t k = 0; k < 4; ++k) LoadTile(tiles[k], px, rects[k]);
      for (size_t k = 0; k < 4; ++k) StoreTurned(tiles[k], rects[k], px, clockwise, n, n);
    }
  }
}

void TurnHalf(const PixelBuffer& px) {
  if (px.width <= 0 || px.height <= 0) return;
  const size_t w = static_cast<size_t>(px.width);
  for (int32_t top = 0, bottom = px.height - 1; top < bottom; ++top, --bottom)
    ReverseSwapSpans(px.Row(top), px.Row(bottom), w);
  if (px.height % 2 == 1) ReversePixelSpan(px.Row(px.height / 2), w);
}

}  // namespace veilo
