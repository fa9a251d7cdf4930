// The pixel work of the CP mask. Every step of the mask (pair exchanges,
// transpositions, inversion of the block region, red/green exchange of the
// area) acts on whole pixels or on every pixel alike, so they are done in one
// pass: each pair of blocks is read once and written once, already recoloured.
#include <bit>
#include <cstring>
#include <new>
#include <span>
#include <stdexcept>
#include <utility>

#include "masks/block_grid.h"
#include "masks/block_rows.h"
#include "masks/cp_mask.h"
#include "masks/cp_pair_kernel.h"
#include "masks/pixel_shuffle.h"
#include "masks/two_threads.h"

namespace veilo {

static_assert(std::endian::native == std::endian::little, "pixel words are read little-endian");

void TransposeBlock(const PixelBuffer& px, int32_t x, int32_t y, int32_t size) {
  for (int32_t r = 0; r < size; ++r) {
    uint8_t* a = px.At(x + r + 1, y + r);
    for (int32_t c = r + 1; c < size; ++c, a += 3) {
      uint8_t* b = px.At(x + r, y + c);
      uint8_t t[3];
      std::memcpy(t, a, 3);
      std::memcpy(a, b, 3);
      std::memcpy(b, t, 3);
    }
  }
}

namespace {

using block_rows::BlockBase;

constexpr int64_t kPrefetchDistance = 8;

// Eight pixels (24 bytes) as three little-endian words; byte i of the run
// belongs to channel i mod 3 (0 blue, 1 green, 2 red).
struct Run8 {
  uint64_t w[3];
};

constexpr uint64_t ChannelBytes(int word, int channel) {
  uint64_t m = 0;
  for (int i = 8 * word; i < 8 * word + 8; ++i)
    if (i % 3 == channel) m |= uint64_t{0xFF} << (8 * (i % 8));
  return m;
}

inline Run8 LoadRun(const uint8_t* p) {
  Run8 r;
  std::memcpy(&r.w[0], p, 8);
  std::memcpy(&r.w[1], p + 8, 8);
  std::memcpy(&r.w[2], p + 16, 8);
  return r;
}

inline void StoreRun(uint8_t* p, const Run8& r) {
  std::memcpy(p, &r.w[0], 8);
  std::memcpy(p + 8, &r.w[1], 8);
  std::memcpy(p + 16, &r.w[2], 8);
}

// Red and green exchanged in every pixel, then every byte XORed with x (0,
// or all ones to invert): green takes the next byte (red), red the previous
// one (green).
inline Run8 Recolour(const Run8& r, uint64_t x) {
  const uint64_t w0 = r.w[0], w1 = r.w[1], w2 = r.w[2];
  const uint64_t next0 = (w0 >> 8) | (w1 << 56), next1 = (w1 >> 8) | (w2 << 56), next2 = w2 >> 8;
  const uint64_t prev0 = w0 << 8, prev1 = (w1 << 8) | (w0 >> 56), prev2 = (w2 << 8) | (w1 >> 56);
  return {{((w0 & ChannelBytes(0, 0)) | (next0 & ChannelBytes(0, 1)) | (prev0 & ChannelBytes(0, 2))) ^ x,
           ((w1 & ChannelBytes(1, 0)) | (next1 & ChannelBytes(1, 1)) | (prev1 & ChannelBytes(1, 2))) ^ x,
           ((w2 & ChannelBytes(2, 0)) | (next2 & ChannelBytes(2, 1)) | (prev2 & ChannelBytes(2, 2))) ^ x}};
}

// Pixel c of a run as a 24-bit value.
template <int c>
inline uint64_t PixelOf(const Run8& r) {
  constexpr int kWord = 3 * c / 8, kShift = 8 * (3 * c % 8);
  uint64_t v = r.w[kWord] >> kShift;
  if constexpr (kShift > 40) v |= r.w[kWord + 1] << (64 - kShift);
  return v & 0xFFFFFF;
}

inline Run8 MakeRun(uint64_t p0, uint64_t p1, uint64_t p2, uint64_t p3, uint64_t p4, uint64_t p5, uint64_t p6,
                    uint64_t p7) {
  return {{p0 | (p1 << 24) | (p2 << 48), (p2 >> 16) | (p3 << 8) | (p4 << 32) | (p5 << 56),
           (p5 >> 8) | (p6 << 16) | (p7 << 40)}};
}

// An 8x8 block as its memory rows: row 0 is the bottom picture row.
struct Block8 {
  Run8 row[8];
};

// Picture row y of the transposed block is column y of the block, read from
// the top picture row down (memory row 7 first).
template <int y>
inline Run8 TransposedRow(const Block8& b) {
  return MakeRun(PixelOf<y>(b.row[7]), PixelOf<y>(b.row[6]), PixelOf<y>(b.row[5]), PixelOf<y>(b.row[4]),
                 PixelOf<y>(b.row[3]), PixelOf<y>(b.row[2]), PixelOf<y>(b.row[1]), PixelOf<y>(b.row[0]));
}

template <int... y>
inline Block8 Transposed(const Block8& b, std::integer_sequence<int, y...>) {
  Block8 t;
  ((t.row[7 - y] = TransposedRow<y>(b)), ...);
  return t;
}

inline Block8 LoadBlock(const uint8_t* base, size_t stride) {
  Block8 b;
  for (Run8& r : b.row) {
    r = LoadRun(base);
    base += stride;
  }
  return b;
}

inline void StoreRecoloured(uint8_t* base, size_t stride, const Block8& b) {
  for (const Run8& r : b.row) {
    StoreRun(base, Recolour(r, ~uint64_t{0}));
    base += stride;
  }
}

// The 8x8 blocks of the mask: each pair read once into registers and the
// stack, transposed there if need be, written back recoloured.
void ExchangePair8(uint8_t* a, uint8_t* b, size_t stride, bool transpose) {
  Block8 blockA = LoadBlock(a, stride), blockB = LoadBlock(b, stride);
  if (transpose) {
    blockA = Transposed(blockA, std::make_integer_sequence<int, 8>());
    blockB = Transposed(blockB, std::make_integer_sequence<int, 8>());
  }
  StoreRecoloured(a, stride, blockB);
  StoreRecoloured(b, stride, blockA);
}

// Red and green exchanged in a row span, every byte XORed with x.
void RecolourSpan(uint8_t* p, int32_t pixels, uint64_t x) {
  int32_t i = 0;
  for (; i + 8 <= pixels; i += 8, p += 24) StoreRun(p, Recolour(LoadRun(p), x));
  const auto xb = static_cast<uint8_t>(x);
  for (; i < pixels; ++i, p += 3) {
    const uint8_t green = p[kGreen];
    p[kBlue] = static_cast<uint8_t>(p[kBlue] ^ xb);
    p[kGreen] = static_cast<uint8_t>(p[kRed] ^ xb);
    p[kRed] = static_cast<uint8_t>(green ^ xb);
  }
}

// Blocks of any other size, pixel by pixel through a copy of each block
// (only a replayed record could ask for one).
void ExchangePairAnySize(const PixelBuffer& px, const BlockGrid& g, int64_t a, int64_t b, bool transpose,
                         std::vector<uint8_t>& copy) {
  const int32_t s = g.size;
  const size_t rowBytes = 3 * static_cast<size_t>(s);
  uint8_t* const rowsOf[2] = {BlockBase(px, g, a), BlockBase(px, g, b)};
  for (int side = 0; side < 2; ++side)
    for (int32_t r = 0; r < s; ++r)
      std::memcpy(copy.data() + (side * s + r) * rowBytes, rowsOf[side] + r * px.stride, rowBytes);
  // Memory row i of a block is its picture row s-1-i; the transposed block's
  // (row y, column x) is the old (row x, column y).
  for (int side = 0; side < 2; ++side) {
    const uint8_t* from = copy.data() + (1 - side) * s * rowBytes;
    for (int32_t i = 0; i < s; ++i) {
      uint8_t* row = rowsOf[side] + i * px.stride;
      for (int32_t x = 0; x < s; ++x) {
        const int32_t srcRow = transpose ? s - 1 - x : i;
        const int32_t srcCol = transpose ? s - 1 - i : x;
        std::memcpy(row + 3 * x, from + srcRow * rowBytes + 3 * srcCol, 3);
      }
      RecolourSpan(row, s, ~uint64_t{0});
    }
  }
}

// Red and green exchanged in the parts of the area outside the block region.
void RecolourStrips(const PixelBuffer& px, const PixelRect& area, const PixelRect& region) {
  for (int32_t y = area.top; y < area.bottom; ++y) {
    const bool besideBlocks = y < region.bottom;
    const int32_t from = besideBlocks ? region.right : area.left;
    if (from < area.right) {
      RecolourSpan(px.At(from, y), area.right - from, 0);
    }
  }
}

// The first block from which the later half of the pairs is reached. There
// are (n + 1) / 2 pairs, the middle block of an odd count paired with itself.
int64_t SplitOfPairs(std::span<const int32_t> partner) {
  const auto pairs = static_cast<int64_t>(partner.size() + 1) / 2;
  int64_t seen = 0;
  for (size_t k = 0; k < partner.size(); ++k) {
    seen += partner[k] >= static_cast<int32_t>(k);
    if (2 * seen >= pairs) return static_cast<int64_t>(k) + 1;
  }
  return static_cast<int64_t>(partner.size());
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
  // R and the partner table, 8 bytes a block, in one allocation: a running
  // viewer then gets the same memory back for the next mask instead of
  // fresh pages from the system.
  std::vector<int32_t> tables;
  std::vector<uint8_t> copy;  // blocks of sizes other than 8
  try {
    if (blockSize != 8) copy.resize(6 * static_cast<size_t>(blockSize) * static_cast<size_t>(blockSize));
    tables.resize(2 * static_cast<size_t>(n));
    FillCpPermutation(code, std::span<int32_t>(tables.data(), static_cast<size_t>(n)));
  } catch (const std::bad_alloc&) {
    return BlockMaskResult::kNoMemory;
  } catch (const std::length_error&) {
    return BlockMaskResult::kNoMemory;
  }
  const std::span<const int32_t> r(tables.data(), static_cast<size_t>(n));
  const std::span<int32_t> partner(tables.data() + n, static_cast<size_t>(n));
  // The pairs take R's entries from both ends: j with N-1-j. Seen from the
  // blocks, block R[j] pairs with block R[N-1-j]; the middle entry of an odd
  // N pairs with itself and stays.
  for (size_t j = 0; j < r.size(); ++j) partner[static_cast<size_t>(r[j])] = r[r.size() - 1 - j];
  const bool shuffled = ByteShuffleAvailable();
  // Blocks in picture order, each pair once from its first block: one side
  // of every exchange runs through memory in order, the other is fetched
  // ahead of time. A pair of mixed parity is transposed, both blocks.
  auto exchange = [&](int64_t from, int64_t to) {
    for (int64_t k = from; k < to; ++k) {
      if (k + kPrefetchDistance < to) {
        const int32_t ahead = partner[static_cast<size_t>(k + kPrefetchDistance)];
        if (ahead > k + kPrefetchDistance) block_rows::PrefetchBlock(px, grid, ahead);
      }
      const int32_t other = partner[static_cast<size_t>(k)];
      if (other < k) continue;  // done from its partner
      const bool transpose = ((k ^ other) & 1) != 0;
      if (blockSize == 8) {
        // The middle block of an odd count stays: exchanged with itself.
        uint8_t* const a = BlockBase(px, grid, k);
        uint8_t* const b = BlockBase(px, grid, other);
        if (!shuffled || !ExchangeCpPair8Shuffled(a, b, px.stride, transpose))
          ExchangePair8(a, b, px.stride, transpose);
      } else {
        ExchangePairAnySize(px, grid, k, other, transpose, copy);
      }
    }
  };
  if (blockSize == 8) {
    // The pairs are disjoint, so two threads can share them: split where
    // half of the pairs have their first block.
    RunInTwoParts(SplitOfPairs(partner), n, exchange);
  } else {
    exchange(0, n);  // one copy buffer; only a replayed record asks for these sizes
  }
  RecolourStrips(px, clipped, grid.Region());
  return BlockMaskResult::kApplied;
}

}  // namespace veilo
