#include "view/selection.h"

#include <algorithm>
#include <optional>

#include "view/pan.h"

namespace veilo {
namespace {

using Kind = SelectionEffect::Kind;

// Within this many pixels of the client area's edge a drag scrolls the view.
constexpr int32_t kEdgeBand = 10;

// A unit below 1 (a damaged setting) would divide by zero.
int32_t UnitOf(int32_t unit) { return std::max(unit, 1); }

// Edge scrolling moves the view by at least 16 pixels per step, and by whole
// picture pixels at large zooms.
int32_t EdgeScrollStep(const ImageDoc& doc) { return std::max(doc.zoomPercent / 100, 16); }

bool IsEmptyArea(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return x1 == x2 || y1 == y2; }

bool SameCorners(const ImageDoc& doc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  return doc.areaX1 == x1 && doc.areaY1 == y1 && doc.areaX2 == x2 && doc.areaY2 == y2;
}

void ShowStatus(SelectionEffects& effects, const ImageDoc& doc, ImagePoint pointer) {
  if (doc.areaSelected != 0) {
    AppendAreaText(effects, doc);
  } else {
    AppendPointerText(effects, pointer.x, pointer.y);
  }
}

// Replaces the frame on screen by the one with the given corners; the first
// frame of a selection turns the area commands on.
void ShowCorners(SelectionEffects& effects, ImageDoc& doc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (doc.areaSelected != 0) AppendFrameDraw(effects, doc);
  doc.areaX1 = x1;
  doc.areaY1 = y1;
  doc.areaX2 = x2;
  doc.areaY2 = y2;
  AppendFrameDraw(effects, doc);
  if (doc.areaSelected == 0) AppendEffect(effects, Kind::kEnableArea);
  doc.areaSelected = 1;
  AppendAreaText(effects, doc);
}

// Erases the frame and forgets the selection.
void ClearSelection(SelectionEffects& effects, ImageDoc& doc) {
  if (doc.areaSelected != 0) AppendFrameDraw(effects, doc);
  doc.areaSelected = 0;
  AppendEffect(effects, Kind::kDisableArea);
}

void NormaliseCorners(ImageDoc& doc) {
  if (doc.areaX1 > doc.areaX2) std::swap(doc.areaX1, doc.areaX2);
  if (doc.areaY1 > doc.areaY2) std::swap(doc.areaY1, doc.areaY2);
}

// The dragged corner for an image point: width and height become multiples
// of the size unit, rounded towards the start corner.
ImagePoint SnappedSecondCorner(const ImageDoc& doc, const AreaUnits& units, ImagePoint p) {
  const int32_t size = UnitOf(units.size);
  return {doc.areaX1 + size * ((p.x - doc.areaX1) / size), doc.areaY1 + size * ((p.y - doc.areaY1) / size)};
}

// Stretches the area to the client point during edge scrolling. A snapped
// area without width or height is not shown; the last frame stays.
void FollowPointer(SelectionEffects& effects, ImageDoc& doc, const AreaUnits& units, int32_t clientX,
                   int32_t clientY) {
  const ImagePoint corner = SnappedSecondCorner(doc, units, ImagePointOf(doc, clientX, clientY));
  if (corner.x == doc.areaX2 && corner.y == doc.areaY2) return;
  if (IsEmptyArea(doc.areaX1, doc.areaY1, corner.x, corner.y)) return;
  ShowCorners(effects, doc, doc.areaX1, doc.areaY1, corner.x, corner.y);
}

// --- Zones: Shift turns the frame's edges, corners and inside into handles.

void EnterZone(SelectionEffects& effects, ImageDoc& doc, ImagePoint p) {
  const int16_t zone = HitZoneAt(doc, p);
  if (zone == kZoneNone) return;
  doc.hitZone = zone;
  AppendCursor(effects, ZoneCursor(zone), /*keepOld=*/true);
  doc.hitX = p.x;
  doc.hitY = p.y;
}

void LeaveZone(SelectionEffects& effects, ImageDoc& doc) {
  doc.hitZone = kZoneNone;
  AppendCursor(effects, CursorId::kSavedCursor);
}

// Moves the grabbed corners with the pointer. They stay inside the picture:
// a moved frame keeps its size at the border, a dragged edge stops there.
void MoveByZone(SelectionEffects& effects, ImageDoc& doc, ImagePoint p) {
  int32_t dx = p.x - doc.hitX, dy = p.y - doc.hitY;
  doc.hitX = p.x;
  doc.hitY = p.y;
  if (dx == 0 && dy == 0) return;
  const ZoneCorners moved = CornersMovedBy(doc.hitZone);
  int32_t x1 = doc.areaX1, y1 = doc.areaY1, x2 = doc.areaX2, y2 = doc.areaY2;
  if (doc.hitZone == kZoneInside) {
    dx = std::min(std::max(dx, -std::min(x1, x2)), doc.width - std::max(x1, x2));
    dy = std::min(std::max(dy, -std::min(y1, y2)), doc.height - std::max(y1, y2));
  }
  const auto shift = [](int32_t v, int32_t d, int32_t limit) {
    return std::clamp(v + d, 0, std::max(limit, 0));
  };
  if (moved.x1) x1 = shift(x1, dx, doc.width);
  if (moved.x2) x2 = shift(x2, dx, doc.width);
  if (moved.y1) y1 = shift(y1, dy, doc.height);
  if (moved.y2) y2 = shift(y2, dy, doc.height);
  if (SameCorners(doc, x1, y1, x2, y2)) return;
  ShowCorners(effects, doc, x1, y1, x2, y2);
}

// --- Edge scrolling.

bool IsOneOf(int32_t code, std::initializer_list<int32_t> codes) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// Right and down join the directions the timer scrolls in; a repeated one
// from a single border narrows the set to itself.
void AddEdge(ImageDoc& doc, int32_t bit, int32_t code) {
  if ((doc.resizeEdges & bit) == 0) {
    doc.resizeEdges |= bit;
    doc.edgeScrollTicks = 0;
  } else if (code != kHitBottomRightCorner) {
    doc.resizeEdges = bit;
  }
}

// Up and left replace the directions.
void ReplaceEdges(ImageDoc& doc, int32_t bit) {
  if ((doc.resizeEdges & bit) == 0) {
    doc.resizeEdges = bit;
    doc.edgeScrollTicks = 0;
  }
}

constexpr int32_t kEdgeRight = 1, kEdgeDown = 2, kEdgeUp = 4, kEdgeLeft = 8;

void EdgeScroll(SelectionEffects& effects, ImageDoc& doc, const AreaUnits& units, int32_t code, int32_t clientX,
                int32_t clientY, EdgeScrollMemory& memory, bool timerRunning) {
  if (doc.dragging != 1) return;
  // Over the caption, the system menu and the top or left border the
  // pointer counts as lying on the client area's edge.
  int32_t x = std::max(clientX, 0), y = std::max(clientY, 0);
  if (IsOneOf(code, {kHitCaption, kHitSystemMenu, kHitTopBorder})) y = 0;
  if (IsOneOf(code, {kHitSystemMenu, kHitLeftBorder})) x = 0;
  memory = {x, y};
  FollowPointer(effects, doc, units, x, y);

  const bool right = IsOneOf(code, {kHitVerticalScroll, kHitRightBorder, kHitBottomRightCorner}) &&
                     doc.hScrollPos < doc.hScrollMax;
  const bool down = IsOneOf(code, {kHitHorizontalScroll, kHitBottomBorder, kHitBottomRightCorner}) &&
                    doc.vScrollPos < doc.vScrollMax;
  const bool up = IsOneOf(code, {kHitCaption, kHitSystemMenu, kHitTopBorder}) && doc.vScrollPos > 0;
  const bool left = IsOneOf(code, {kHitLeftBorder, kHitSystemMenu}) && doc.hScrollPos > 0;
  if (timerRunning) {
    if (right) AddEdge(doc, kEdgeRight, code);
    if (down) AddEdge(doc, kEdgeDown, code);
    if (up) ReplaceEdges(doc, kEdgeUp);
    if (left) ReplaceEdges(doc, kEdgeLeft);
    return;
  }
  const int32_t step = EdgeScrollStep(doc);
  if (right) AppendScroll(effects, doc, ScrollBarKind::kHorizontal, step);
  if (down) AppendScroll(effects, doc, ScrollBarKind::kVertical, step);
  if (up) AppendScroll(effects, doc, ScrollBarKind::kVertical, -step);
  if (left) AppendScroll(effects, doc, ScrollBarKind::kHorizontal, -step);
}

// A drag near the client area's edge asks to scroll that way; horizontal
// requests win over vertical ones.
std::optional<int32_t> EdgeRequest(const ImageDoc& doc, int32_t cx, int32_t cy) {
  if (cx < kEdgeBand && doc.hScrollPos > 0) return kHitLeftBorder;
  if (cx > doc.clientWidth - kEdgeBand && doc.hScrollPos < doc.hScrollMax) return kHitRightBorder;
  if (cy < kEdgeBand && doc.vScrollPos > 0) return kHitTopBorder;
  if (cy > doc.clientHeight - kEdgeBand && doc.vScrollPos < doc.vScrollMax) return kHitBottomBorder;
  return std::nullopt;
}

bool WellInside(const ImageDoc& doc, int32_t cx, int32_t cy) {
  return cx >= kEdgeBand && cy >= kEdgeBand && cx <= doc.clientWidth - kEdgeBand &&
         cy <= doc.clientHeight - kEdgeBand;
}

// The rubber band follows the pointer.
void Drag(SelectionEffects& effects, ImageDoc& doc, const AreaUnits& units, const MouseEvent& event,
          ImagePoint p, EdgeScrollMemory& memory, bool timerRunning) {
  const ImagePoint corner = SnappedSecondCorner(doc, units, p);
  if (corner.x == doc.areaX2 && corner.y == doc.areaY2 && WellInside(doc, event.clientX, event.clientY)) return;
  if (corner.x == doc.areaX1 && corner.y == doc.areaY1) return;
  // Left of or above the anchor, the start corner moves one unit on, so the
  // area still holds the grid cell where the drag began.
  const int32_t start = UnitOf(units.start);
  const int32_t x1 = corner.x < doc.anchorX ? std::min(doc.anchorX + start, doc.width) : doc.anchorX;
  const int32_t y1 = corner.y < doc.anchorY ? std::min(doc.anchorY + start, doc.height) : doc.anchorY;
  // A snapped area without width or height is not shown.
  const bool unchanged = doc.areaSelected != 0 && SameCorners(doc, x1, y1, corner.x, corner.y);
  if (!IsEmptyArea(x1, y1, corner.x, corner.y) && !unchanged) {
    ShowCorners(effects, doc, x1, y1, corner.x, corner.y);
  }
  if (const std::optional<int32_t> code = EdgeRequest(doc, event.clientX, event.clientY)) {
    EdgeScroll(effects, doc, units, *code, event.clientX, event.clientY, memory, timerRunning);
  }
}

}  // namespace

SelectionEffects SelectionOnLeftDown(ImageDoc& doc, const AreaUnits& units, const MouseEvent& event) {
  SelectionEffects effects;
  if (doc.mouseCaptured == 0) {
    AppendEffect(effects, Kind::kCaptureMouse);
    doc.mouseCaptured = 1;
  }
  if (doc.hitZone != kZoneNone) return effects;  // a move or resize of the frame begins
  ClearSelection(effects, doc);
  doc.dragging = 1;
  const ImagePoint p = ImagePointOf(doc, event.clientX, event.clientY);
  const int32_t start = UnitOf(units.start);
  doc.areaX1 = doc.anchorX = start * (p.x / start);
  doc.areaY1 = doc.anchorY = start * (p.y / start);
  // The old second corner must not pass for the new one: a first move that
  // lands on it would otherwise show nothing.
  doc.areaX2 = doc.areaX1;
  doc.areaY2 = doc.areaY1;
  return effects;
}

SelectionEffects SelectionOnMouseMove(ImageDoc& doc, const AreaUnits& units, const MouseEvent& event,
                                      EdgeScrollMemory& memory, bool timerRunning) {
  // Edge scrolling lasts only while no move inside the client area says
  // otherwise; a move near the edge asks for it again below.
  doc.resizeEdges = 0;
  if (doc.panWindow != 0) {
    return PanOnPointerMove(doc, event.clientX - doc.panAnchorX, event.clientY - doc.panAnchorY);
  }

  SelectionEffects effects;
  const ImagePoint p = ImagePointOf(doc, event.clientX, event.clientY);
  ShowStatus(effects, doc, p);
  if (doc.hitZone == kZoneNone) AppendCursor(effects, CursorId::kArrow);
  if (event.shift && doc.hitZone == kZoneNone && doc.areaSelected != 0) {
    EnterZone(effects, doc, p);
  } else if (doc.hitZone != kZoneNone && !event.leftDown &&
             !(event.shift && ZoneContains(doc, doc.hitZone, p))) {
    LeaveZone(effects, doc);
  }
  if (doc.hitZone != kZoneNone && event.leftDown) {
    if (doc.areaSelected != 0) MoveByZone(effects, doc, p);
    return effects;
  }

  if (doc.dragging != 1) return effects;
  if (!event.leftDown) {
    doc.dragging = 0;  // the button came up where this window did not see it
    return effects;
  }
  Drag(effects, doc, units, event, p, memory, timerRunning);
  return effects;
}

SelectionEffects SelectionOnLeftUp(ImageDoc& doc) {
  SelectionEffects effects;
  NormaliseCorners(doc);
  if (doc.mouseCaptured != 0) {
    AppendEffect(effects, Kind::kReleaseMouse);
    doc.mouseCaptured = 0;
  }
  doc.dragging = 0;
  doc.resizeEdges = 0;
  return effects;
}

SelectionEffects SelectionOnNonClientMove(ImageDoc& doc, const AreaUnits& units, int32_t hitTestCode,
                                          int32_t clientX, int32_t clientY, EdgeScrollMemory& memory,
                                          bool timerRunning) {
  SelectionEffects effects;
  EdgeScroll(effects, doc, units, hitTestCode, clientX, clientY, memory, timerRunning);
  return effects;
}

SelectionEffects SelectionOnNonClientLeftUp(ImageDoc& doc) {
  // A drag that ends over the window's frame ends like one in the client
  // area: with its corners in order, so that the zones and the one-pixel
  // moves see a proper rectangle.
  NormaliseCorners(doc);
  doc.resizeEdges = 0;
  doc.dragging = 0;
  return {};
}

SelectionEffects SelectionOnShiftDown(ImageDoc& doc, int32_t clientX, int32_t clientY) {
  SelectionEffects effects;
  if (doc.hitZone != kZoneNone || doc.areaSelected == 0) return effects;
  const ImagePoint p = ImagePointOf(doc, clientX, clientY);
  doc.hitX = p.x;
  doc.hitY = p.y;
  EnterZone(effects, doc, p);
  return effects;
}

SelectionEffects SelectionOnShiftUp(ImageDoc& doc) {
  SelectionEffects effects;
  if (doc.hitZone != kZoneNone) LeaveZone(effects, doc);
  return effects;
}

SelectionEffects SelectionOnTimer(ImageDoc& doc, const AreaUnits& units, const EdgeScrollMemory& memory) {
  SelectionEffects effects;
  if (doc.resizeEdges == 0) return effects;
  if (doc.dragging != 1) {
    doc.resizeEdges = 0;
    return effects;
  }
  FollowPointer(effects, doc, units, memory.clientX, memory.clientY);
  const int32_t step = EdgeScrollStep(doc);
  if (doc.edgeScrollTicks % 2 == 0) {
    if (doc.resizeEdges & kEdgeRight) AppendScroll(effects, doc, ScrollBarKind::kHorizontal, step);
    if (doc.resizeEdges & kEdgeLeft) AppendScroll(effects, doc, ScrollBarKind::kHorizontal, -step);
  } else {
    if (doc.resizeEdges & kEdgeDown) AppendScroll(effects, doc, ScrollBarKind::kVertical, step);
    if (doc.resizeEdges & kEdgeUp) AppendScroll(effects, doc, ScrollBarKind::kVertical, -step);
  }
  // Wraps instead of overflowing on a drag held for months; only the parity counts.
  doc.edgeScrollTicks = doc.edgeScrollTicks == INT32_MAX ? 0 : doc.edgeScrollTicks + 1;
  return effects;
}

SelectionEffects MoveAreaOnePixel(ImageDoc& doc, int32_t dx, int32_t dy) {
  SelectionEffects effects;
  if (doc.areaSelected == 0) return effects;
  const auto fits = [](int32_t v, int32_t limit) { return v >= 0 && v <= limit; };
  if (!fits(doc.areaX1 + dx, doc.width) || !fits(doc.areaX2 + dx, doc.width) ||
      !fits(doc.areaY1 + dy, doc.height) || !fits(doc.areaY2 + dy, doc.height)) {
    return effects;
  }
  ShowCorners(effects, doc, doc.areaX1 + dx, doc.areaY1 + dy, doc.areaX2 + dx, doc.areaY2 + dy);
  return effects;
}

SelectionEffects SelectionOnDoubleClick(ImageDoc& doc, const AreaUnits& units, const MouseEvent& event,
                                        DetectionMemory& memory, ShellNotifications& shell) {
  SelectionEffects effects;
  ClearSelection(effects, doc);
  // A zone grabbed on the old frame means nothing on the new one.
  if (doc.hitZone != kZoneNone) LeaveZone(effects, doc);
  const ImagePoint p = ImagePointOf(doc, event.clientX, event.clientY);

  std::optional<PixelRect> found;
  if (event.ctrl) {
    const int32_t size = UnitOf(units.size);
    found = PixelRect{0, 0, size * (doc.width / size), size * (doc.height / size)};
  } else {
    const WaitCursor wait(shell);
    found = event.shift ? EdgeScan(doc, p.x, p.y) : DetectAreaAt(memory, doc, p.x, p.y);
  }
  // Nothing found, or a picture smaller than one size unit: no area.
  if (!found || found->Empty()) {
    AppendEffect(effects, Kind::kBeep);
    return effects;
  }
  SetSelectionCorners(doc, *found);
  AppendFrameDraw(effects, doc);
  doc.dragging = 0;
  doc.resizeEdges = 0;
  doc.areaSelected = 1;
  AppendEffect(effects, Kind::kEnableArea);
  AppendAreaText(effects, doc);
  return effects;
}

}  // namespace veilo
