#include "masks/border_line.h"

#include <new>

namespace veilo {

BorderLine::BorderLine(int32_t capacity)
    : prefix_(new (std::nothrow) int32_t[static_cast<size_t>(capacity) + 1]),
      minimum_(new (std::nothrow) int32_t[static_cast<size_t>(capacity) + 1]),
      capacity_(capacity) {
  if (!prefix_ || !minimum_) {
    prefix_.reset();
    minimum_.reset();
  }
}

void BorderLine::CountLine() {
  if (prefix_ == nullptr || length_ > capacity_) return;
  int32_t misses = 0, lowest = 0;
  prefix_[0] = minimum_[0] = 0;
  ptrdiff_t offset = 0;
  for (int32_t t = 0; t < length_; ++t, offset += step_) {
    misses += PixelsDiffer(end_ + offset, end_ + offset + partner_) ? 0 : 1;
    prefix_[t + 1] = misses;
    const int32_t g = 5 * misses - (t + 1);
    if (g < lowest) lowest = g;
    minimum_[t + 1] = lowest;
  }
  counted_ = true;
}

}  // namespace veilo
