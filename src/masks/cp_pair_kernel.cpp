#include "masks/cp_pair_kernel.h"

#include "masks/pixel_shuffle.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define VEILO_CP_SHUFFLE 1
#else
#define VEILO_CP_SHUFFLE 0
#endif

namespace veilo {

#if VEILO_CP_SHUFFLE

namespace {

// A memory row of a block is 24 bytes: 8 pixels, blue, green, red each.
// Bytes 0..15 (five pixels and the blue of the sixth) and bytes 16..23 (the
// rest of the sixth pixel and two more) each hold whole red/green pairs, so
// each half is recoloured by one shuffle of its own.

#define VEILO_TARGET __attribute__((target("ssse3")))

VEILO_TARGET inline __m128i Bytes(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4, uint8_t b5,
                                  uint8_t b6, uint8_t b7, uint8_t b8, uint8_t b9, uint8_t b10, uint8_t b11,
                                  uint8_t b12, uint8_t b13, uint8_t b14, uint8_t b15) {
  return _mm_setr_epi8(static_cast<char>(b0), static_cast<char>(b1), static_cast<char>(b2), static_cast<char>(b3),
                       static_cast<char>(b4), static_cast<char>(b5), static_cast<char>(b6), static_cast<char>(b7),
                       static_cast<char>(b8), static_cast<char>(b9), static_cast<char>(b10), static_cast<char>(b11),
                       static_cast<char>(b12), static_cast<char>(b13), static_cast<char>(b14),
                       static_cast<char>(b15));
}

constexpr uint8_t kZero = 0x80;  // a shuffle index giving 0

struct Row {
  __m128i head, tail;  // bytes 0..15; bytes 16..23 in the low half
};

struct Masks {
  __m128i swapHead, swapTail;  // red and green exchanged in place
  __m128i widen;               // 4 pixels to 4 words (red and green exchanged), the 4th byte 0
  __m128i narrow;              // 4 words back to 12 bytes
  __m128i ones;
};

VEILO_TARGET inline Masks MakeMasks() {
  return {Bytes(0, 2, 1, 3, 5, 4, 6, 8, 7, 9, 11, 10, 12, 14, 13, 15),
          Bytes(1, 0, 2, 4, 3, 5, 7, 6, kZero, kZero, kZero, kZero, kZero, kZero, kZero, kZero),
          Bytes(0, 2, 1, kZero, 3, 5, 4, kZero, 6, 8, 7, kZero, 9, 11, 10, kZero),
          Bytes(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, kZero, kZero, kZero, kZero), _mm_set1_epi8(-1)};
}

VEILO_TARGET inline Row LoadRow(const uint8_t* p) {
  return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 16))};
}

VEILO_TARGET inline void StoreRow(uint8_t* p, __m128i head, __m128i tail) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), head);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 16), tail);
}

// Transposes four rows of four 32-bit words.
VEILO_TARGET inline void Transpose4(__m128i& r0, __m128i& r1, __m128i& r2, __m128i& r3) {
  const __m128i t0 = _mm_unpacklo_epi32(r0, r1), t1 = _mm_unpacklo_epi32(r2, r3);
  const __m128i t2 = _mm_unpackhi_epi32(r0, r1), t3 = _mm_unpackhi_epi32(r2, r3);
  r0 = _mm_unpacklo_epi64(t0, t1);
  r1 = _mm_unpackhi_epi64(t0, t1);
  r2 = _mm_unpacklo_epi64(t2, t3);
  r3 = _mm_unpackhi_epi64(t2, t3);
}

// A whole block, recoloured, as it is to be written: rows[m] is memory row m.
struct Block {
  __m128i head[8], tail[8];
};

VEILO_TARGET inline Block Recoloured(const uint8_t* p, size_t stride, const Masks& k) {
  Block out;
  for (int m = 0; m < 8; ++m, p += stride) {
    const Row r = LoadRow(p);
    out.head[m] = _mm_xor_si128(_mm_shuffle_epi8(r.head, k.swapHead), k.ones);
    out.tail[m] = _mm_xor_si128(_mm_shuffle_epi8(r.tail, k.swapTail), k.ones);
  }
  return out;
}

// Memory row m of the transposed block, pixel j, is the old memory row 7-j,
// pixel 7-m (picture rows run the other way). With the rows taken in reverse
// order that is a plain transposition of 8x8 words followed by a reversal of
// the rows.
VEILO_TARGET inline Block TransposedRecoloured(const uint8_t* p, size_t stride, const Masks& k) {
  __m128i lo[8], hi[8];  // row j of the reversed block: pixels 0..3 and 4..7 as words
  for (int m = 0; m < 8; ++m, p += stride) {
    const Row r = LoadRow(p);
    lo[7 - m] = _mm_shuffle_epi8(r.head, k.widen);
    hi[7 - m] = _mm_shuffle_epi8(_mm_alignr_epi8(r.tail, r.head, 12), k.widen);
  }
  // The four 4x4 quarters: the top right and bottom left trade places.
  Transpose4(lo[0], lo[1], lo[2], lo[3]);
  Transpose4(hi[0], hi[1], hi[2], hi[3]);
  Transpose4(lo[4], lo[5], lo[6], lo[7]);
  Transpose4(hi[4], hi[5], hi[6], hi[7]);
  Block out;
  for (int i = 0; i < 8; ++i) {
    // Transposed row i: pixels 0..3 from lo[] of the top quarters, 4..7 from the bottom.
    const __m128i first = i < 4 ? lo[i] : hi[i - 4];
    const __m128i second = i < 4 ? lo[i + 4] : hi[i];
    const __m128i a = _mm_shuffle_epi8(first, k.narrow), b = _mm_shuffle_epi8(second, k.narrow);
    out.head[7 - i] = _mm_xor_si128(_mm_or_si128(a, _mm_slli_si128(b, 12)), k.ones);
    out.tail[7 - i] = _mm_xor_si128(_mm_srli_si128(b, 4), k.ones);
  }
  return out;
}

VEILO_TARGET inline void StoreBlock(uint8_t* p, size_t stride, const Block& b) {
  for (int m = 0; m < 8; ++m, p += stride) StoreRow(p, b.head[m], b.tail[m]);
}

VEILO_TARGET void ExchangePair(uint8_t* a, uint8_t* b, size_t stride, bool transpose) {
  const Masks k = MakeMasks();
  // Both blocks are read before either is written: a may equal b.
  if (transpose) {
    const Block fromA = TransposedRecoloured(a, stride, k), fromB = TransposedRecoloured(b, stride, k);
    StoreBlock(a, stride, fromB);
    StoreBlock(b, stride, fromA);
  } else {
    const Block fromA = Recoloured(a, stride, k), fromB = Recoloured(b, stride, k);
    StoreBlock(a, stride, fromB);
    StoreBlock(b, stride, fromA);
  }
}

#undef VEILO_TARGET

}  // namespace

#endif

bool ExchangeCpPair8Shuffled(uint8_t* a, uint8_t* b, size_t stride, bool transpose) {
#if VEILO_CP_SHUFFLE
  if (!ByteShuffleAvailable()) return false;
  ExchangePair(a, b, stride, transpose);
  return true;
#else
  (void)a;
  (void)b;
  (void)stride;
  (void)transpose;
  return false;
#endif
}

}  // namespace veilo
