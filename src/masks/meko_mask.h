#pragma once
// The Meko mask: 16x16 blocks rearranged by a fixed key table, then inverted.
#include <array>
#include <vector>

#include "doc/image_doc.h"
#include "masks/block_mask_result.h"
#include "masks/mask_context.h"

namespace veilo {

inline constexpr int32_t kMekoBlockSize = 16;
inline constexpr int32_t kMekoMaxBlocks = 9216;
extern const std::array<uint16_t, kMekoMaxBlocks> MekoOrderTable;

// Target position of every block for N blocks; order 1 reverse, 0 forward.
// Empty when n is 0 or beyond kMekoMaxBlocks.
std::vector<int32_t> MekoPermutation(int32_t n, int32_t order);

// The pixel work of the mask on area (clipped to the picture): blocks of
// blockSize moved in the given order, then the block region inverted when
// invert is set. Nothing changes unless the result is kApplied.
BlockMaskResult ApplyMekoMask(const PixelBuffer& px, const PixelRect& area, int32_t blockSize, int32_t order,
                              bool invert);

// order: 0 forward (command 40006), 1 reverse (40007).
void MekoLive(MaskContext& ctx, ImageDoc& doc, int32_t order);
void ReplayMeko(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);

}  // namespace veilo
