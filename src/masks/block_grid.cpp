#include "masks/block_grid.h"

#include <cstring>

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

bool IsPermutation(const std::vector<int32_t>& target, int64_t n) {
  if (static_cast<int64_t>(target.size()) != n) return false;
  std::vector<uint8_t> seen(target.size(), 0);
  for (const int32_t t : target) {
    if (t < 0 || t >= n || seen[static_cast<size_t>(t)]) return false;
    seen[static_cast<size_t>(t)] = 1;
  }
  return true;
}

// Copies one block's rows to another place (blocks never overlap partly).
void CopyBlock(const PixelBuffer& px, const BlockGrid& g, int64_t from, int64_t to) {
  const size_t rowBytes = 3 * static_cast<size_t>(g.size);
  const int32_t fx = g.BlockX(from), fy = g.BlockY(from);
  const int32_t tx = g.BlockX(to), ty = g.BlockY(to);
  for (int32_t r = 0; r < g.size; ++r) std::memcpy(px.At(tx, ty + r), px.At(fx, fy + r), rowBytes);
}

void SaveBlock(const PixelBuffer& px, const BlockGrid& g, int64_t k, uint8_t* buffer) {
  const size_t rowBytes = 3 * static_cast<size_t>(g.size);
  const int32_t x = g.BlockX(k), y = g.BlockY(k);
  for (int32_t r = 0; r < g.size; ++r) std::memcpy(buffer + r * rowBytes, px.At(x, y + r), rowBytes);
}

void RestoreBlock(const PixelBuffer& px, const BlockGrid& g, int64_t k, const uint8_t* buffer) {
  const size_t rowBytes = 3 * static_cast<size_t>(g.size);
  const int32_t x = g.BlockX(k), y = g.BlockY(k);
  for (int32_t r = 0; r < g.size; ++r) std::memcpy(px.At(x, y + r), buffer + r * rowBytes, rowBytes);
}

}  // namespace

bool MoveBlocks(const PixelBuffer& px, const BlockGrid& grid, const std::vector<int32_t>& target) {
  const int64_t n = grid.Count();
  if (!IsPermutation(target, n)) return false;
  if (n < 2) return true;

  std::vector<uint8_t> visited(static_cast<size_t>(n), 0);
  std::vector<int32_t> cycle;
  cycle.reserve(static_cast<size_t>(n) + 1);
  std::vector<uint8_t> buffer(3 * static_cast<size_t>(grid.size) * static_cast<size_t>(grid.size));

  for (int32_t start = 0; start < n; ++start) {
    if (visited[static_cast<size_t>(start)]) continue;
    cycle.clear();
    for (int32_t b = start; !visited[static_cast<size_t>(b)]; b = target[static_cast<size_t>(b)]) {
      visited[static_cast<size_t>(b)] = 1;
      cycle.push_back(b);
    }
    const size_t m = cycle.size();
    if (m == 1) continue;
    // Block b(j) goes to b(j+1): walk the cycle backwards so that every
    // block is read before it is overwritten; only b0 needs the buffer.
    SaveBlock(px, grid, cycle[0], buffer.data());
    CopyBlock(px, grid, cycle[m - 1], cycle[0]);
    for (size_t j = m - 1; j >= 2; --j) CopyBlock(px, grid, cycle[j - 1], cycle[j]);
    RestoreBlock(px, grid, cycle[1], buffer.data());
  }
  return true;
}

}  // namespace veilo
