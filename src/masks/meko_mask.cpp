#include "masks/meko_mask.h"

#include <new>

#include "masks/block_grid.h"
#include "masks/colour_masks.h"
#include "masks/mask_log.h"

namespace veilo {

BlockMaskResult ApplyMekoMask(const PixelBuffer& px, const PixelRect& area, int32_t blockSize, int32_t order,
                              bool invert) {
  const BlockGrid grid = MakeBlockGrid(px.Clip(area), blockSize);
  const int64_t n = grid.Count();
  if (n == 0) return BlockMaskResult::kNoBlocks;
  if (n > kMekoMaxBlocks) return BlockMaskResult::kTooManyBlocks;
  std::vector<int32_t> target;
  try {
    target = MekoPermutation(static_cast<int32_t>(n), order);
  } catch (const std::bad_alloc&) {
    return BlockMaskResult::kNoMemory;
  }
  // The order is a permutation by construction, so a refusal can only be
  // the mover's working memory; nothing has moved then.
  if (!MoveBlocks(px, grid, target, invert)) return BlockMaskResult::kNoMemory;
  // The moved blocks were inverted on the way; the reversal covers the whole
  // block region, so the blocks that stayed are inverted here. Inverting all
  // blocks alike commutes with the moves, so the opposite order followed by
  // the same inversion undoes the mask.
  if (invert)
    for (int32_t k = 0; k < n; ++k)
      if (target[static_cast<size_t>(k)] == k)
        NegateArea(px, {grid.BlockX(k), grid.BlockY(k), grid.BlockX(k) + grid.size, grid.BlockY(k) + grid.size}, 7);
  return BlockMaskResult::kApplied;
}

void MekoLive(MaskContext& ctx, ImageDoc& doc, int32_t order) {
  const auto selection = SelectedArea(doc);
  if (!selection) return;
  const PixelBuffer px = DocPixels(doc);
  const PixelRect area = px.Clip(*selection);
  if (!ReportBlockMask(ctx, ApplyMekoMask(px, area, kMekoBlockSize, order, true))) return;
  RefreshArea(ctx, doc, area);
  MaskRecord rec = MakeRecord(kOpMeko, area);
  rec.p[0] = kMekoBlockSize;
  rec.p[1] = 1;  // colour reversal
  rec.p[2] = order;
  LogOperation(ctx, doc, rec);
}

void ReplayMeko(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir) {
  const auto selection = ReplayArea(ctx, doc, rec);
  if (!selection) return;
  const PixelBuffer px = DocPixels(doc);
  const PixelRect area = px.Clip(*selection);
  const int32_t order = dir == Direction::kForward ? rec.p[2] : (rec.p[2] == 0 ? 1 : 0);
  if (!ReportBlockMask(ctx, ApplyMekoMask(px, area, rec.p[0], order, rec.p[1] == 1))) return;
  FinishReplay(ctx, doc, rec, area);
}

}  // namespace veilo
