#include "masks/rotation.h"

#include <utility>

#include "masks/mask_log.h"
#include "masks/turn_pixels.h"

namespace veilo {

namespace {

bool KnownTurn(int32_t turn) { return turn == kTurn90 || turn == kTurn180 || turn == kTurn270; }

// Selection corners follow the pixels; each corner moves by itself, so a
// corner that was an exclusive bound stays one after the turn.
void TurnSelection(ImageDoc& doc, int32_t turn, int32_t w, int32_t h) {
  const int32_t x1 = doc.areaX1, y1 = doc.areaY1, x2 = doc.areaX2, y2 = doc.areaY2;
  switch (turn) {
    case kTurn90:
      doc.areaX1 = h - y1;
      doc.areaY1 = x1;
      doc.areaX2 = h - y2;
      doc.areaY2 = x2;
      break;
    case kTurn270:
      doc.areaX1 = y1;
      doc.areaY1 = w - x1;
      doc.areaX2 = y2;
      doc.areaY2 = w - x2;
      break;
    default:
      doc.areaX1 = w - x1;
      doc.areaY1 = h - y1;
      doc.areaX2 = w - x2;
      doc.areaY2 = h - y2;
      break;
  }
}

void TurnView(ImageDoc& doc, int32_t turn) {
  switch (turn) {
    case kTurn90: {
      const int32_t h = doc.hScrollPos;
      doc.hScrollPos = doc.vScrollMax - doc.vScrollPos;
      doc.vScrollPos = h;
      std::swap(doc.hScrollMax, doc.vScrollMax);
      break;
    }
    case kTurn270: {
      const int32_t v = doc.vScrollPos;
      doc.vScrollPos = doc.hScrollMax - doc.hScrollPos;
      doc.hScrollPos = v;
      std::swap(doc.hScrollMax, doc.vScrollMax);
      break;
    }
    default:
      doc.vScrollPos = doc.vScrollMax - doc.vScrollPos;
      doc.hScrollPos = doc.hScrollMax - doc.hScrollPos;
      break;
  }
}

// Turns and tells the shell; false when the turn found no memory.
bool TurnAndShow(MaskContext& ctx, ImageDoc& doc, int32_t turn) {
  WaitCursor wait(ctx.shell);
  if (!TurnPicture(doc, turn)) {
    ctx.shell.ShowError(kMaskNoMemoryMessage);
    return false;
  }
  ctx.shell.RefreshOverview(doc);
  ctx.shell.ReapplyZoom(doc);
  return true;
}

}  // namespace

int32_t InverseTurn(int32_t turn) {
  if (turn == kTurn90) return kTurn270;
  if (turn == kTurn270) return kTurn90;
  return turn;
}

bool TurnPicture(ImageDoc& doc, int32_t turn, TurnedDibAllocator allocate) {
  if (!KnownTurn(turn) || !doc.HasPicture() || doc.bitCount != 24) return false;
  const int32_t w = doc.width, h = doc.height;
  const PixelBuffer px = DocPixels(doc);
  if (turn == kTurn180) {
    TurnHalf(px);
  } else if (w == h) {
    TurnSquareInPlace(px, turn == kTurn90);  // same size and stride: no second picture needed
  } else {
    PackedDib turned = allocate(static_cast<uint32_t>(h), static_cast<uint32_t>(w));
    if (turned.empty()) return false;
    PixelBuffer dst;
    dst.bits = DibPixelStart(turned.data());
    dst.width = h;
    dst.height = w;
    dst.stride = RowStride24(static_cast<uint32_t>(h));
    TurnQuarter(px, dst, turn == kTurn90);
    SetDocPicture(doc, std::move(turned));
  }
  TurnSelection(doc, turn, w, h);
  TurnView(doc, turn);
  return true;
}

void RotateLive(MaskContext& ctx, ImageDoc& doc, int32_t turn) {
  if (!KnownTurn(turn) || !doc.HasPicture()) return;
  if (!TurnAndShow(ctx, doc, turn)) return;
  MaskRecord rec;
  rec.opcode = kOpRotate;
  rec.p[0] = turn;
  LogOperation(ctx, doc, rec);
}

bool ReplayRotateChecked(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir) {
  const int32_t turn = dir == Direction::kForward ? rec.p[0] : InverseTurn(rec.p[0]);
  if (!KnownTurn(turn) || !doc.HasPicture()) return true;  // nothing to turn
  return TurnAndShow(ctx, doc, turn);
}

void ReplayRotate(MaskContext& ctx, ImageDoc& doc, MaskRecord& rec, Direction dir) {
  ReplayRotateChecked(ctx, doc, rec, dir);
}

}  // namespace veilo
