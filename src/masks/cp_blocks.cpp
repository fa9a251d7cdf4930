// The pixel work of the CP mask: block pairs exchanged (and transposed), then
// one colour pass over the area.
#include <cstring>
#include <new>
#include <utility>

#include "masks/block_grid.h"
#include "masks/cp_mask.h"

namespace veilo {

void TransposeBlock(const PixelBuffer& px, int32_t x, int32_t y, int32_t size) {
  for (int32_t r = 0; r < size; ++r) {
    uint8_t* row = px.At(x, y + r);
    for (int32_t c = r + 1; c < size; ++c) {
      uint8_t* a = row + 3 * static_cast<size_t>(c);
      uint8_t* b = px.At(x + r, y + c);
      std::swap(a[0], b[0]);
      std::swap(a[1], b[1]);
      std::swap(a[2], b[2]);
    }
  }
}

namespace {

// Exchanges two distinct blocks row by row through a one-row buffer.
void SwapBlocks(const PixelBuffer& px, const BlockGrid& g, int64_t a, int64_t b, uint8_t* rowBuffer) {
  const size_t rowBytes = 3 * static_cast<size_t>(g.size);
  const int32_t ax = g.BlockX(a), ay = g.BlockY(a);
  const int32_t bx = g.BlockX(b), by = g.BlockY(b);
  for (int32_t r = 0; r < g.size; ++r) {
    uint8_t* pa = px.At(ax, ay + r);
    uint8_t* pb = px.At(bx, by + r);
    std::memcpy(rowBuffer, pa, rowBytes);
    std::memcpy(pa, pb, rowBytes);
    std::memcpy(pb, rowBuffer, rowBytes);
  }
}

// Red and green exchanged over the whole area and, inside the block region,
// every channel inverted: both in one pass, as the two steps commute.
void CpColourPass(const PixelBuffer& px, const PixelRect& area, const PixelRect& region) {
  for (int32_t y = area.top; y < area.bottom; ++y) {
    uint8_t* p = px.At(area.left, y);
    int32_t x = area.left;
    if (y >= region.top && y < region.bottom) {
      for (; x < region.right; ++x, p += 3) {
        const uint8_t green = p[kGreen];
        p[kBlue] = static_cast<uint8_t>(~p[kBlue]);
        p[kGreen] = static_cast<uint8_t>(~p[kRed]);
        p[kRed] = static_cast<uint8_t>(~green);
      }
    }
    for (; x < area.right; ++x, p += 3) std::swap(p[kGreen], p[kRed]);
  }
}

}  // namespace

BlockMaskResult ApplyCpMask(const PixelBuffer& px, const PixelRect& area, int32_t blockSize,
                            std::string_view code) {
  const PixelRect clipped = px.Clip(area);
  const BlockGrid grid = MakeBlockGrid(clipped, blockSize);
  const int64_t n = grid.Count();
  if (n == 0) return BlockMaskResult::kNoBlocks;
  if (!IsValidCpCode(code)) return BlockMaskResult::kInvalidCode;
  if (n > INT32_MAX) return BlockMaskResult::kNoMemory;
  std::vector<int32_t> r;
  std::vector<uint8_t> rowBuffer;
  try {
    r = CpPermutation(static_cast<int32_t>(n), code);
    rowBuffer.resize(3 * static_cast<size_t>(blockSize));
  } catch (const std::bad_alloc&) {
    return BlockMaskResult::kNoMemory;
  }

  // Pairs from both ends of R; they are disjoint, so every step undoes itself.
  for (int64_t j = 0; j < n - 1 - j; ++j) {
    const int32_t a = r[static_cast<size_t>(n - 1 - j)];
    const int32_t b = r[static_cast<size_t>(j)];
    if ((a ^ b) & 1) {
      TransposeBlock(px, grid.BlockX(a), grid.BlockY(a), blockSize);
      TransposeBlock(px, grid.BlockX(b), grid.BlockY(b), blockSize);
    }
    SwapBlocks(px, grid, a, b, rowBuffer.data());
  }
  CpColourPass(px, clipped, grid.Region());
  return BlockMaskResult::kApplied;
}

}  // namespace veilo
