#include "shell/doc_actions.h"

#include "masks/colour_masks.h"
#include "masks/cp_mask.h"
#include "masks/fl_mask.h"
#include "masks/flip_glass.h"
#include "masks/macro.h"
#include "masks/mask_log.h"
#include "masks/meko_mask.h"
#include "masks/q0_mask.h"
#include "masks/rotation.h"
#include "masks/win_mask.h"

namespace veilo {

bool RunEditAction(MaskContext& ctx, ImageDoc& doc, DocAction action) {
  switch (action) {
    case DocAction::kNegPos: NegPosLive(ctx, doc); return true;
    case DocAction::kXor: XorLive(ctx, doc); return true;
    case DocAction::kRgbExchange: ExchangeLive(ctx, doc); return true;
    case DocAction::kFlipTopBottom: FlipLive(ctx, doc, false); return true;
    case DocAction::kFlipLeftRight: FlipLive(ctx, doc, true); return true;
    case DocAction::kVerticalGlass: GlassLive(ctx, doc, true); return true;
    case DocAction::kHorizontalGlass: GlassLive(ctx, doc, false); return true;
    case DocAction::kMekoForward: MekoLive(ctx, doc, 0); return true;
    case DocAction::kMekoReverse: MekoLive(ctx, doc, 1); return true;
    case DocAction::kFlMask: FlLive(ctx, doc); return true;
    case DocAction::kQ0Mask: Q0Live(ctx, doc); return true;
    case DocAction::kWinMask: WinLive(ctx, doc); return true;
    case DocAction::kUndo: Undo(ctx, doc); return true;
    case DocAction::kRedo: Redo(ctx, doc); return true;
    case DocAction::kUndoAll: UndoAll(ctx, doc); return true;
    case DocAction::kRotate90: RotateLive(ctx, doc, kTurn90); return true;
    case DocAction::kRotate180: RotateLive(ctx, doc, kTurn180); return true;
    case DocAction::kRotate270: RotateLive(ctx, doc, kTurn270); return true;
    case DocAction::kMacroRun: RunMacro(ctx, doc); return true;
    default: return false;
  }
}

void ApplyCpCode(MaskContext& ctx, ImageDoc& doc, std::string_view typed) {
  const std::string code = NormaliseCpCode(typed);
  RememberCpCode(doc, code);
  CpLive(ctx, doc, code);
}

}  // namespace veilo
