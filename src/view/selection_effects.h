#pragma once
// What the selection and auto-scroll handlers ask of the document window. The
// handlers change the document's fields at once and return these effects in
// the order the window has to carry them out; the window owns every cursor,
// device context and scroll bar.
#include <cstdint>
#include <vector>

#include "doc/image_doc.h"
#include "view/scrolling.h"

namespace veilo {

// Cursor resources of the selection frame and of the auto-scroll, by the
// numeric identifiers of the program's resources.
enum class CursorId : int16_t {
  kSavedCursor = -1,  // the cursor kept in ImageDoc::savedCursor
  kArrow = 0,         // the system arrow
  kResizeLeftRight = 156,
  kResizeUpDown = 157,
  kResizeDiagonalDown = 158,  // top-left and bottom-right corners
  kResizeDiagonalUp = 159,    // top-right and bottom-left corners
  kMove = 160,
  kPanNeutral = 164,
  kPanUp = 165,
  kPanRight = 167,
  kPanDown = 168,
  kPanLeft = 169,
  kPanUpRight = 170,
  kPanDownRight = 171,
  kPanDownLeft = 172,
  kPanUpLeft = 173,
};
// The icon the auto-scroll marker window paints.
inline constexpr int16_t kPanMarkerIconId = 174;

struct SelectionEffect {
  enum class Kind : uint8_t {
    // XOR-draw the frame (x1, y1)-(x2, y2) at the scroll offsets (scrollX,
    // scrollY) the screen showed at that moment (FrameSides gives the lines).
    // Drawing the same frame twice erases it.
    kDrawFrame,
    // Show `cursor`; with keepOld, store the cursor it replaces in
    // ImageDoc::savedCursor.
    kSetCursor,
    kShowAreaText,     // the area pane for the corners (x1, y1)-(x2, y2)
    kShowPointerText,  // the position pane for the image point (x1, y1)
    kEnableArea,       // the area commands on
    kDisableArea,      // the area commands off; this also clears the position pane
    kCaptureMouse,
    kReleaseMouse,
    // The offset on `bar` moved by `delta` to `position` (already stored in
    // the document): invalidate the client area without erasing, set the
    // scroll bar's position, update the window, let the Quick Zoom marker follow.
    kScrolled,
    kBeep,  // the error beep (hand icon sound)
  };
  Kind kind = Kind::kBeep;
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int32_t scrollX = 0, scrollY = 0;
  CursorId cursor = CursorId::kArrow;
  bool keepOld = false;
  ScrollBarKind bar = ScrollBarKind::kHorizontal;
  int32_t delta = 0, position = 0;
};
using SelectionEffects = std::vector<SelectionEffect>;

// Builders shared by the handlers.
void AppendEffect(SelectionEffects& effects, SelectionEffect::Kind kind);
// An XOR draw of the document's current corners at its current offsets.
void AppendFrameDraw(SelectionEffects& effects, const ImageDoc& doc);
void AppendCursor(SelectionEffects& effects, CursorId cursor, bool keepOld = false);
void AppendAreaText(SelectionEffects& effects, const ImageDoc& doc);
void AppendPointerText(SelectionEffects& effects, int32_t x, int32_t y);
// Moves one scroll offset by delta, kept within 0..max, and records the move
// when there was one. Returns the distance actually moved.
int32_t AppendScroll(SelectionEffects& effects, ImageDoc& doc, ScrollBarKind bar, int32_t delta);

}  // namespace veilo
