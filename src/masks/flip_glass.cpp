#include "masks/flip_glass.h"

#include <algorithm>
#include <array>

#include "masks/mask_log.h"
#include "masks/pixel_shuffle.h"
#include "masks/row_ops.h"

namespace veilo {

namespace {

// Exchanges row y with row (top + bottom - 1 - y) over the columns of r.
void FlipRows(const PixelBuffer& px, const PixelRect& r) {
  const size_t bytes = 3 * static_cast<size_t>(r.Width());
  for (int32_t y = r.top, mirror = r.bottom - 1; y < mirror; ++y, --mirror)
    SwapSpans(px.At(r.left, y), px.At(r.left, mirror), bytes);
}

// Box (x, y)-(x + w, y + h) of a glass tiling, clipped to the picture.
PixelRect BoxOf(const PixelBuffer& px, int32_t x, int32_t y, int32_t w, int32_t h) {
  return px.Clip({x, y, x + w, y + h});
}

// Mirrors every box of a row span of `count` pixels; boxes start at the
// span's first pixel, the last one may be narrower.
void MirrorBoxes(uint8_t* first, size_t count, size_t box) {
  for (size_t x = 0; x < count; x += box) ReversePixelSpan(first + 3 * x, std::min(box, count - x));
}

// Vertical glass of an area inside the picture whose box size divides the
// 16 pixels of a shuffle block: whole blocks hold whole boxes.
bool MirrorSmallBoxes(const PixelBuffer& px, const PixelRect& r, int32_t box) {
  if (kBlockPixels % static_cast<size_t>(box) != 0 || !(px.Clip(r) == r) || !ByteShuffleAvailable()) return false;
  const size_t s = static_cast<size_t>(box);
  std::array<uint8_t, kBlockBytes> table{};
  for (size_t j = 0; j < kBlockBytes; ++j) {
    const size_t x = j / 3, start = x / s * s;
    table[j] = static_cast<uint8_t>(3 * (2 * start + s - 1 - x) + j % 3);
  }
  const BlockShuffle kernel(table);
  const size_t width = static_cast<size_t>(r.Width()), blocks = width / kBlockPixels;
  for (int32_t y = r.bottom; y-- > r.top;) {  // bottom-up storage: ascending memory
    uint8_t* row = px.At(r.left, y);
    kernel.Apply(row, blocks);
    const size_t done = blocks * kBlockPixels;
    MirrorBoxes(row + 3 * done, width - done, s);
  }
  return true;
}

}  // namespace

void MirrorArea(const PixelBuffer& px, const PixelRect& area) {
  const PixelRect r = px.Clip(area);
  if (r.Empty()) return;
  // Rows are independent; bottom-up storage makes this order ascend in memory.
  for (int32_t y = r.bottom; y-- > r.top;) ReversePixelSpan(px.At(r.left, y), static_cast<size_t>(r.Width()));
}

void FlipArea(const PixelBuffer& px, const PixelRect& area) {
  const PixelRect r = px.Clip(area);
  if (r.Empty()) return;
  FlipRows(px, r);
}

void GlassArea(const PixelBuffer& px, const PixelRect& r, int32_t box, bool vertical) {
  if (box <= 0 || r.Empty()) return;
  if (vertical && MirrorSmallBoxes(px, r, box)) return;
  for (int64_t y = r.top; y < r.bottom; y += box) {
    const int32_t top = static_cast<int32_t>(y);
    const int32_t h = std::min(box, r.bottom - top);
    if (!vertical) {
      // Every box of a band has the band's height, so flipping each box top
      // to bottom is the same as flipping the whole band's rows at once.
      FlipArea(px, {r.left, top, r.right, top + h});
      continue;
    }
    for (int32_t row = top; row < top + h; ++row) {
      for (int64_t x = r.left; x < r.right; x += box) {
        const int32_t left = static_cast<int32_t>(x);
        const PixelRect b = BoxOf(px, left, row, std::min(box, r.right - left), 1);
        if (!b.Empty()) ReversePixelSpan(px.At(b.left, row), static_cast<size_t>(b.Width()));
      }
    }
  }
}

void FlipLive(MaskContext& ctx, ImageDoc& doc, bool leftRight) {
  const auto area = SelectedArea(doc);
  if (!area) return;
  const PixelBuffer px = DocPixels(doc);
  if (leftRight)
    MirrorArea(px, *area);
  else
    FlipArea(px, *area);
  RefreshArea(ctx, doc, *area);
  MaskRecord rec = MakeRecord(kOpFlip, *area);
  rec.p[0] = leftRight ? 1 : 0;
  LogOperation(ctx, doc, rec);
}

void GlassLive(MaskContext& ctx, ImageDoc& doc, bool vertical) {
  const auto area = SelectedArea(doc);
  if (!area) return;
  const int32_t box = ctx.options.glassBoxSize;
  GlassArea(DocPixels(doc), *area, box, vertical);
  RefreshArea(ctx, doc, *area);
  MaskRecord rec = MakeRecord(kOpGlass, *area);
  rec.p[0] = box;
  rec.p[1] = vertical ? 1 : 0;
  LogOperation(ctx, doc, rec);
}

void ReplayFlip(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction) {
  const auto area = ReplayArea(ctx, doc, rec);
  if (!area) return;
  const PixelBuffer px = DocPixels(doc);
  if (rec.p[0] != 0)
    MirrorArea(px, *area);
  else
    FlipArea(px, *area);
  FinishReplay(ctx, doc, rec, *area);
}

void ReplayGlass(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction) {
  const auto area = ReplayArea(ctx, doc, rec);
  if (!area) return;
  GlassArea(DocPixels(doc), *area, rec.p[0], rec.p[1] != 0);
  FinishReplay(ctx, doc, rec, *area);
}

}  // namespace veilo
