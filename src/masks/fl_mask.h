#pragma once
// The FL mask: 8x8 blocks reversed along a spiral through the block grid.
#include <vector>

#include "doc/image_doc.h"
#include "masks/block_mask_result.h"
#include "masks/mask_context.h"

namespace veilo {

inline constexpr int32_t kFlBlockSize = 8;

// Block numbers in spiral order for a cols x rows grid (outside ring first,
// starting at the bottom-left block).
std::vector<int32_t> FlSpiral(int32_t cols, int32_t rows);

// The pixel work of the mask on area (clipped to the picture): blocks
// reversed along the spiral, every moved block inverted when invert is set.
// Nothing changes unless the result is kApplied.
BlockMaskResult ApplyFlMask(const PixelBuffer& px, const PixelRect& area, int32_t blockSize, bool invert);

void FlLive(MaskContext& ctx, ImageDoc& doc);
void ReplayFl(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);

}  // namespace veilo
