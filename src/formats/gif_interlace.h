#pragma once
// Row order of interlaced GIF images: every 8th row from 0, every 8th from 4,
// every 4th from 2, then every 2nd from 1.
#include <cstdint>

namespace veilo {

// The picture row (from the top) that holds the k-th transmitted row of an
// interlaced image of the given height.
constexpr uint32_t GifInterlacedRow(uint32_t k, uint32_t height) {
  const uint32_t pass1 = (height + 7) / 8;
  const uint32_t pass2 = (height + 3) / 4;
  const uint32_t pass3 = (height + 1) / 2;
  if (k < pass1) return 8 * k;
  if (k < pass2) return 8 * (k - pass1) + 4;
  if (k < pass3) return 4 * (k - pass2) + 2;
  return 2 * (k - pass3) + 1;
}

}  // namespace veilo
