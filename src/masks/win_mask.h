#pragma once
// The WIN mask: fixed column pairs exchanged inside every 16-column strip.
#include <array>

#include "doc/image_doc.h"
#include "masks/mask_context.h"

namespace veilo {

inline constexpr std::array<int32_t, 16> WinColumnPairs = {12, 8, 6, 15, 9, 13, 2, 11,
                                                           1,  4, 14, 7, 0, 5, 10, 3};

void WinArea(const PixelBuffer& px, const PixelRect& r);
void WinLive(MaskContext& ctx, ImageDoc& doc);
void ReplayWin(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);

}  // namespace veilo
