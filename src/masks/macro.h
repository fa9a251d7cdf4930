#pragma once
// Macro recording (up to 30 operations, global) and replay on a selection.
#include "doc/image_doc.h"
#include "masks/mask_context.h"

namespace veilo {

void ToggleMacroRecording(MaskContext& ctx);
// Called by LogOperation for every newly logged record.
void CaptureMacro(MacroBuffer& macro, const MaskRecord& rec);
void RunMacro(MaskContext& ctx, ImageDoc& doc);
// Whether the run command is available for a document state.
bool MacroRunAvailable(const MacroBuffer& macro, bool areaSelected);

}  // namespace veilo
