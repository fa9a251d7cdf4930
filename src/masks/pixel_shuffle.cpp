#include "masks/pixel_shuffle.h"

#include "masks/row_ops.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define VEILO_BYTE_SHUFFLE 1
#else
#define VEILO_BYTE_SHUFFLE 0
#endif

namespace veilo {

namespace {

std::array<uint8_t, kBlockBytes> ReversalTable() {
  std::array<uint8_t, kBlockBytes> from{};
  for (size_t j = 0; j < kBlockBytes; ++j) from[j] = static_cast<uint8_t>(3 * (kBlockPixels - 1 - j / 3) + j % 3);
  return from;
}

const BlockShuffle& Reversal() {
  static const BlockShuffle reversal(ReversalTable());
  return reversal;
}

void ReverseSwapPlain(uint8_t* a, uint8_t* b, size_t count) {
  uint8_t* hi = b + 3 * count;
  for (size_t i = 0; i < count; ++i, a += 3) {
    hi -= 3;
    for (int c = 0; c < 3; ++c) {
      const uint8_t t = a[c];
      a[c] = hi[c];
      hi[c] = t;
    }
  }
}

#if VEILO_BYTE_SHUFFLE

using Masks = BlockShuffle::Masks;

struct Block {
  __m128i v[3];
};

__attribute__((target("ssse3"))) inline Block LoadBlock(const uint8_t* p) {
  return {{_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
           _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)),
           _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32))}};
}

__attribute__((target("ssse3"))) inline void StoreBlock(uint8_t* p, const Block& b) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), b.v[0]);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16), b.v[1]);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 32), b.v[2]);
}

struct MaskRegs {
  __m128i m[3][3];
};

__attribute__((target("ssse3"))) inline MaskRegs LoadMasks(const Masks& masks) {
  MaskRegs r;
  for (int k = 0; k < 3; ++k)
    for (int m = 0; m < 3; ++m) r.m[k][m] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(masks[k][m].data()));
  return r;
}

__attribute__((target("ssse3"))) inline Block ShuffleBlock(const Block& in, const MaskRegs& r) {
  Block out;
  for (int k = 0; k < 3; ++k)
    out.v[k] = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(in.v[0], r.m[k][0]), _mm_shuffle_epi8(in.v[1], r.m[k][1])),
                            _mm_shuffle_epi8(in.v[2], r.m[k][2]));
  return out;
}

__attribute__((target("ssse3"))) void ApplyBlocks(const Masks& masks, uint8_t* p, size_t blocks) {
  const MaskRegs r = LoadMasks(masks);
  for (size_t i = 0; i < blocks; ++i, p += kBlockBytes) StoreBlock(p, ShuffleBlock(LoadBlock(p), r));
}

// The same two blocks at a time: each 256-bit register holds vector k of
// both blocks, one per 128-bit lane, which is how the wide shuffle works.
__attribute__((target("avx2"))) void ApplyBlocksWide(const Masks& masks, uint8_t* p, size_t blocks) {
  __m256i m[3][3];
  for (int k = 0; k < 3; ++k)
    for (int j = 0; j < 3; ++j)
      m[k][j] = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(masks[k][j].data())));
  size_t i = 0;
  for (; i + 2 <= blocks; i += 2, p += 2 * kBlockBytes) {
    __m256i in[3];
    for (int k = 0; k < 3; ++k)
      in[k] = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(p + kBlockBytes + 16 * k),
                                  reinterpret_cast<const __m128i*>(p + 16 * k));
    for (int k = 0; k < 3; ++k) {
      const __m256i out = _mm256_or_si256(
          _mm256_or_si256(_mm256_shuffle_epi8(in[0], m[k][0]), _mm256_shuffle_epi8(in[1], m[k][1])),
          _mm256_shuffle_epi8(in[2], m[k][2]));
      _mm256_storeu2_m128i(reinterpret_cast<__m128i*>(p + kBlockBytes + 16 * k), reinterpret_cast<__m128i*>(p + 16 * k),
                           out);
    }
  }
  if (i < blocks) ApplyBlocks(masks, p, blocks - i);
}

bool WideShuffleAvailable() {
  static const bool available = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return available;
}

// Pairs block i of a with block (last - i) of b, reversing both.
__attribute__((target("ssse3"))) void ReverseSwapBlocks(const Masks& masks, uint8_t* a, uint8_t* bEnd,
                                                         size_t blocks) {
  const MaskRegs r = LoadMasks(masks);
  for (size_t i = 0; i < blocks; ++i) {
    uint8_t* b = bEnd - kBlockBytes * (i + 1);
    uint8_t* left = a + kBlockBytes * i;
    const Block fromA = LoadBlock(left), fromB = LoadBlock(b);
    StoreBlock(left, ShuffleBlock(fromB, r));
    StoreBlock(b, ShuffleBlock(fromA, r));
  }
}

#endif

bool byteShuffleDisabled = false;

}  // namespace

bool ByteShuffleAvailable() {
#if VEILO_BYTE_SHUFFLE
  static const bool available = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") != 0;
  }();
  return available && !byteShuffleDisabled;
#else
  return false;
#endif
}

void DisableByteShuffleForTesting(bool disabled) { byteShuffleDisabled = disabled; }

BlockShuffle::BlockShuffle(const std::array<uint8_t, kBlockBytes>& from) {
  for (size_t k = 0; k < 3; ++k)
    for (size_t m = 0; m < 3; ++m)
      for (size_t j = 0; j < 16; ++j) {
        const size_t source = from[16 * k + j];
        // A set top bit makes the shuffle give 0 for bytes of other vectors.
        masks_[k][m][j] = source / 16 == m ? static_cast<uint8_t>(source % 16) : uint8_t{0x80};
      }
}

bool BlockShuffle::Apply(uint8_t* p, size_t blocks) const {
#if VEILO_BYTE_SHUFFLE
  if (!ByteShuffleAvailable()) return false;
  if (WideShuffleAvailable())
    ApplyBlocksWide(masks_, p, blocks);
  else
    ApplyBlocks(masks_, p, blocks);
  return true;
#else
  (void)p;
  (void)blocks;
  return false;
#endif
}

void ReversePixelSpan(uint8_t* first, size_t count) {
  // Whole blocks from both ends trade places, each reversed; the middle
  // (under two blocks) is reversed pixel by pixel.
  const size_t pairs = ByteShuffleAvailable() ? count / (2 * kBlockPixels) : 0;
#if VEILO_BYTE_SHUFFLE
  if (pairs > 0) ReverseSwapBlocks(Reversal().masks(), first, first + 3 * count, pairs);
#endif
  const size_t done = pairs * kBlockPixels;
  ReversePixels(first + 3 * done, count - 2 * done);
}

void ReverseSwapSpans(uint8_t* a, uint8_t* b, size_t count) {
  const size_t blocks = ByteShuffleAvailable() ? count / kBlockPixels : 0;
#if VEILO_BYTE_SHUFFLE
  if (blocks > 0) ReverseSwapBlocks(Reversal().masks(), a, b + 3 * count, blocks);
#endif
  const size_t done = blocks * kBlockPixels;
  // a's remaining tail pairs with b's remaining head.
  ReverseSwapPlain(a + 3 * done, b, count - done);
}

}  // namespace veilo
