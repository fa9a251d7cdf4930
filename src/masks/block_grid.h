#pragma once
// Square blocks of an area, numbered left to right, then top to bottom.
#include <cstdint>
#include <vector>

#include "doc/pixel_buffer.h"

namespace veilo {

struct BlockGrid {
  int32_t left = 0, top = 0;  // top-left pixel of block 0
  int32_t size = 0;           // block edge in pixels
  int32_t cols = 0, rows = 0;
  int64_t Count() const { return int64_t{cols} * rows; }
  // The pixels covered by whole blocks.
  PixelRect Region() const { return {left, top, left + cols * size, top + rows * size}; }
  int32_t BlockX(int64_t k) const { return left + size * static_cast<int32_t>(k % cols); }
  int32_t BlockY(int64_t k) const { return top + size * static_cast<int32_t>(k / cols); }
};

// Whole blocks of blockSize anchored at the area's top-left corner; a
// partial block at the right or bottom edge is not part of the grid. An empty
// area or a block size below 1 gives no blocks.
BlockGrid MakeBlockGrid(const PixelRect& area, int32_t blockSize);

// Moves the content of every block x to block target[x]; target is a
// permutation of 0..N-1. Cycles go through one block-sized buffer. With
// invertMoved every block that moves is also colour-inverted on the way
// (blocks that stay keep their colours). Returns false, moving nothing, when
// target is not such a permutation or the working memory (a byte and a block
// number per block) cannot be allocated.
bool MoveBlocks(const PixelBuffer& px, const BlockGrid& grid, const std::vector<int32_t>& target,
                bool invertMoved = false);

}  // namespace veilo
