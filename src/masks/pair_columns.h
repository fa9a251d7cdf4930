#pragma once
// Difference flags of vertical runs of pixel pairs, stored per column as bits
// over the rows, so that walks along a column read consecutive memory
// instead of one picture row per step. Filled row by row.
#include <cstdint>
#include <memory>

#include "doc/pixel_buffer.h"

namespace veilo {

class PairColumns {
 public:
  // Flags for the pairs of pixel (c, r) and the pixel `partner` bytes away,
  // for columns firstCol .. lastCol and rows firstRow .. lastRow. False (and
  // empty) when memory runs out; the caller then reads the pixels directly.
  bool Build(const PixelBuffer& pic, int32_t firstCol, int32_t lastCol, int32_t firstRow, int32_t lastRow,
             ptrdiff_t partner);
  bool Built() const { return bytes_ != nullptr; }

  // The highest row in [low, high] of column c whose pair differs; low - 1
  // when there is none.
  int32_t HighestDifferingRow(int32_t c, int32_t low, int32_t high) const;

  // The border rule of BorderPasses for the n pairs of column c at rows
  // start, start - 1, ..., start - n + 1, examined in that order.
  bool BorderPassesUpward(int32_t c, int32_t start, int32_t n) const;

 private:
  // `count` (1..64) flags from row `from` upward in index: bit t is row from + t.
  uint64_t Window(int32_t c, int32_t from, int32_t count) const;

  // Per column, one bit per row, eight rows to a byte, lowest row first.
  std::unique_ptr<uint8_t[]> bytes_;
  int32_t firstCol_ = 0, firstRow_ = 0;
  int32_t bytesPerColumn_ = 0;
};

}  // namespace veilo
