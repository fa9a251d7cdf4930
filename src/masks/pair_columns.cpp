#include "masks/pair_columns.h"

#include <algorithm>
#include <bit>
#include <new>

#include "masks/border_line.h"

namespace veilo {
namespace {

// Bits set in v; plain arithmetic, as the baseline instruction set has no
// population count.
inline int32_t CountBits(uint64_t v) {
  v = v - ((v >> 1) & 0x5555555555555555u);
  v = (v & 0x3333333333333333u) + ((v >> 2) & 0x3333333333333333u);
  v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return static_cast<int32_t>((v * 0x0101010101010101u) >> 56);
}

// Channel differences of a row of pixels against their partners, capped at
// one more than the threshold: a capped difference alone already exceeds it,
// and three of them still fit a byte.
inline void CappedDifferences(const uint8_t* __restrict a, const uint8_t* __restrict b, int32_t bytes,
                              uint8_t* __restrict out) {
  constexpr uint8_t kCap = kPixelDifferenceThreshold + 1;
  for (int32_t i = 0; i < bytes; ++i) {
    const uint8_t d = static_cast<uint8_t>(a[i] > b[i] ? a[i] - b[i] : b[i] - a[i]);
    out[i] = d < kCap ? d : kCap;
  }
}

// Sets `bit` in flags[i] when the three differences from byte i on add up to
// more than the threshold; at every third byte (a pixel's first channel) that
// is the pixel's flag, the bytes in between are never read. Plain byte loops,
// so that they vectorise.
inline void MarkDifferingPixels(const uint8_t* __restrict diff, int32_t bytes, uint8_t bit,
                                uint8_t* __restrict flags) {
  for (int32_t i = 0; i < bytes; ++i) {
    const uint8_t sum = static_cast<uint8_t>(diff[i] + diff[i + 1] + diff[i + 2]);
    flags[i] = static_cast<uint8_t>(flags[i] | (sum > kPixelDifferenceThreshold ? bit : 0));
  }
}

}  // namespace

bool PairColumns::Build(const PixelBuffer& pic, int32_t firstCol, int32_t lastCol, int32_t firstRow,
                        int32_t lastRow, ptrdiff_t partner) {
  bytes_.reset();
  const int32_t columns = lastCol - firstCol + 1, rows = lastRow - firstRow + 1;
  if (columns <= 0 || rows <= 0) return false;
  // Nine spare bytes per column let Window read past the last row's byte.
  const int32_t bytesPerColumn = (rows + 7) / 8 + 9;
  const int32_t rowBytes = 3 * columns;
  std::unique_ptr<uint8_t[]> bytes(
      new (std::nothrow) uint8_t[static_cast<size_t>(columns) * static_cast<size_t>(bytesPerColumn)]());
  std::unique_ptr<uint8_t[]> diff(new (std::nothrow) uint8_t[static_cast<size_t>(rowBytes) + 2]());
  std::unique_ptr<uint8_t[]> flags(new (std::nothrow) uint8_t[static_cast<size_t>(rowBytes)]);
  if (!bytes || !diff || !flags) return false;

  // Eight rows at a time into one byte per column, reading along the rows.
  for (int32_t group = 0; group * 8 < rows; ++group) {
    std::fill(flags.get(), flags.get() + rowBytes, uint8_t{0});
    const int32_t groupRows = std::min(8, rows - group * 8);
    for (int32_t t = 0; t < groupRows; ++t) {
      const uint8_t* row = pic.At(firstCol, firstRow + group * 8 + t);
      CappedDifferences(row, row + partner, rowBytes, diff.get());
      MarkDifferingPixels(diff.get(), rowBytes, static_cast<uint8_t>(1u << t), flags.get());
    }
    uint8_t* out = bytes.get() + group;
    for (int32_t c = 0; c < columns; ++c, out += bytesPerColumn) *out = flags[3 * static_cast<size_t>(c)];
  }
  bytes_ = std::move(bytes);
  firstCol_ = firstCol;
  firstRow_ = firstRow;
  bytesPerColumn_ = bytesPerColumn;
  return true;
}

uint64_t PairColumns::Window(int32_t c, int32_t from, int32_t count) const {
  const int32_t bit = from - firstRow_;
  const uint8_t* at = bytes_.get() + static_cast<size_t>(c - firstCol_) * bytesPerColumn_ + (bit >> 3);
  const int32_t shift = bit & 7;
  uint64_t word = 0;  // eight bytes, lowest first (one load on the usual machines)
  for (int32_t i = 0; i < 8; ++i) word |= uint64_t{at[i]} << (8 * i);
  uint64_t bits = word >> shift;
  if (shift != 0) bits |= uint64_t{at[8]} << (64 - shift);
  return count == 64 ? bits : bits & ((uint64_t{1} << count) - 1);
}

int32_t PairColumns::HighestDifferingRow(int32_t c, int32_t low, int32_t high) const {
  while (high >= low) {
    const int32_t count = std::min(64, high - low + 1);
    const int32_t from = high - count + 1;
    const uint64_t bits = Window(c, from, count);
    if (bits != 0) return from + 63 - std::countl_zero(bits);
    high = from - 1;
  }
  return low - 1;
}

bool PairColumns::BorderPassesUpward(int32_t c, int32_t start, int32_t n) const {
  if (n <= 0) return false;
  // Up to pair 66 only the miss count matters (see BorderPasses).
  const int32_t settled = std::min(n, kFirstRatioCheck);
  int32_t misses = 0;
  for (int32_t done = 0; done < settled;) {
    const int32_t count = std::min(64, settled - done);
    misses += count - CountBits(Window(c, start - done - count + 1, count));
    done += count;
  }
  if (5 * misses > settled) return false;
  // Then after every pair; a window whose misses cannot fail even its first
  // pair is passed whole.
  for (int32_t m = settled; m < n;) {
    const int32_t count = std::min(64, n - m);
    const int32_t from = start - m - count + 1;
    const uint64_t bits = Window(c, from, count);
    const int32_t windowMisses = count - CountBits(bits);
    if (5 * (misses + windowMisses) <= m + 1) {
      misses += windowMisses;
      m += count;
      continue;
    }
    for (int32_t t = count - 1; t >= 0; --t) {
      ++m;
      if ((bits >> t) & 1) continue;
      if (5 * ++misses > m) return false;
    }
  }
  return true;
}

}  // namespace veilo
