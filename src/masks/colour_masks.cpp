#include "masks/colour_masks.h"

#include <array>

#include "masks/mask_log.h"
#include "masks/pixel_shuffle.h"
#include "masks/row_ops.h"

namespace veilo {

namespace {

void XorAreaWith(const PixelBuffer& px, const PixelRect& area, uint8_t channels, uint8_t value) {
  const PixelRect r = px.Clip(area);
  if (r.Empty() || (channels & 7) == 0) return;
  const RowPattern pattern = ChannelPattern(channels, value);
  const size_t bytes = 3 * static_cast<size_t>(r.Width());
  // Rows are stored bottom-up: walking from the bottom row keeps memory
  // ascending, which the hardware prefetcher follows far better.
  for (int32_t y = r.bottom; y-- > r.top;) XorRow(px.At(r.left, y), bytes, pattern);
}

// Moves bytes within every pixel of a row span: new[i] = old[from[i]].
template <int kFrom0, int kFrom1, int kFrom2>
void ShuffleRow(uint8_t* p, size_t count) {
  for (size_t i = 0; i < count; ++i, p += 3) {
    const uint8_t old[3] = {p[0], p[1], p[2]};
    p[0] = old[kFrom0];
    p[1] = old[kFrom1];
    p[2] = old[kFrom2];
  }
}

std::array<uint8_t, kBlockBytes> ChannelTable(int from0, int from1, int from2) {
  const int from[3] = {from0, from1, from2};
  std::array<uint8_t, kBlockBytes> table{};
  for (size_t j = 0; j < kBlockBytes; ++j) table[j] = static_cast<uint8_t>(j - j % 3 + static_cast<size_t>(from[j % 3]));
  return table;
}

// Whole blocks of 16 pixels go through the byte-shuffle kernel, the rest of
// each row through the plain loop.
template <int kFrom0, int kFrom1, int kFrom2>
void ShuffleArea(const PixelBuffer& px, const PixelRect& r) {
  static const BlockShuffle kernel(ChannelTable(kFrom0, kFrom1, kFrom2));
  const size_t width = static_cast<size_t>(r.Width()), blocks = width / kBlockPixels;
  for (int32_t y = r.bottom; y-- > r.top;) {  // ascending memory, as in XorAreaWith
    uint8_t* row = px.At(r.left, y);
    const size_t done = kernel.Apply(row, blocks) ? blocks * kBlockPixels : 0;
    ShuffleRow<kFrom0, kFrom1, kFrom2>(row + 3 * done, width - done);
  }
}

void LogColourMask(MaskContext& ctx, ImageDoc& doc, const PixelRect& area, MaskRecord rec) {
  RefreshArea(ctx, doc, area);
  LogOperation(ctx, doc, rec);
}

}  // namespace

void NegateArea(const PixelBuffer& px, const PixelRect& r, uint8_t channels) {
  XorAreaWith(px, r, channels, 0xFF);
}

void XorArea(const PixelBuffer& px, const PixelRect& r, uint8_t channels) {
  XorAreaWith(px, r, channels, 0x80);
}

void ExchangeArea(const PixelBuffer& px, const PixelRect& area, int32_t mode, int32_t direction) {
  const PixelRect r = px.Clip(area);
  if (r.Empty()) return;
  // Byte order in a pixel: 0 blue, 1 green, 2 red.
  switch (mode) {
    case 0:
      if (direction == 0)
        ShuffleArea<1, 2, 0>(px, r);  // red -> green -> blue -> red
      else
        ShuffleArea<2, 0, 1>(px, r);
      break;
    case 1: ShuffleArea<0, 2, 1>(px, r); break;  // red <-> green
    case 2: ShuffleArea<1, 0, 2>(px, r); break;  // green <-> blue
    default: ShuffleArea<2, 1, 0>(px, r); break;  // red <-> blue
  }
}

void NegPosLive(MaskContext& ctx, ImageDoc& doc) {
  const auto area = SelectedArea(doc);
  if (!area) return;
  const uint8_t channels = ctx.options.rgbNegChannels;
  NegateArea(DocPixels(doc), *area, channels);
  MaskRecord rec = MakeRecord(kOpNegPos, *area);
  rec.p[0] = channels;
  LogColourMask(ctx, doc, *area, rec);
}

void XorLive(MaskContext& ctx, ImageDoc& doc) {
  const auto area = SelectedArea(doc);
  if (!area) return;
  const uint8_t channels = ctx.options.rgbXorChannels;
  XorArea(DocPixels(doc), *area, channels);
  MaskRecord rec = MakeRecord(kOpXor, *area);
  rec.p[0] = channels;
  LogColourMask(ctx, doc, *area, rec);
}

void ExchangeLive(MaskContext& ctx, ImageDoc& doc) {
  const auto area = SelectedArea(doc);
  if (!area) return;
  const int32_t mode = ctx.options.rgbExchangeMode;
  ExchangeArea(DocPixels(doc), *area, mode, 0);
  MaskRecord rec = MakeRecord(kOpExchange, *area);
  rec.p[0] = 0;
  rec.p[1] = mode;
  LogColourMask(ctx, doc, *area, rec);
}

void ReplayNegPos(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction) {
  const auto area = ReplayArea(ctx, doc, rec);
  if (!area) return;
  NegateArea(DocPixels(doc), *area, static_cast<uint8_t>(rec.p[0]));
  FinishReplay(ctx, doc, rec, *area);
}

void ReplayXor(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction) {
  const auto area = ReplayArea(ctx, doc, rec);
  if (!area) return;
  XorArea(DocPixels(doc), *area, static_cast<uint8_t>(rec.p[0]));
  FinishReplay(ctx, doc, rec, *area);
}

void ReplayExchange(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir) {
  const auto area = ReplayArea(ctx, doc, rec);
  if (!area) return;
  const int32_t direction = dir == Direction::kForward ? rec.p[0] : 1 - rec.p[0];
  ExchangeArea(DocPixels(doc), *area, rec.p[1], direction);
  FinishReplay(ctx, doc, rec, *area);
}

}  // namespace veilo
