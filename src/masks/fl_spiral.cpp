#include "masks/fl_mask.h"

namespace veilo {

std::vector<int32_t> FlSpiral(int32_t cols, int32_t rows) {
  if (cols <= 0 || rows <= 0) return {};
  const int64_t n = int64_t{cols} * rows;
  std::vector<int32_t> s;
  s.reserve(static_cast<size_t>(n));
  auto list = [&](int32_t row, int32_t col) {
    if (static_cast<int64_t>(s.size()) < n) s.push_back(static_cast<int32_t>(int64_t{row} * cols + col));
  };
  // Ring by ring from the outside in; each ring starts at its bottom-left
  // block and runs right, up, left, then down. Runs of length 0 or less
  // list nothing, and a one-row or one-column ring is complete after its
  // first runs, so the guard in list() stops before anything repeats.
  for (int32_t ring = 0; static_cast<int64_t>(s.size()) < n; ++ring) {
    const int32_t a = cols - 2 * ring, b = rows - 2 * ring;
    const int32_t bottom = rows - 1 - ring, leftCol = ring;
    const int32_t top = bottom - (b - 1), rightCol = leftCol + (a - 1);
    for (int32_t c = leftCol; c <= rightCol; ++c) list(bottom, c);
    for (int32_t r = bottom - 1; r >= top; --r) list(r, rightCol);
    for (int32_t c = rightCol - 1; c >= leftCol; --c) list(top, c);
    for (int32_t r = top + 1; r <= bottom - 1; ++r) list(r, leftCol);
  }
  return s;
}

}  // namespace veilo
