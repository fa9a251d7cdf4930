#pragma once
// What one WM_PAINT of a document window draws: the part of the picture that
// covers the update rectangle, the light-grey strips where a stretched
// block runs past the picture's last column or row, and the part over which
// the area frame is drawn again. Each paint transfers only that part.
#include <cstdint>
#include <optional>

#include "doc/image_doc.h"
#include "platform/shell_notifications.h"

namespace veilo {

struct PaintPlan {
  enum class Kind : uint8_t {
    kNothing,  // no picture, or no part of it in the update rectangle
    // SetDIBitsToDevice(dest, src, start scan 0, scan count doc.height, DIB_RGB_COLORS)
    kDirect,
    // SetStretchBltMode(COLORONCOLOR), then StretchDIBits(dest, src, DIB_RGB_COLORS, SRCCOPY)
    kStretch,
  };
  Kind kind = Kind::kNothing;
  int32_t destX = 0, destY = 0, destWidth = 0, destHeight = 0;  // client coordinates
  // Picture pixels; srcY counts from the bottom row (DIB order) and is
  // negative when the block runs past the last row.
  int32_t srcX = 0, srcY = 0, srcWidth = 0, srcHeight = 0;
  // Filled with the light-grey stock brush after the picture, client coordinates.
  std::optional<WindowRect> rightStrip, bottomStrip;
  // The strips' width and height, for doc.rightMargin and doc.bottomMargin
  // (0 without a strip; stored after every paint, even one that draws nothing).
  int32_t rightMargin = 0, bottomMargin = 0;
  // The redrawn part in zoomed-picture coordinates (client plus scroll
  // offset): the area frame is drawn again over it. It spans the picture part
  // (widened to whole blocks) and the whole update rectangle, since the window
  // fills the background around the picture at every paint: the frame's right
  // and bottom sides lie one pixel past the area, so past the picture when the
  // area reaches its edge, and must be drawn again there as well.
  int32_t frameLeft = 0, frameTop = 0, frameWidth = 0, frameHeight = 0;
};

// Above 100 % the painted part is widened to whole blocks of this many
// zoomed pixels, each covering a whole number of picture pixels, so that a
// partial repaint starts on a picture-pixel boundary and matches what is
// already on the screen: zoom / 100 for whole hundreds, zoom / 10 for whole
// tens, else the zoom itself (150 -> 15, 200 -> 2, 110 -> 11, 123 -> 123).
int32_t PaintBlockWidth(int32_t zoom);

// The plan for an update rectangle in client coordinates. The window skips
// painting while it is minimised. An update wholly outside the picture still
// has a frame part (kNothing draws no picture but the background there).
PaintPlan PlanPaint(const ImageDoc& doc, const WindowRect& update);

}  // namespace veilo
