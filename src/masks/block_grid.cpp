#include "masks/block_grid.h"

#include <algorithm>
#include <memory>
#include <new>

#include "masks/block_rows.h"

namespace veilo {

BlockGrid MakeBlockGrid(const PixelRect& area, int32_t blockSize) {
  BlockGrid g;
  g.left = area.left;
  g.top = area.top;
  g.size = blockSize;
  if (blockSize < 1 || area.Empty()) return g;
  g.cols = area.Width() / blockSize;
  g.rows = area.Height() / blockSize;
  if (g.cols == 0 || g.rows == 0) g.cols = g.rows = 0;
  return g;
}

namespace {

using block_rows::BlockBase;
using block_rows::CopyRow;

// Uses `seen` (all clear on entry and on return) to check target.
bool IsPermutation(const std::vector<int32_t>& target, int64_t n, uint8_t* seen) {
  bool ok = static_cast<int64_t>(target.size()) == n;
  for (size_t i = 0; ok && i < target.size(); ++i) {
    const int32_t t = target[i];
    ok = t >= 0 && t < n && !seen[static_cast<size_t>(t)];
    if (ok) seen[static_cast<size_t>(t)] = 1;
  }
  std::fill(seen, seen + n, uint8_t{0});
  return ok;
}

// The three kinds of copy of the cycle mover; x XORs every byte (0 or ~0).
void CopyBlock(const PixelBuffer& px, const BlockGrid& g, int64_t from, int64_t to, uint64_t x) {
  const size_t rowBytes = 3 * static_cast<size_t>(g.size);
  const uint8_t* src = BlockBase(px, g, from);
  uint8_t* dst = BlockBase(px, g, to);
  for (int32_t r = 0; r < g.size; ++r, src += px.stride, dst += px.stride) CopyRow(dst, src, rowBytes, x);
}

void SaveBlock(const PixelBuffer& px, const BlockGrid& g, int64_t k, uint8_t* buffer) {
  const size_t rowBytes = 3 * static_cast<size_t>(g.size);
  const uint8_t* src = BlockBase(px, g, k);
  for (int32_t r = 0; r < g.size; ++r, src += px.stride, buffer += rowBytes) CopyRow(buffer, src, rowBytes, 0);
}

void RestoreBlock(const PixelBuffer& px, const BlockGrid& g, int64_t k, const uint8_t* buffer, uint64_t x) {
  const size_t rowBytes = 3 * static_cast<size_t>(g.size);
  uint8_t* dst = BlockBase(px, g, k);
  for (int32_t r = 0; r < g.size; ++r, dst += px.stride, buffer += rowBytes) CopyRow(dst, buffer, rowBytes, x);
}

// How many cycle steps ahead a block is fetched: enough to hide a trip to
// memory, few enough to stay in the first-level cache.
constexpr size_t kPrefetchDistance = 8;

}  // namespace

bool MoveBlocks(const PixelBuffer& px, const BlockGrid& grid, const std::vector<int32_t>& target,
                bool invertMoved) {
  const int64_t n = grid.Count();
  if (n > INT32_MAX) return false;
  // Everything is allocated before the first block moves; a picture too big
  // for the working lists is refused like any other allocation failure.
  const size_t blocks = static_cast<size_t>(n);
  const size_t blockBytes = 3 * static_cast<size_t>(grid.size) * static_cast<size_t>(grid.size);
  const std::unique_ptr<uint8_t[]> visited(new (std::nothrow) uint8_t[blocks]());
  const std::unique_ptr<int32_t[]> cycle(new (std::nothrow) int32_t[blocks]);
  const std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[blockBytes]);
  if (!visited || !cycle || !buffer) return false;
  if (!IsPermutation(target, n, visited.get())) return false;
  if (n < 2) return true;
  const uint64_t x = invertMoved ? ~uint64_t{0} : 0;

  for (int32_t start = 0; start < n; ++start) {
    if (visited[static_cast<size_t>(start)]) continue;
    // Short cycles (pairs) end quickly: fetch a later start and its target.
    if (static_cast<size_t>(start) + kPrefetchDistance < static_cast<size_t>(n)) {
      const int32_t ahead = start + static_cast<int32_t>(kPrefetchDistance);
      block_rows::PrefetchBlock(px, grid, ahead);
      block_rows::PrefetchBlock(px, grid, target[static_cast<size_t>(ahead)]);
    }
    size_t m = 0;
    for (int32_t b = start; !visited[static_cast<size_t>(b)]; b = target[static_cast<size_t>(b)]) {
      visited[static_cast<size_t>(b)] = 1;
      cycle[m++] = b;
    }
    if (m == 1) continue;
    // Block b(j) goes to b(j+1): walk the cycle backwards so that every
    // block is read before it is overwritten; only b0 needs the buffer.
    SaveBlock(px, grid, cycle[0], buffer.get());
    CopyBlock(px, grid, cycle[m - 1], cycle[0], x);
    for (size_t j = m - 1; j >= 2; --j) {
      if (j > kPrefetchDistance + 1) block_rows::PrefetchBlock(px, grid, cycle[j - 1 - kPrefetchDistance]);
      CopyBlock(px, grid, cycle[j - 1], cycle[j], x);
    }
    RestoreBlock(px, grid, cycle[1], buffer.get(), x);
  }
  return true;
}

}  // namespace veilo
