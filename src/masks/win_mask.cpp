#include "masks/win_mask.h"

#include <array>
#include <cstring>

#include "masks/mask_log.h"
#include "masks/pixel_shuffle.h"

namespace veilo {

namespace {

constexpr int32_t kStripWidth = 16;

// The permutation is its own inverse, so a strip is rearranged by one copy
// of its 16 pixels taken before any of them moves.
void PermuteStrip(uint8_t* strip) {
  uint8_t old[3 * kStripWidth];
  std::memcpy(old, strip, sizeof old);
  for (int32_t q = 0; q < kStripWidth; ++q)
    std::memcpy(strip + 3 * WinColumnPairs[static_cast<size_t>(q)], old + 3 * q, 3);
}

std::array<uint8_t, kBlockBytes> StripTable() {
  static_assert(kBlockPixels == kStripWidth, "a strip is one shuffle block");
  // Column q moves to WinColumnPairs[q]; the pairs are their own inverse, so
  // position q takes column WinColumnPairs[q].
  std::array<uint8_t, kBlockBytes> table{};
  for (size_t j = 0; j < kBlockBytes; ++j)
    table[j] = static_cast<uint8_t>(3 * static_cast<size_t>(WinColumnPairs[j / 3]) + j % 3);
  return table;
}

}  // namespace

void WinArea(const PixelBuffer& px, const PixelRect& area) {
  if (area.Empty()) return;
  const int32_t strips = area.Width() / kStripWidth;
  if (strips == 0) return;
  static const BlockShuffle kernel(StripTable());
  const PixelRect whole{area.left, area.top, area.left + kStripWidth * strips, area.bottom};
  if (px.Clip(whole) == whole && ByteShuffleAvailable()) {
    // Bottom-up storage: walking from the bottom row keeps memory ascending.
    for (int32_t y = whole.bottom; y-- > whole.top;) kernel.Apply(px.At(whole.left, y), static_cast<size_t>(strips));
    return;
  }
  for (int32_t y = area.bottom; y-- > area.top;) {
    if (y < 0 || y >= px.height) continue;
    for (int32_t j = 0; j < strips; ++j) {
      const int32_t x = area.left + kStripWidth * j;
      if (x < 0 || x + kStripWidth > px.width) continue;  // never reach past the picture
      PermuteStrip(px.At(x, y));
    }
  }
}

void WinLive(MaskContext& ctx, ImageDoc& doc) {
  const auto area = SelectedArea(doc);
  if (!area) return;
  WinArea(DocPixels(doc), *area);
  RefreshArea(ctx, doc, *area);
  LogOperation(ctx, doc, MakeRecord(kOpWin, *area));
}

void ReplayWin(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction) {
  const auto area = ReplayArea(ctx, doc, rec);
  if (!area) return;
  WinArea(DocPixels(doc), *area);
  FinishReplay(ctx, doc, rec, *area);
}

}  // namespace veilo
