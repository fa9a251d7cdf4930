// The replay form of every opcode 'e'..'o', looked up by the record's letter.
#include <array>

#include "masks/colour_masks.h"
#include "masks/cp_mask.h"
#include "masks/fl_mask.h"
#include "masks/flip_glass.h"
#include "masks/mask_log.h"
#include "masks/meko_mask.h"
#include "masks/q0_mask.h"
#include "masks/rotation.h"
#include "masks/win_mask.h"

namespace veilo {

namespace {

using ReplayForm = void (*)(MaskContext&, ImageDoc&, MaskRecord&, Direction);

constexpr int32_t kFirstOpcode = kOpMeko;
constexpr std::array<ReplayForm, kOpCp - kOpMeko + 1> kReplayForms = {
    ReplayMeko,      // 'e'
    ReplayNegPos,    // 'f'
    ReplayExchange,  // 'g'
    ReplayGlass,     // 'h'
    ReplayFlip,      // 'i'
    ReplayXor,       // 'j'
    ReplayFl,        // 'k'
    ReplayWin,       // 'l'
    ReplayQ0,        // 'm'
    ReplayRotate,    // 'n'
    ReplayCp,        // 'o'
};

}  // namespace

bool TryReplayRecord(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir) {
  if (rec.opcode == kOpRotate) return ReplayRotateChecked(ctx, doc, rec, dir);
  if (rec.opcode < kFirstOpcode || rec.opcode > kOpCp) return true;  // unknown: nothing to do
  kReplayForms[static_cast<size_t>(rec.opcode - kFirstOpcode)](ctx, doc, rec, dir);
  return true;
}

void ReplayRecord(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir) {
  TryReplayRecord(ctx, doc, rec, dir);
}

}  // namespace veilo
