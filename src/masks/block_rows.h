#pragma once
// Row work inside the blocks of the block masks (Meko, FL, CP): addressing,
// word-sized row copies and prefetching, shared by their movers. The usual
// block sizes (8 and 16 pixels) are compiled with the size known, so that a
// block row is a few 64-bit moves rather than a library call.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "doc/pixel_buffer.h"
#include "masks/block_grid.h"

namespace veilo::block_rows {

// The block's lowest row in memory (its bottom picture row, as rows are
// stored bottom-up); the block's other rows follow at +stride each.
inline uint8_t* BlockBase(const PixelBuffer& px, const BlockGrid& g, int64_t k) {
  const auto index = static_cast<int32_t>(k);
  const int32_t by = index / g.cols, bx = index - by * g.cols;
  return px.At(g.left + bx * g.size, g.top + by * g.size + g.size - 1);
}

// Copies one row of kBytes bytes (a multiple of 8; 0: `bytes` at run time),
// XORing every byte with the low byte of x (x is 0 or all ones).
template <size_t kBytes>
inline void CopyRow(uint8_t* dst, const uint8_t* src, size_t bytes, uint64_t x) {
  if constexpr (kBytes != 0) {
    static_assert(kBytes % 8 == 0);
    for (size_t i = 0; i < kBytes; i += 8) {
      uint64_t w;
      std::memcpy(&w, src + i, 8);
      w ^= x;
      std::memcpy(dst + i, &w, 8);
    }
  } else {
    std::memmove(dst, src, bytes);
    if (x != 0)
      for (size_t i = 0; i < bytes; ++i) dst[i] = static_cast<uint8_t>(dst[i] ^ x);
  }
}

inline void CopyRow(uint8_t* dst, const uint8_t* src, size_t bytes, uint64_t x) {
  switch (bytes) {
    case 24: return CopyRow<24>(dst, src, bytes, x);
    case 48: return CopyRow<48>(dst, src, bytes, x);
    default: return CopyRow<0>(dst, src, bytes, x);
  }
}

// Exchanges two rows of kBytes bytes (0: `bytes` at run time, through tmp),
// XORing both with x on the way.
template <size_t kBytes>
inline void SwapRows(uint8_t* a, uint8_t* b, size_t bytes, uint64_t x, uint8_t* tmp) {
  if constexpr (kBytes != 0) {
    // Word by word: whole-row moves through a local array make the
    // compiler mix store and load widths, which stalls the stores.
    for (size_t i = 0; i < kBytes; i += 8) {
      uint64_t wa, wb;
      std::memcpy(&wa, a + i, 8);
      std::memcpy(&wb, b + i, 8);
      wa ^= x;
      wb ^= x;
      std::memcpy(a + i, &wb, 8);
      std::memcpy(b + i, &wa, 8);
    }
  } else {
    std::memcpy(tmp, a, bytes);
    CopyRow<0>(a, b, bytes, x);
    CopyRow<0>(b, tmp, bytes, x);
  }
}

// Calls run.template operator()<kPixels>() with the block size as a
// compile-time constant for 8 and 16 pixels, and 0 (size at run time)
// otherwise.
template <class Run>
inline auto WithBlockSize(int32_t size, Run&& run) {
  switch (size) {
    case 8: return run.template operator()<8>();
    case 16: return run.template operator()<16>();
    default: return run.template operator()<0>();
  }
}

// Asks the cache for a line that will be needed soon. An asm statement
// rather than __builtin_prefetch: GCC deletes a loop of those builtins once
// it is inlined, as they have no visible effect.
inline void PrefetchLine(const uint8_t* p) {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
  asm volatile("prefetcht0 %0" : : "m"(*p));
#else
  (void)p;
#endif
}

// Asks the cache for every row of a block that will be needed soon.
inline void PrefetchBlock(const PixelBuffer& px, const BlockGrid& g, int64_t k) {
  const uint8_t* row = BlockBase(px, g, k);
  const size_t last = 3 * static_cast<size_t>(g.size) - 1;
  for (int32_t r = 0; r < g.size; ++r, row += px.stride) {
    PrefetchLine(row);
    PrefetchLine(row + last);
  }
}

}  // namespace veilo::block_rows
