#pragma once
// Quarter, half and three-quarter turns of the whole picture.
#include "doc/image_doc.h"
#include "masks/mask_context.h"

namespace veilo {

enum TurnCode : int32_t { kTurn180 = 0, kTurn90 = 1, kTurn270 = 2 };

// Turns the picture, selection corners and scroll positions. False (nothing
// changed) when memory for the turned picture is missing.
bool TurnPicture(ImageDoc& doc, int32_t turn);

void RotateLive(MaskContext& ctx, ImageDoc& doc, int32_t turn);
void ReplayRotate(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);

}  // namespace veilo
