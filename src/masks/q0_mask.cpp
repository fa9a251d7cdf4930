#include "masks/q0_mask.h"

#include "masks/colour_masks.h"
#include "masks/flip_glass.h"
#include "masks/mask_log.h"

namespace veilo {

namespace {

// The steps of one Q0 mask, as logged: p1 box size, p2..p7 step flags,
// p8 and p9 the channel sets.
struct Q0Steps {
  int32_t box = 0;
  bool verticalGlass = false;    // each box flipped top to bottom
  bool horizontalGlass = false;  // each box mirrored left to right
  bool negPos = false, leftRight = false, upDown = false, xorStep = false;
  uint8_t negChannels = 0, xorChannels = 0;
};

Q0Steps StepsOf(const MaskRecord& rec) {
  Q0Steps s;
  s.box = rec.p[0];
  s.verticalGlass = rec.p[1] != 0;
  s.horizontalGlass = rec.p[2] != 0;
  s.negPos = rec.p[3] != 0;
  s.leftRight = rec.p[4] != 0;
  s.upDown = rec.p[5] != 0;
  s.xorStep = rec.p[6] != 0;
  s.negChannels = static_cast<uint8_t>(rec.p[7]);
  s.xorChannels = static_cast<uint8_t>(rec.p[8]);
  return s;
}

MaskRecord RecordOf(const MaskOptions& o, const PixelRect& area) {
  MaskRecord rec = MakeRecord(kOpQ0, area);
  rec.p = {o.glassBoxSize, o.q0VerticalGlass, o.q0HorizontalGlass, o.q0NegPos, o.q0LeftRight,
           o.q0UpDown,     o.q0Xor,           o.rgbNegChannels,    o.rgbXorChannels};
  return rec;
}

// Each box is mirrored first and flipped second; within one box the two
// commute, and the boxes do not overlap, so two whole tilings do the same.
void GlassSteps(const PixelBuffer& px, const PixelRect& r, const Q0Steps& s) {
  if (s.horizontalGlass) GlassArea(px, r, s.box, true);
  if (s.verticalGlass) GlassArea(px, r, s.box, false);
}

void ApplyLiveOrder(const PixelBuffer& px, const PixelRect& r, const Q0Steps& s) {
  if (s.negPos) NegateArea(px, r, s.negChannels);
  if (s.xorStep) XorArea(px, r, s.xorChannels);
  if (s.upDown) FlipArea(px, r);
  if (s.leftRight) MirrorArea(px, r);
  GlassSteps(px, r, s);
}

// The live steps backwards: undoes the live mask exactly.
void ApplyReplayOrder(const PixelBuffer& px, const PixelRect& r, const Q0Steps& s) {
  if (s.negPos) NegateArea(px, r, s.negChannels);
  GlassSteps(px, r, s);
  if (s.leftRight) MirrorArea(px, r);
  if (s.upDown) FlipArea(px, r);
  if (s.xorStep) XorArea(px, r, s.xorChannels);
}

}  // namespace

void Q0Live(MaskContext& ctx, ImageDoc& doc) {
  const auto area = SelectedArea(doc);
  if (!area) return;
  const MaskRecord rec = RecordOf(ctx.options, *area);
  ApplyLiveOrder(DocPixels(doc), *area, StepsOf(rec));
  RefreshArea(ctx, doc, *area);
  LogOperation(ctx, doc, rec);
}

// The whole-area steps and the glass tiling do not commute when the area's
// sides are not multiples of the box size, so the steps are not their own
// inverse: Undo runs them backwards, while Redo and macro replay run them in
// the live order to give exactly what the live mask gave.
void ReplayQ0(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir) {
  const auto area = ReplayArea(ctx, doc, rec);
  if (!area) return;
  const PixelBuffer px = DocPixels(doc);
  if (dir == Direction::kInverse)
    ApplyReplayOrder(px, *area, StepsOf(rec));
  else
    ApplyLiveOrder(px, *area, StepsOf(rec));
  FinishReplay(ctx, doc, rec, *area);
}

}  // namespace veilo
