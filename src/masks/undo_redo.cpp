// Undo, Redo and UndoAll: records move between the two logs and are replayed.
#include <new>

#include "masks/mask_log.h"

namespace veilo {

namespace {

// Makes room for one more record up front, so that the later append cannot
// fail after the picture has already changed.
bool ReserveOneMore(MaskContext& ctx, std::vector<MaskRecord>& log) {
  try {
    log.reserve(log.size() + 1);
    return true;
  } catch (const std::bad_alloc&) {
    ctx.shell.ShowError(kMaskNoMemoryMessage);
    return false;
  }
}

// Removes the last record; an emptied log gives its memory back.
void DropLast(std::vector<MaskRecord>& log) {
  log.pop_back();
  if (log.empty()) std::vector<MaskRecord>().swap(log);
}

}  // namespace

void Undo(MaskContext& ctx, ImageDoc& doc) {
  if (doc.undoList.empty()) return;
  if (!ReserveOneMore(ctx, doc.redoList)) return;
  MaskRecord rec = doc.undoList.back();
  // A turn that finds no memory changes nothing; the record then stays where
  // it is so that the logs keep describing the picture.
  if (!TryReplayRecord(ctx, doc, rec, Direction::kInverse)) return;
  DropLast(doc.undoList);
  if (doc.undoList.empty()) ctx.shell.EnableUndo(false);
  const bool redoWasEmpty = doc.redoList.empty();
  doc.redoList.push_back(rec);
  if (redoWasEmpty) ctx.shell.EnableRedo(true);
}

void Redo(MaskContext& ctx, ImageDoc& doc) {
  if (doc.redoList.empty()) return;
  if (!ReserveOneMore(ctx, doc.undoList)) return;
  MaskRecord rec = doc.redoList.back();
  if (!TryReplayRecord(ctx, doc, rec, Direction::kForward)) return;
  DropLast(doc.redoList);
  if (doc.redoList.empty()) ctx.shell.EnableRedo(false);
  const bool undoWasEmpty = doc.undoList.empty();
  doc.undoList.push_back(rec);
  if (undoWasEmpty) ctx.shell.EnableUndo(true);
}

void UndoAll(MaskContext& ctx, ImageDoc& doc) {
  WaitCursor wait(ctx.shell);
  while (!doc.undoList.empty()) {
    const size_t before = doc.undoList.size();
    Undo(ctx, doc);
    if (doc.undoList.size() == before) break;  // a step could not be undone
  }
}

}  // namespace veilo
