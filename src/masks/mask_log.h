#pragma once
// The undo and redo logs, the repaint request shared by every operation, and
// the dispatch of a record to its operation's replay form.
#include <optional>

#include "doc/image_doc.h"
#include "masks/mask_context.h"

namespace veilo {

// Shown when an operation finds no memory for its work and changes nothing.
inline constexpr char kMaskNoMemoryMessage[] = "メモリが不足しています";
// Shown when the undo log cannot take one more record. The pixels have
// already changed by then; reversing them would need the very memory that is
// missing, so the picture stays masked and only the undo step is lost. The
// undo log is kept (it still marks the picture as changed for the save
// prompts); the redo log no longer fits the picture and is dropped.
inline constexpr char kLogFullMessage[] = "メモリが不足しているため\rこの操作は元に戻せません";

// The normalised selection, or nullopt when no area is selected.
std::optional<PixelRect> SelectedArea(const ImageDoc& doc);

// The area a replay form works on: the record's rectangle normally, the
// current selection while a macro runs (nullopt: nothing selected, skip).
std::optional<PixelRect> ReplayArea(const MaskContext& ctx, const ImageDoc& doc, const MaskRecord& rec);

// A zero-filled record for opcode over rect.
MaskRecord MakeRecord(int32_t opcode, const PixelRect& rect);

// The last step of every replay form once its pixels have changed: repaints
// the area and, while a macro runs, stores the area in rec and logs it.
void FinishReplay(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, const PixelRect& area);

void LogOperation(MaskContext& ctx, ImageDoc& doc, const MaskRecord& rec);
void Undo(MaskContext& ctx, ImageDoc& doc);
void Redo(MaskContext& ctx, ImageDoc& doc);
void UndoAll(MaskContext& ctx, ImageDoc& doc);

// Client rectangle that shows an image rectangle at the document's zoom and
// scroll position, clipped to the client size, widened by the frame margin.
WindowRect RefreshRect(const ImageDoc& doc, const PixelRect& r);
void RefreshArea(MaskContext& ctx, ImageDoc& doc, const PixelRect& r);

// Runs the replay form of rec's opcode. While a macro runs the replay form
// takes the current selection, writes it into rec and logs rec itself.
// Unknown opcodes change nothing.
void ReplayRecord(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);
// As ReplayRecord; false when the operation could not run (no memory for a
// turned picture) and changed nothing, so the caller keeps its logs as they are.
bool TryReplayRecord(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir);

}  // namespace veilo
