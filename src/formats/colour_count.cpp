#include "formats/colour_count.h"

#include <bit>
#include <memory>
#include <new>

#include "platform/shell_notifications.h"

namespace veilo {

namespace {

constexpr size_t kColourWords = (size_t{1} << 24) / 64;  // one bit per 24-bit colour

inline uint32_t ColourKey(const uint8_t* bgr) {
  return uint32_t{bgr[0]} | (uint32_t{bgr[1]} << 8) | (uint32_t{bgr[2]} << 16);
}

uint32_t CountAll(uint64_t* seen, const PixelBuffer& pixels) {
  for (int32_t y = 0; y < pixels.height; ++y) {
    const uint8_t* p = pixels.Row(y);
    for (int32_t x = 0; x < pixels.width; ++x, p += 3) {
      const uint32_t key = ColourKey(p);
      seen[key >> 6] |= uint64_t{1} << (key & 63);
    }
  }
  uint64_t count = 0;
  for (size_t i = 0; i < kColourWords; ++i) count += static_cast<uint64_t>(std::popcount(seen[i]));
  return static_cast<uint32_t>(count);
}

uint32_t CountUpTo(uint64_t* seen, const PixelBuffer& pixels, uint32_t limit) {
  uint32_t count = 0;
  // Stored order: bottom row first.
  for (int32_t y = pixels.height - 1; y >= 0; --y) {
    const uint8_t* p = pixels.Row(y);
    for (int32_t x = 0; x < pixels.width; ++x, p += 3) {
      const uint32_t key = ColourKey(p);
      uint64_t& word = seen[key >> 6];
      const uint64_t bit = uint64_t{1} << (key & 63);
      if ((word & bit) != 0) continue;
      word |= bit;
      if (++count == limit) return count;
    }
  }
  return count;
}

}  // namespace

uint32_t CountDistinctColours(ShellNotifications& shell, const PixelBuffer& pixels, uint32_t limit) {
  WaitCursor wait(shell);
  std::unique_ptr<uint64_t[]> seen(new (std::nothrow) uint64_t[kColourWords]());
  if (!seen) return 0;
  if (pixels.width <= 0 || pixels.height <= 0) return 0;
  return limit == 0 ? CountAll(seen.get(), pixels) : CountUpTo(seen.get(), pixels, limit);
}

}  // namespace veilo
