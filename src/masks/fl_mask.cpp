#include "masks/fl_mask.h"

#include <new>

#include "masks/block_grid.h"
#include "masks/block_rows.h"
#include "masks/mask_log.h"
#include "masks/two_threads.h"

namespace veilo {

namespace {

constexpr size_t kPrefetchDistance = 8;

// Exchanges the blocks at spiral positions i and N-1-i, inverting both on
// the way when x is all ones. Every block but the middle one of an odd
// spiral takes part in one exchange, so the exchanges are the block moves of
// the mask, and the middle block neither moves nor changes colour. Going
// along the spiral keeps both sides of the exchanges near their previous
// ones in memory.
template <int kPixels>
void ExchangeAlongSpiral(const PixelBuffer& px, const BlockGrid& g, const std::vector<int32_t>& spiral,
                         uint64_t x, uint8_t* tmp, size_t from, size_t to) {
  constexpr size_t kRowBytes = 3 * static_cast<size_t>(kPixels);
  const size_t rowBytes = 3 * static_cast<size_t>(g.size);
  const size_t n = spiral.size();
  for (size_t i = from; i < to; ++i) {
    if (i + kPrefetchDistance < to) {
      block_rows::PrefetchBlock(px, g, spiral[i + kPrefetchDistance]);
      block_rows::PrefetchBlock(px, g, spiral[n - 1 - i - kPrefetchDistance]);
    }
    uint8_t* a = block_rows::BlockBase(px, g, spiral[i]);
    uint8_t* b = block_rows::BlockBase(px, g, spiral[n - 1 - i]);
    for (int32_t r = 0; r < g.size; ++r, a += px.stride, b += px.stride)
      block_rows::SwapRows<kRowBytes>(a, b, rowBytes, x, tmp);
  }
}

}  // namespace

BlockMaskResult ApplyFlMask(const PixelBuffer& px, const PixelRect& area, int32_t blockSize, bool invert) {
  const BlockGrid grid = MakeBlockGrid(px.Clip(area), blockSize);
  const int64_t n = grid.Count();
  if (n == 0) return BlockMaskResult::kNoBlocks;
  if (n > INT32_MAX) return BlockMaskResult::kNoMemory;
  // Block numbers are 32-bit, so grids beyond 32768 blocks follow the same
  // rule as small ones.
  std::vector<int32_t> spiral;
  std::vector<uint8_t> tmp;  // a row of each part's exchanges, for sizes other than 8 and 16
  try {
    spiral = FlSpiral(grid.cols, grid.rows);
    tmp.resize(2 * 3 * static_cast<size_t>(blockSize));
  } catch (const std::bad_alloc&) {
    return BlockMaskResult::kNoMemory;
  }
  const uint64_t x = invert ? ~uint64_t{0} : 0;
  // The exchanges are disjoint: the first and the second half of them can
  // run on two threads.
  const auto exchanges = static_cast<int64_t>(spiral.size() / 2);
  RunInTwoParts(exchanges / 2, exchanges, [&](int64_t from, int64_t to) {
    uint8_t* const row = tmp.data() + (from == 0 ? 0 : 3 * static_cast<size_t>(blockSize));
    block_rows::WithBlockSize(blockSize, [&]<int kPixels>() {
      ExchangeAlongSpiral<kPixels>(px, grid, spiral, x, row, static_cast<size_t>(from), static_cast<size_t>(to));
    });
  });
  return BlockMaskResult::kApplied;
}

void FlLive(MaskContext& ctx, ImageDoc& doc) {
  const auto selection = SelectedArea(doc);
  if (!selection) return;
  const PixelBuffer px = DocPixels(doc);
  const PixelRect area = px.Clip(*selection);
  const int32_t invert = ctx.options.flInvert;
  if (!ReportBlockMask(ctx, ApplyFlMask(px, area, kFlBlockSize, invert == 1))) return;
  RefreshArea(ctx, doc, area);
  MaskRecord rec = MakeRecord(kOpFl, area);
  rec.p[0] = kFlBlockSize;
  rec.p[1] = invert;
  LogOperation(ctx, doc, rec);
}

// The mask is its own inverse: Undo, Redo and macro replay run it alike.
void ReplayFl(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction) {
  const auto selection = ReplayArea(ctx, doc, rec);
  if (!selection) return;
  const PixelBuffer px = DocPixels(doc);
  const PixelRect area = px.Clip(*selection);
  if (!ReportBlockMask(ctx, ApplyFlMask(px, area, rec.p[0], rec.p[1] == 1))) return;
  FinishReplay(ctx, doc, rec, area);
}

}  // namespace veilo
