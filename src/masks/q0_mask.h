#pragma once
// The Q0 mask: a chosen combination of up to six simple steps.
#include "doc/image_doc.h"
#include "masks/mask_context.h"

namespace veilo {

void Q0Live(MaskContext& ctx, ImageDoc& doc);
void ReplayQ0(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);

}  // namespace veilo
