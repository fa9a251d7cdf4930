#include "view/selection_effects.h"

namespace veilo {

void AppendEffect(SelectionEffects& effects, SelectionEffect::Kind kind) {
  SelectionEffect e;
  e.kind = kind;
  effects.push_back(e);
}

void AppendFrameDraw(SelectionEffects& effects, const ImageDoc& doc) {
  SelectionEffect e;
  e.kind = SelectionEffect::Kind::kDrawFrame;
  e.x1 = doc.areaX1;
  e.y1 = doc.areaY1;
  e.x2 = doc.areaX2;
  e.y2 = doc.areaY2;
  // A later effect of the same list may scroll the document before the window
  // gets to this one; the frame belongs where the screen showed it.
  e.scrollX = doc.hScrollPos;
  e.scrollY = doc.vScrollPos;
  effects.push_back(e);
}

void AppendCursor(SelectionEffects& effects, CursorId cursor, bool keepOld) {
  SelectionEffect e;
  e.kind = SelectionEffect::Kind::kSetCursor;
  e.cursor = cursor;
  e.keepOld = keepOld;
  effects.push_back(e);
}

void AppendAreaText(SelectionEffects& effects, const ImageDoc& doc) {
  SelectionEffect e;
  e.kind = SelectionEffect::Kind::kShowAreaText;
  e.x1 = doc.areaX1;
  e.y1 = doc.areaY1;
  e.x2 = doc.areaX2;
  e.y2 = doc.areaY2;
  effects.push_back(e);
}

void AppendPointerText(SelectionEffects& effects, int32_t x, int32_t y) {
  SelectionEffect e;
  e.kind = SelectionEffect::Kind::kShowPointerText;
  e.x1 = x;
  e.y1 = y;
  effects.push_back(e);
}

int32_t AppendScroll(SelectionEffects& effects, ImageDoc& doc, ScrollBarKind bar, int32_t delta) {
  const int32_t before = bar == ScrollBarKind::kVertical ? doc.vScrollPos : doc.hScrollPos;
  const ScrollMove move = ScrollBy(doc, bar, delta);
  if (!move.moved) return 0;
  SelectionEffect e;
  e.kind = SelectionEffect::Kind::kScrolled;
  e.bar = bar;
  e.delta = move.position - before;
  e.position = move.position;
  effects.push_back(e);
  return e.delta;
}

}  // namespace veilo
