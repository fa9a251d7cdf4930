#include "masks/fl_mask.h"

#include <new>

#include "masks/block_grid.h"
#include "masks/colour_masks.h"
#include "masks/mask_log.h"

namespace veilo {

BlockMaskResult ApplyFlMask(const PixelBuffer& px, const PixelRect& area, int32_t blockSize, bool invert) {
  const BlockGrid grid = MakeBlockGrid(px.Clip(area), blockSize);
  const int64_t n = grid.Count();
  if (n == 0) return BlockMaskResult::kNoBlocks;
  if (n > INT32_MAX) return BlockMaskResult::kNoMemory;
  int64_t middle = -1;  // the block that stays when the spiral is odd
  try {
    // Spiral positions i and N-1-i exchange; block numbers are 32-bit, so
    // grids beyond 32768 blocks follow the same rule.
    const std::vector<int32_t> spiral = FlSpiral(grid.cols, grid.rows);
    std::vector<int32_t> target(spiral.size());
    for (size_t i = 0; i < spiral.size(); ++i) target[static_cast<size_t>(spiral[i])] = spiral[spiral.size() - 1 - i];
    if (n % 2 == 1) middle = spiral[static_cast<size_t>((n - 1) / 2)];
    MoveBlocks(px, grid, target);
  } catch (const std::bad_alloc&) {
    return BlockMaskResult::kNoMemory;  // thrown before any block moved
  }
  if (invert) {
    // Every block but the middle one moved: invert the whole region, then
    // give the staying block its colours back.
    NegateArea(px, grid.Region(), 7);
    if (middle >= 0) {
      const int32_t x = grid.BlockX(middle), y = grid.BlockY(middle);
      NegateArea(px, {x, y, x + blockSize, y + blockSize}, 7);
    }
  }
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
