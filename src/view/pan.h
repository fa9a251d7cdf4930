#pragma once
// Middle-button auto-scroll: a click leaves a marker at the pointer, and the
// view then scrolls on every timer tick towards the pointer, faster the
// farther it is from the marker. The marker window and the cursors belong to
// the document window; this decides directions, speeds and scroll steps.
#include <cstdint>

#include "doc/image_doc.h"
#include "view/selection_effects.h"

namespace veilo {

// What the pointer's offset from the marker asks for: a direction in degrees
// clockwise from up in 45-degree sectors (-1 none), how many scroll steps per
// tick, their least size, and the cursor showing the direction.
struct PanSetting {
  int32_t direction = -1;
  int32_t repeat = 0;
  int32_t step = 0;
  CursorId cursor = CursorId::kPanNeutral;
  friend bool operator==(const PanSetting&, const PanSetting&) = default;
};

// dx to the right, dy downward. Within 23 pixels of the marker nothing scrolls.
PanSetting PanSettingFor(int32_t dx, int32_t dy);

enum class MiddleButtonAction : uint8_t {
  // Destroy the marker window, then call EndPan.
  kStopPan,
  // Set the neutral pan cursor keeping the old one in panSavedCursor, show the
  // cursor, create the marker window at PanMarkerRect and store it in panWindow.
  kStartPan,
};

// Middle button pressed at a client point, with the pointer's screen point and
// the document window's screen rectangle. Starting records the anchor; the
// document scrolls nowhere until the pointer moves away from it.
MiddleButtonAction PanOnMiddleDown(ImageDoc& doc, int32_t clientX, int32_t clientY, int32_t screenX,
                                   int32_t screenY, const WindowRect& windowRect);

// The marker window's rectangle in the document's client coordinates: 32 by
// 32 pixels centred on the anchor.
WindowRect PanMarkerRect(const ImageDoc& doc);

// The marker window is gone: the auto-scroll has ended.
void EndPan(ImageDoc& doc);

// The pointer moved to (dx, dy) from the anchor: direction and speed follow
// it; the cursor changes only when the direction does.
SelectionEffects PanOnPointerMove(ImageDoc& doc, int32_t dx, int32_t dy);

// The 100 ms tick while the marker window exists. Scrolls `repeat` steps in
// the direction. Once the pointer (screen point) has left the window, which
// then no longer sees its moves, the direction and speed follow the pointer's
// offset from where the auto-scroll began, with the cursor left as it is.
SelectionEffects PanOnTick(ImageDoc& doc, int32_t screenX, int32_t screenY);

}  // namespace veilo
