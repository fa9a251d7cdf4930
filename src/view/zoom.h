#pragma once
// The zoom of a document window: the Zoom In and Zoom Out steps, changing the
// zoom around the view centre, fitting the whole picture, and the scroll
// ranges that follow from zoom, picture size and client size. The window
// applies the answers: scroll bars, repaint, status pane, command states.
#include <cstdint>

#include "doc/image_doc.h"

namespace veilo {

inline constexpr int32_t kMinZoomForZoomOut = 25;   // zoom out while the zoom is above this
inline constexpr int32_t kMaxZoomForZoomIn = 1600;  // zoom in while the zoom is below this

// 100 -> 150 -> 200 -> 300 -> 400 -> 800 -> 1600; below 100 in tens.
// A zoom that cannot zoom in is returned unchanged.
int32_t ZoomInStep(int32_t zoom);
// 1600 -> 800 -> 400 -> 300 -> 200 -> 150 -> 100 -> 90 ... 20; 250 -> 100,
// 26..29 -> 10, anything above 1600 -> 1600. A zoom that cannot zoom out is
// returned unchanged.
int32_t ZoomOutStep(int32_t zoom);
inline bool CanZoomIn(int32_t zoom) { return zoom < kMaxZoomForZoomIn; }
inline bool CanZoomOut(int32_t zoom) { return zoom > kMinZoomForZoomOut; }

// What the two scroll bars show: range 0..max (SetScrollRange without
// redraw) and position (SetScrollPos with redraw). A maximum of 0 means the
// zoomed picture fits that way, which hides the bar.
struct ScrollBars {
  int32_t hMax = 0, hPos = 0, vMax = 0, vPos = 0;
  friend bool operator==(const ScrollBars&, const ScrollBars&) = default;
};

// Recomputes both maxima from zoom, picture and client size, clamps the
// offsets into them and, above 100 %, rounds them down to whole zoomed
// pixels (multiples of zoom / 100). Call after any change of zoom, picture
// size or client size; then hand VisibleRect (scrolling.h) to Quick Zoom.
ScrollBars UpdateScrollRanges(ImageDoc& doc);

// Changes the zoom keeping the centre of the view where it was, then
// updates the ranges. A zoom below 1 becomes 1. The window then invalidates
// the whole client area with erasing, shows doc.zoomPercent in the zoom pane
// and enables Zoom In/Out by CanZoomIn/CanZoomOut.
ScrollBars SetZoom(ImageDoc& doc, int32_t newZoom);

// The system's scroll-bar sizes (iScrollWidth and iScrollHeight of
// SPI_GETNONCLIENTMETRICS).
struct ScrollBarMetrics {
  int32_t scrollBarWidth = 0;   // of the vertical bar
  int32_t scrollBarHeight = 0;  // of the horizontal bar
};

// The largest zoom at which the whole picture fits the client area as it
// would be without the scroll bars now shown: whole percent, and whole tens
// above 100. Never below 1, even for a picture more than a hundred times
// larger than the window; it may lie above 1600 for a small picture. Without
// a picture or a client area the current zoom is kept.
int32_t FitZoom(const ImageDoc& doc, const ScrollBarMetrics& m);

// "Whole image": both offsets to 0, then SetZoom(FitZoom).
ScrollBars FitWholeImage(ImageDoc& doc, const ScrollBarMetrics& m);

}  // namespace veilo
