#pragma once
// Negative/positive, XOR 0x80 and RGB exchange of an area.
#include "doc/image_doc.h"
#include "masks/mask_context.h"

namespace veilo {

void NegateArea(const PixelBuffer& px, const PixelRect& r, uint8_t channels);
void XorArea(const PixelBuffer& px, const PixelRect& r, uint8_t channels);
// direction 0 is the logged forward form, 1 its inverse (matters for mode 0 only).
void ExchangeArea(const PixelBuffer& px, const PixelRect& r, int32_t mode, int32_t direction);

void NegPosLive(MaskContext& ctx, ImageDoc& doc);
void XorLive(MaskContext& ctx, ImageDoc& doc);
void ExchangeLive(MaskContext& ctx, ImageDoc& doc);

void ReplayNegPos(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);
void ReplayXor(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);
void ReplayExchange(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);

}  // namespace veilo
