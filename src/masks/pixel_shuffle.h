#pragma once
// Byte-shuffle kernels for the masks that move bytes within a row: blocks of
// 16 pixels (48 bytes) rearranged by a fixed table, and pixel reversal. They
// use the processor's byte shuffle where it has one; otherwise the callers'
// plain loops do the work (Apply returns false, the span helpers fall back).
#include <array>
#include <cstddef>
#include <cstdint>

namespace veilo {

inline constexpr size_t kBlockPixels = 16;
inline constexpr size_t kBlockBytes = 3 * kBlockPixels;

// True when the byte-shuffle kernels can run on this processor.
bool ByteShuffleAvailable();
// Makes every caller take its plain loops, so that tests cover both ways.
void DisableByteShuffleForTesting(bool disabled);

class BlockShuffle {
 public:
  // masks[k][m]: which bytes of input vector m go to output vector k.
  using Masks = std::array<std::array<std::array<uint8_t, 16>, 3>, 3>;

  // from[j]: the byte of a block that byte j takes, 0..47.
  explicit BlockShuffle(const std::array<uint8_t, kBlockBytes>& from);
  // Rearranges `blocks` consecutive blocks starting at p in place. False,
  // with nothing changed, when the kernels cannot run here.
  bool Apply(uint8_t* p, size_t blocks) const;
  const Masks& masks() const { return masks_; }

 private:
  Masks masks_{};
};

// Reverses the order of `count` pixels in place.
void ReversePixelSpan(uint8_t* first, size_t count);

// Afterwards a holds the old b reversed and b the old a reversed (count
// pixels each, the spans must not overlap).
void ReverseSwapSpans(uint8_t* a, uint8_t* b, size_t count);

}  // namespace veilo
