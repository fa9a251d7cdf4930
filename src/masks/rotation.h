#pragma once
// Quarter, half and three-quarter turns of the whole picture.
#include "doc/image_doc.h"
#include "masks/mask_context.h"

namespace veilo {

enum TurnCode : int32_t { kTurn180 = 0, kTurn90 = 1, kTurn270 = 2 };

// Makes the block for a turned picture; empty when memory is missing.
using TurnedDibAllocator = PackedDib (*)(uint32_t width, uint32_t height);

// Turns the picture, selection corners and scroll positions. False (nothing
// changed) when memory for the turned picture is missing.
bool TurnPicture(ImageDoc& doc, int32_t turn, TurnedDibAllocator allocate = PackedDib::Canonical24);

// The turn that undoes `turn` (90 and 270 exchanged, 180 kept).
int32_t InverseTurn(int32_t turn);

void RotateLive(MaskContext& ctx, ImageDoc& doc, int32_t turn);
void ReplayRotate(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);
// As ReplayRotate; false when the turn found no memory and changed nothing.
bool ReplayRotateChecked(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);

}  // namespace veilo
