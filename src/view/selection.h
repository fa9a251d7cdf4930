#pragma once
// The selection area's mouse and keyboard handling in a document window:
// dragging a rubber-band frame snapped to the area units, scrolling the view
// while the drag runs past the window's edge, moving or resizing the frame by
// its zones while Shift is held, one-pixel moves and double-click selection.
// Each handler takes the document and one input event, changes the document's
// fields and returns what the window has to draw and tell the user.
#include <cstdint>

#include "doc/image_doc.h"
#include "masks/detection.h"
#include "platform/shell_notifications.h"
#include "view/frame_geometry.h"
#include "view/selection_effects.h"

namespace veilo {

// The grids of a drag: its start corner snaps down to a multiple of `start`,
// its width and height are multiples of `size` (1 = free, 8 or 16).
struct AreaUnits {
  int32_t start = 8, size = 8;
};

// A mouse message: the client point (signed; beyond the client area while the
// mouse is captured) and the key-state flags it carried.
struct MouseEvent {
  int32_t clientX = 0, clientY = 0;
  bool leftDown = false, shift = false, ctrl = false;
};

// Where the pointer was at the last edge scroll, as a client point limited to
// the window's edge; the timer keeps stretching the area towards it.
struct EdgeScrollMemory {
  int32_t clientX = 0, clientY = 0;
};

// Hit-test codes of non-client mouse messages that drive edge scrolling.
enum NonClientHit : int32_t {
  kHitCaption = 2,
  kHitSystemMenu = 3,
  kHitHorizontalScroll = 6,
  kHitVerticalScroll = 7,
  kHitLeftBorder = 10,
  kHitRightBorder = 11,
  kHitTopBorder = 12,
  kHitBottomBorder = 15,
  kHitBottomRightCorner = 17,
};

// Left button pressed in the client area: starts a new drag, or, over a frame
// zone grabbed with Shift, a move or resize of the frame.
SelectionEffects SelectionOnLeftDown(ImageDoc& doc, const AreaUnits& units, const MouseEvent& event);

// Pointer moved in the client area (also steers a running auto-scroll).
// timerRunning: the frame's 100 ms timer runs, so edge scrolling is left to
// SelectionOnTimer instead of scrolling at once.
SelectionEffects SelectionOnMouseMove(ImageDoc& doc, const AreaUnits& units, const MouseEvent& event,
                                      EdgeScrollMemory& memory, bool timerRunning);

// Left button released: the corners are put in order and the capture ends.
SelectionEffects SelectionOnLeftUp(ImageDoc& doc);

// Pointer moved over the window's frame during a drag (client point).
SelectionEffects SelectionOnNonClientMove(ImageDoc& doc, const AreaUnits& units, int32_t hitTestCode,
                                          int32_t clientX, int32_t clientY, EdgeScrollMemory& memory,
                                          bool timerRunning);
SelectionEffects SelectionOnNonClientLeftUp(ImageDoc& doc);

// Shift pressed (the pointer's current client point) and released.
SelectionEffects SelectionOnShiftDown(ImageDoc& doc, int32_t clientX, int32_t clientY);
SelectionEffects SelectionOnShiftUp(ImageDoc& doc);

// The 100 ms tick while edge scrolling (resizeEdges nonzero): stretches the
// area to the remembered pointer and scrolls, horizontally and vertically on
// alternate ticks.
SelectionEffects SelectionOnTimer(ImageDoc& doc, const AreaUnits& units, const EdgeScrollMemory& memory);

// Moves the frame by one pixel (dx, dy each -1, 0 or 1); refused when a corner
// would leave the picture.
SelectionEffects MoveAreaOnePixel(ImageDoc& doc, int32_t dx, int32_t dy);

// Left double-click: Ctrl selects the whole picture in whole size units, Shift
// runs the edge scan, otherwise the rectangle search (repeated clicks at the
// same point try the rectangles nearby). The wait cursor shows while a
// detection runs. A failure beeps and leaves no area selected.
SelectionEffects SelectionOnDoubleClick(ImageDoc& doc, const AreaUnits& units, const MouseEvent& event,
                                        DetectionMemory& memory, ShellNotifications& shell);

}  // namespace veilo
