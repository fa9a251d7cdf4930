#include "view/selection_effects.h"

#include <algorithm>

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

// TODO(scrolling): the view's ScrollBy moves an offset the same way; use it
// here once it exists.
int32_t AppendScroll(SelectionEffects& effects, ImageDoc& doc, ScrollBar bar, int32_t delta) {
  const bool vertical = bar == ScrollBar::kVertical;
  int32_t& pos = vertical ? doc.vScrollPos : doc.hScrollPos;
  const int32_t max = std::max(vertical ? doc.vScrollMax : doc.hScrollMax, 0);
  const int32_t moved = std::clamp(delta, -pos, max - pos);
  if (moved == 0) return 0;
  pos += moved;
  SelectionEffect e;
  e.kind = SelectionEffect::Kind::kScrolled;
  e.bar = bar;
  e.delta = moved;
  e.position = pos;
  effects.push_back(e);
  return moved;
}

}  // namespace veilo
