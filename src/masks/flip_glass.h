#pragma once
// Whole-area flips and the glass mask (every box reflected in place).
#include "doc/image_doc.h"
#include "masks/mask_context.h"

namespace veilo {

void MirrorArea(const PixelBuffer& px, const PixelRect& r);  // left <-> right
void FlipArea(const PixelBuffer& px, const PixelRect& r);    // top <-> bottom
// Tiles r with boxes of `box` anchored at its top-left; mirrors (vertical glass)
// or flips (horizontal glass) each box by itself.
void GlassArea(const PixelBuffer& px, const PixelRect& r, int32_t box, bool vertical);

void FlipLive(MaskContext& ctx, ImageDoc& doc, bool leftRight);
void GlassLive(MaskContext& ctx, ImageDoc& doc, bool vertical);

void ReplayFlip(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);
void ReplayGlass(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);

}  // namespace veilo
