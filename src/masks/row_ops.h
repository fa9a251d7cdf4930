#pragma once
// Tight loops over the bytes of one pixel row, shared by the masks. A row span
// is `bytes` bytes starting at a pixel boundary; 3-byte pixels never split.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace veilo {

// 48 bytes = 16 pixels: a whole number of pixels and of 16-byte vectors.
inline constexpr size_t kPatternBytes = 48;
using RowPattern = std::array<uint8_t, kPatternBytes>;

// A pattern holding `value` in the bytes of the chosen channels (bit 0 red =
// third byte, bit 1 green = second, bit 2 blue = first) and 0 elsewhere.
inline RowPattern ChannelPattern(uint8_t channels, uint8_t value) {
  const uint8_t pixel[3] = {
      static_cast<uint8_t>((channels & 4) ? value : 0),
      static_cast<uint8_t>((channels & 2) ? value : 0),
      static_cast<uint8_t>((channels & 1) ? value : 0),
  };
  RowPattern pattern{};
  for (size_t i = 0; i < kPatternBytes; ++i) pattern[i] = pixel[i % 3];
  return pattern;
}

// XORs a row span with the repeating pattern.
inline void XorRow(uint8_t* row, size_t bytes, const RowPattern& pattern) {
  // A local copy cannot alias the row, so the loop vectorises without checks.
  const RowPattern p = pattern;
  size_t i = 0;
  for (; i + kPatternBytes <= bytes; i += kPatternBytes)
    for (size_t j = 0; j < kPatternBytes; ++j) row[i + j] ^= p[j];
  for (size_t j = 0; i < bytes; ++i, ++j) row[i] ^= p[j];
}

// Exchanges two row spans of equal length that do not overlap.
inline void SwapSpans(uint8_t* a, uint8_t* b, size_t bytes) {
  constexpr size_t kChunk = 64;  // a constant size lets the copies become vector moves
  uint8_t tmp[kChunk];
  for (; bytes >= kChunk; bytes -= kChunk, a += kChunk, b += kChunk) {
    std::memcpy(tmp, a, kChunk);
    std::memcpy(a, b, kChunk);
    std::memcpy(b, tmp, kChunk);
  }
  for (size_t i = 0; i < bytes; ++i) {
    const uint8_t t = a[i];
    a[i] = b[i];
    b[i] = t;
  }
}

// Reverses the order of `count` 3-byte pixels in place.
inline void ReversePixels(uint8_t* first, size_t count) {
  if (count < 2) return;
  uint8_t* lo = first;
  uint8_t* hi = first + 3 * (count - 1);
  while (lo < hi) {
    const uint8_t b0 = lo[0], b1 = lo[1], b2 = lo[2];
    lo[0] = hi[0];
    lo[1] = hi[1];
    lo[2] = hi[2];
    hi[0] = b0;
    hi[1] = b1;
    hi[2] = b2;
    lo += 3;
    hi -= 3;
  }
}

// Copies `count` pixels from `src` into `dst` in reverse order (no overlap).
inline void CopyPixelsReversed(uint8_t* dst, const uint8_t* src, size_t count) {
  const uint8_t* s = src + 3 * count;
  for (size_t i = 0; i < count; ++i) {
    s -= 3;
    dst[0] = s[0];
    dst[1] = s[1];
    dst[2] = s[2];
    dst += 3;
  }
}

}  // namespace veilo
