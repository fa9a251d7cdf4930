// The macro recorder: start/stop, and capture of every newly logged record.
#include "masks/macro.h"

namespace veilo {

void ToggleMacroRecording(MaskContext& ctx) {
  MacroBuffer& macro = ctx.macro;
  if (macro.macroRecording != 0) {
    macro.macroRecording = 0;
    ctx.shell.SetRecording(false);
    return;
  }
  macro.entries = {};
  macro.macroCount = 0;
  macro.macroRecording = 1;
  ctx.shell.SetRecording(true);
}

void CaptureMacro(MacroBuffer& macro, const MaskRecord& rec) {
  if (macro.macroRecording == 0 || macro.macroCount >= kMacroCapacity) return;
  if (rec.opcode == kOpRotate) return;  // turns act on the whole picture, not on an area
  MacroEntry& entry = macro.entries[static_cast<size_t>(macro.macroCount)];
  entry.opcode = rec.opcode;
  entry.code = rec.code;
  entry.p = rec.p;
  ++macro.macroCount;
}

bool MacroRunAvailable(const MacroBuffer& macro, bool areaSelected) {
  return areaSelected && macro.macroCount > 0 && macro.macroRecording == 0;
}

}  // namespace veilo
