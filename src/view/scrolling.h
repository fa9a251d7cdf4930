#pragma once
// Scrolling a document window: the scroll-bar codes, the wheel, the small
// moves of edge scrolling, auto-scroll and Quick Zoom, a change of the client
// size, and the visible part of the picture. Offsets count zoomed pixels and
// stay within 0..max of their bar.
#include <cstdint>
#include <optional>

#include "doc/image_doc.h"
#include "doc/pixel_buffer.h"
#include "platform/shell_notifications.h"
#include "view/zoom.h"

namespace veilo {

enum class ScrollBarKind : uint8_t { kHorizontal, kVertical };

// The scroll codes of WM_HSCROLL and WM_VSCROLL (the platform's SB_ values;
// left/right share the values of up/down). Any other code scrolls nothing.
inline constexpr int32_t kScrollLineUp = 0;
inline constexpr int32_t kScrollLineDown = 1;
inline constexpr int32_t kScrollPageUp = 2;
inline constexpr int32_t kScrollPageDown = 3;
inline constexpr int32_t kScrollThumbPosition = 4;
inline constexpr int32_t kScrollThumbTrack = 5;
inline constexpr int32_t kScrollTop = 6;
inline constexpr int32_t kScrollBottom = 7;

// What the window does after a scroll. When `moved`: invalidate the whole
// client area without erasing (the view is redrawn, not shifted), set the
// bar's position to `position` with redraw, invalidate `eraseBand` with
// erasing when there is one, update the window and hand VisibleRect to
// Quick Zoom. When not moved there is nothing to do.
struct ScrollMove {
  bool moved = false;
  int32_t position = 0;
  std::optional<WindowRect> eraseBand;
};

// One scroll-bar message or its key: a line is max(zoom / 100, 16) pixels,
// a page the client extent; a thumb drag follows the thumb, in whole zoomed
// picture pixels above 100 %. Pass the full 32-bit tracking position
// (GetScrollInfo with SIF_TRACKPOS): the message's 16-bit word wraps for
// zoomed pictures more than 65535 pixels long.
ScrollMove ScrollDocument(ImageDoc& doc, ScrollBarKind bar, int32_t scrollCode, int32_t thumbPosition);

// The mouse wheel scrolls vertically: |delta| / 8 steps of max(zoom / 100, 2)
// pixels, up for a positive delta.
ScrollMove WheelScroll(ImageDoc& doc, int32_t wheelDelta);

// Moves one offset by `delta`, limited to its range: the moves of edge
// scrolling, auto-scroll and Quick Zoom.
ScrollMove ScrollBy(ImageDoc& doc, ScrollBarKind bar, int32_t delta);

// What WM_SIZE asks of the window besides the new scroll bars. When both
// flags are set, the erasing invalidation covers the other.
struct ResizeEffects {
  ScrollBars bars;
  // The old offset no longer fits: the uncovered part must be erased.
  bool invalidateWithErase = false;
  // The window grew while the zoomed picture does not fit inside it: the
  // block alignment of the painter must be worked out again for the whole view.
  bool invalidateWithoutErase = false;
};

// Stores the new client size (the old one in prevClient*) and updates the ranges.
ResizeEffects OnDocumentResize(ImageDoc& doc, int32_t newClientWidth, int32_t newClientHeight);

// Which scroll bars a window shows.
struct ShownScrollBars {
  bool horizontal = false, vertical = false;
};

// A new picture in a window whose client size (`doc.clientWidth`, `doc.clientHeight`)
// is measured with `shown` bars: updates the ranges for it and tells whether every
// bar stays as it is, needed when shown and not needed when hidden. Then the window
// only sets the ranges and positions; otherwise a bar appears or goes, which resizes
// the client, and the bars must settle through the window's resizes.
bool KeepsScrollBars(ImageDoc& doc, ShownScrollBars shown);

// The part of the picture the window shows, in picture pixels (right and
// bottom exclusive): the rectangle Quick Zoom outlines.
PixelRect VisibleRect(const ImageDoc& doc);

}  // namespace veilo
