#pragma once
// Where the selection frame lies: image points of the pointer, the zones of
// the frame that Shift turns into handles, and the frame's lines on screen.
#include <array>
#include <cstdint>
#include <vector>

#include "doc/image_doc.h"
#include "view/selection_effects.h"

namespace veilo {

struct ImagePoint {
  int32_t x = 0, y = 0;
  friend bool operator==(const ImagePoint&, const ImagePoint&) = default;
};

// The image point under a client point. Negative client values count as 0 and
// results are limited to width and height, both inclusive: the exclusive right
// and bottom bounds of the picture are reachable.
ImagePoint ImagePointOf(const ImageDoc& doc, int32_t clientX, int32_t clientY);

// The parts of an existing frame the pointer can grab while Shift is held.
enum HitZone : int16_t {
  kZoneNone = 0,
  kZoneRightEdge = 1,
  kZoneLeftEdge = 2,
  kZoneTopEdge = 3,
  kZoneBottomEdge = 4,
  kZoneBottomRight = 5,
  kZoneBottomLeft = 6,
  kZoneTopRight = 7,
  kZoneTopLeft = 8,
  kZoneInside = 9,
};

// The zone of the frame (current corners) at an image point: edges first,
// then corners, then the inside; kZoneNone when none matches.
int16_t HitZoneAt(const ImageDoc& doc, ImagePoint p);
// Whether p lies in that one zone, whatever the zones tested before it say.
bool ZoneContains(const ImageDoc& doc, int16_t zone, ImagePoint p);
CursorId ZoneCursor(int16_t zone);
// Which corners a drag of the zone moves.
struct ZoneCorners {
  bool x1 = false, y1 = false, x2 = false, y2 = false;
};
ZoneCorners CornersMovedBy(int16_t zone);

// One line in client coordinates, drawn from (x1, y1) up to but not including
// (x2, y2), as a move-to and line-to pair draws it.
struct LineSegment {
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  friend bool operator==(const LineSegment&, const LineSegment&) = default;
};

// The four sides of a kDrawFrame effect: the left side, the top, the right
// side, the bottom. The corners are put in order first, so that a frame drawn
// while the corners stood reversed is erased exactly by the same rectangle
// drawn in order.
std::array<LineSegment, 4> FrameSides(const ImageDoc& doc, const SelectionEffect& draw);

// The pieces of the frame of the selected area that lie inside a part of the
// view just repainted (left, top, width, height in zoomed-picture coordinates,
// that is client coordinates plus the scroll offsets), in client coordinates at
// the current offsets. They cover exactly the pixels FrameSides covers inside
// that part, so the frame survives the repaint and is still erased by the next
// XOR draw. Nothing while no area is selected.
std::vector<LineSegment> ClippedFrameSegments(const ImageDoc& doc, int32_t left, int32_t top, int32_t width,
                                              int32_t height);

}  // namespace veilo
