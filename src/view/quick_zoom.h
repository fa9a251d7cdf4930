#pragma once
// The geometry of the Quick Zoom window: the reduced copy of the picture
// centred in the box, the outline of the part the document window shows, the
// left-button move of the view and the right-button band that zooms the
// document window to a rectangle. The window feeds events in and draws what
// these functions decide.
//
// Everything drawn over the reduced copy is the outline of a rectangle with an
// inverting pen (the area frame's), so drawing the same rectangle again
// removes it. Such a rectangle runs from (left, top) to (right, bottom) and
// may be unnormalised (a band from its anchor to its corner).
#include <cstdint>
#include <optional>
#include <vector>

#include "doc/image_doc.h"
#include "doc/pixel_buffer.h"
#include "doc/window_ref.h"
#include "platform/shell_notifications.h"

namespace veilo {

// The reduced copy: the picture fitted into the box keeping its aspect ratio,
// and where it sits in the box.
struct ThumbLayout {
  int32_t thumbWidth = 0, thumbHeight = 0;
  float thumbScale = 0.0f;           // reduced size / picture size; 0 when there is no copy
  int32_t offsetX = 0, offsetY = 0;  // top-left of the copy in the box
  friend bool operator==(const ThumbLayout&, const ThumbLayout&) = default;
};

// The reduced copy of a picW x picH picture in a boxW x boxH box. The side
// that meets the box decides thumbScale. A non-empty picture keeps at least one
// pixel in each direction; an empty picture or box gives no copy (size and
// scale 0), never a division by zero.
ThumbLayout ThumbnailLayout(int32_t picW, int32_t picH, int32_t boxW, int32_t boxH);

// Stores the copy's size and scale in the document.
void StoreThumbLayout(ImageDoc& doc, const ThumbLayout& layout);

struct WindowPlacement {
  int32_t x = 0, y = 0;
  bool useDefault = false;  // let the window system choose the position
  friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// Where the window of the stored outer size goes: the stored position pulled
// back so that the window ends on the screen; when a coordinate is then
// negative (also when the window is larger than the screen), the default.
WindowPlacement QuickZoomPlacement(int32_t storedX, int32_t storedY, int32_t width, int32_t height,
                                   int32_t screenWidth, int32_t screenHeight);

// The outline of the visible picture rectangle in box coordinates, each scaled
// coordinate and extent a 16-bit box quantity; none when there is no copy or
// its left or top would be negative.
std::optional<WindowRect> VisibleOutline(const ThumbLayout& layout, const PixelRect& visible);

struct BoxPoint {
  int32_t x = 0, y = 0;
  friend bool operator==(const BoxPoint&, const BoxPoint&) = default;
};

// A box point held inside the reduced copy (both ends inclusive).
BoxPoint ClampToThumb(const ThumbLayout& layout, int32_t x, int32_t y);

// Left button down, or a move with it held: the offsets that centre the
// document's view on the picture point under a box point. Offsets stay within
// 0..maximum at the document's zoom, on multiples of zoom / 100 above 100 %.
struct ViewMove {
  int32_t hScrollPos = 0, vScrollPos = 0;
  bool hChanged = false, vChanged = false;
  // true: each changed direction goes through the document's scroll handling
  // with the thumb-track code and its new position. false: both offsets are
  // set directly, the scroll ranges updated and the window invalidated with
  // erasing and updated.
  bool smallMove = false;
};
std::optional<ViewMove> CentreViewOn(const ImageDoc& doc, const ThumbLayout& layout, int32_t boxX, int32_t boxY);

// Zooming the document window to a band drawn from anchor to corner: the new
// zoom and offsets. The window stores them, updates the scroll ranges (which
// clamp and align the offsets), repaints and refreshes the zoom controls.
struct BandZoom {
  int32_t zoomPercent = 100;
  int32_t hScrollPos = 0, vScrollPos = 0;
  friend bool operator==(const BandZoom&, const BandZoom&) = default;
};
inline constexpr int32_t kBandZoomMax = 1600;
inline constexpr int32_t kBandZoomMin = 1;
// None for a band without width or height, without a copy or without a client area.
std::optional<BandZoom> ZoomForBand(const ImageDoc& doc, const ThumbLayout& layout, BoxPoint anchor,
                                    BoxPoint corner);

// The process-wide state of the Quick Zoom window; made afresh (with the box
// size read from the client area) each time the window is created.
struct QuickZoomState {
  int32_t boxWidth = 0, boxHeight = 0;
  WindowRef shownWindow = 0;  // document window whose picture is shown; 0 none
  bool hasOutline = false;    // `outline` holds the visible part of the shown document
  bool outlineDrawn = false;
  WindowRect outline;
  bool bandTracking = false;  // a right-button drag is running
  bool bandDrawn = false;
  BoxPoint bandAnchor, bandCorner;
};

// Rectangles to invert, in this order.
using BoxInversions = std::vector<WindowRect>;

// The document's reduced copy placed in this window's box.
ThumbLayout QuickZoomLayout(const QuickZoomState& qz, const ImageDoc& doc);

// A document window becomes the shown one (activation, next-file switch); the
// window then repaints without outline or band.
void QuickZoomShowDocument(QuickZoomState& qz, WindowRef docWindow);
// A document window closes: true when it was the shown one (the window then
// shows no document, its caption becomes "Quick Zoom" and it repaints).
bool QuickZoomForgetDocument(QuickZoomState& qz, WindowRef docWindow);
// The reduced copy was drawn afresh: nothing is drawn over it any more.
void QuickZoomForgetDrawing(QuickZoomState& qz);

// The document window shows a new part of its picture: the old outline goes,
// the new one is drawn. Nothing unless doc is the shown document.
BoxInversions QuickZoomShowVisibleRect(QuickZoomState& qz, const ImageDoc& doc, const PixelRect& visible);

// What a paint draws again over the freshly copied picture; the paint's clip
// keeps the pixels outside the update rectangle untouched.
BoxInversions QuickZoomPaintOverlays(const QuickZoomState& qz);

// Right button down: the band starts at the point held inside the copy; the
// outline is removed meanwhile.
BoxInversions QuickZoomRightDown(QuickZoomState& qz, const ImageDoc& doc, int32_t boxX, int32_t boxY);
// A move with the right button held: the band follows the point.
BoxInversions QuickZoomRightDrag(QuickZoomState& qz, const ImageDoc& doc, int32_t boxX, int32_t boxY);
// A move with no button held: the band goes (its button went up elsewhere)
// and the outline comes back.
BoxInversions QuickZoomHover(QuickZoomState& qz);

struct BandRelease {
  BoxInversions inversions;
  std::optional<BandZoom> zoom;  // none: the band ended on the anchor's row or column
};
// Right button up: the band goes, the outline comes back, and unless the
// release point lies on the anchor's row or column the document zooms to the
// band from the anchor to its last tracked corner.
BandRelease QuickZoomRightUp(QuickZoomState& qz, const ImageDoc& doc, int32_t boxX, int32_t boxY);

}  // namespace veilo
