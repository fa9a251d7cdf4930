#include "masks/mask_log.h"

#include <algorithm>
#include <new>

#include "masks/macro.h"

namespace veilo {

namespace {

int32_t ScaleToWindow(int32_t imageCoord, int32_t zoomPercent) {
  return static_cast<int32_t>(int64_t{imageCoord} * zoomPercent / 100);
}

}  // namespace

std::optional<PixelRect> SelectedArea(const ImageDoc& doc) {
  if (doc.areaSelected == 0) return std::nullopt;
  return NormalisedRect(doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2);
}

std::optional<PixelRect> ReplayArea(const MaskContext& ctx, const ImageDoc& doc, const MaskRecord& rec) {
  if (ctx.macro.running != 0) return SelectedArea(doc);
  return NormalisedRect(rec.left, rec.top, rec.right, rec.bottom);
}

MaskRecord MakeRecord(int32_t opcode, const PixelRect& rect) {
  MaskRecord rec;
  rec.opcode = opcode;
  rec.left = rect.left;
  rec.top = rect.top;
  rec.right = rect.right;
  rec.bottom = rect.bottom;
  return rec;
}

void FinishReplay(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, const PixelRect& area) {
  RefreshArea(ctx, doc, area);
  if (ctx.macro.running == 0) return;
  rec.left = area.left;
  rec.top = area.top;
  rec.right = area.right;
  rec.bottom = area.bottom;
  LogOperation(ctx, doc, rec);
}

void LogOperation(MaskContext& ctx, ImageDoc& doc, const MaskRecord& rec) {
  const bool undoWasEmpty = doc.undoList.empty();
  bool logged = true;
  try {
    doc.undoList.push_back(rec);
  } catch (const std::bad_alloc&) {
    logged = false;
  }
  if (logged && undoWasEmpty) ctx.shell.EnableUndo(true);
  if (!doc.redoList.empty()) {
    std::vector<MaskRecord>().swap(doc.redoList);
    ctx.shell.EnableRedo(false);
  }
  if (!logged) {
    ctx.shell.ShowError(kLogFullMessage);
    return;
  }
  CaptureMacro(ctx.macro, rec);
}

WindowRect RefreshRect(const ImageDoc& doc, const PixelRect& r) {
  const int32_t z = doc.zoomPercent;
  WindowRect w;
  w.top = std::max(0, ScaleToWindow(r.top, z) - doc.vScrollPos - 1);
  w.bottom = std::max(0, std::min(doc.clientHeight, ScaleToWindow(r.bottom, z) - doc.vScrollPos) + 2);
  w.left = std::max(0, ScaleToWindow(r.left, z) - doc.hScrollPos - 1);
  w.right = std::max(0, std::min(doc.clientWidth, ScaleToWindow(r.right, z) - doc.hScrollPos) + 2);
  return w;
}

void RefreshArea(MaskContext& ctx, ImageDoc& doc, const PixelRect& r) {
  ctx.shell.InvalidateWindowRect(doc, RefreshRect(doc, r));
  ctx.shell.RefreshOverview(doc);
}

}  // namespace veilo
