// Replays the recorded operations on the current selection of a document.
#include "masks/macro.h"
#include "masks/mask_log.h"

namespace veilo {

namespace {

bool Replayable(int32_t opcode) {
  return (opcode >= kOpMeko && opcode <= kOpQ0) || opcode == kOpCp;
}

// Keeps the macro-running flag set for one run, whatever way it ends.
class RunningFlag {
 public:
  explicit RunningFlag(MacroBuffer& macro) : macro_(macro) { macro_.running = 1; }
  ~RunningFlag() { macro_.running = 0; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  MacroBuffer& macro_;
};

}  // namespace

void RunMacro(MaskContext& ctx, ImageDoc& doc) {
  if (ctx.macro.macroCount <= 0) return;
  // A run while recording would capture its own steps into the buffer it
  // reads; replaying a copy keeps the run to what was recorded before it.
  const MacroBuffer recorded = ctx.macro;
  WaitCursor wait(ctx.shell);
  RunningFlag running(ctx.macro);
  for (int32_t i = 0; i < recorded.macroCount && i < kMacroCapacity; ++i) {
    const MacroEntry& entry = recorded.entries[static_cast<size_t>(i)];
    if (!Replayable(entry.opcode)) continue;
    MaskRecord rec;
    rec.opcode = entry.opcode;
    rec.code = entry.code;
    rec.p = entry.p;
    ReplayRecord(ctx, doc, rec, Direction::kForward);
  }
}

}  // namespace veilo
