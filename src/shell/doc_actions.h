#pragma once
// The picture-changing commands of a document window, from the command table's
// action to the operation that carries it out. The window only adds what needs
// it: the wait cursor, the CP code dialog, the repaint after a rotation.
#include <string_view>

#include "doc/image_doc.h"
#include "masks/mask_context.h"
#include "shell/commands.h"

namespace veilo {

// Masks on the current area (all but CP, whose code comes from a dialog),
// Undo, Redo, All-undo, the three rotations and the macro run. False for every
// other action, which it leaves alone.
bool RunEditAction(MaskContext& ctx, ImageDoc& doc, DocAction action);

// The CP mask with the code the dialog accepted: normalised, entered in the
// document's three remembered codes, then applied to the area (the codes are
// remembered even without an area).
void ApplyCpCode(MaskContext& ctx, ImageDoc& doc, std::string_view typed);

}  // namespace veilo
