#include "formats/rle8.h"

#include <algorithm>
#include <cstring>

namespace veilo {

void DecodeRle8(std::span<const uint8_t> encoded, std::span<uint8_t> pixels, size_t stride) {
  const size_t end = pixels.size();
  if (stride == 0) return;
  size_t in = 0;
  size_t pos = 0;  // write position within pixels
  size_t row = 0;
  while (in + 2 <= encoded.size() && pos < end) {
    const uint8_t first = encoded[in];
    const uint8_t second = encoded[in + 1];
    in += 2;
    if (first != 0) {  // encoded run: `first` copies of `second`
      const size_t n = std::min<size_t>(first, end - pos);
      std::memset(pixels.data() + pos, second, n);
      pos += n;
      continue;
    }
    switch (second) {
      case 0:  // end of line
        ++row;
        if (row >= end / stride) return;
        pos = row * stride;
        break;
      case 1:  // end of picture
        return;
      case 2: {  // delta: dx pixels right, dy rows up
        if (in + 2 > encoded.size()) return;
        const size_t dx = encoded[in];
        const size_t dy = encoded[in + 1];
        in += 2;
        row += dy;
        pos += dx + dy * stride;
        break;
      }
      default: {  // absolute run of `second` bytes, padded to an even length
        const size_t n = second;
        const size_t copied = std::min({n, encoded.size() - in, end - pos});
        std::memcpy(pixels.data() + pos, encoded.data() + in, copied);
        pos += n;
        in += n + (n & 1);
        if (in > encoded.size()) return;
        break;
      }
    }
  }
}

}  // namespace veilo
