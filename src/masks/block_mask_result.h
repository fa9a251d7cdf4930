#pragma once
// Outcome of the pixel work of a block mask (Meko, FL, CP), and how the live
// and replay forms report it.
#include <cstdint>

#include "masks/mask_context.h"

namespace veilo {

enum class BlockMaskResult {
  kApplied,
  kNoBlocks,        // the area holds no whole block: nothing to do, silently
  kTooManyBlocks,   // Meko only: more blocks than its key table
  kInvalidCode,     // CP only: not a normalised code
  kNoMemory,        // the working lists could not be allocated
};

inline constexpr char kMekoTooManyBlocksMessage[] =
    "範囲が多き過ぎて本バージョン\rのメコマスクは実行できません";
inline constexpr char kBlockMaskNoMemoryMessage[] = "メモリが不足しているため\rマスク処理を実行できません";

// Shows the message a refused mask owes the user; true when the mask ran.
// Nothing has changed in the picture unless it did.
inline bool ReportBlockMask(MaskContext& ctx, BlockMaskResult result) {
  if (result == BlockMaskResult::kTooManyBlocks) ctx.shell.ShowError(kMekoTooManyBlocksMessage);
  if (result == BlockMaskResult::kNoMemory) ctx.shell.ShowError(kBlockMaskNoMemoryMessage);
  return result == BlockMaskResult::kApplied;
}

}  // namespace veilo
