#include "masks/cp_mask.h"

#include <cstring>

#include "masks/mask_log.h"

namespace veilo {

void CpLive(MaskContext& ctx, ImageDoc& doc, std::string_view code) {
  const auto selection = SelectedArea(doc);
  if (!selection) return;
  const PixelBuffer px = DocPixels(doc);
  const PixelRect area = px.Clip(*selection);
  if (!ReportBlockMask(ctx, ApplyCpMask(px, area, kCpBlockSize, code))) return;
  RefreshArea(ctx, doc, area);
  MaskRecord rec = MakeRecord(kOpCp, area);
  rec.p[0] = kCpBlockSize;
  std::memcpy(rec.code.data(), code.data(), code.size());  // a valid code has at most 16 letters
  LogOperation(ctx, doc, rec);
}

// The mask is its own inverse: Undo, Redo and macro replay run it alike.
void ReplayCp(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction) {
  const auto selection = ReplayArea(ctx, doc, rec);
  if (!selection) return;
  const PixelBuffer px = DocPixels(doc);
  const PixelRect area = px.Clip(*selection);
  const std::string_view code(rec.code.data(), strnlen(rec.code.data(), rec.code.size()));
  if (!ReportBlockMask(ctx, ApplyCpMask(px, area, rec.p[0], code))) return;
  FinishReplay(ctx, doc, rec, area);
}

}  // namespace veilo
