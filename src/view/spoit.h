#pragma once
// The colour spoit: a picture shown magnified 1, 2, 4, 8 or 16 times with
// scroll bars, a swatch of the colour under the pointer, and a left click that
// picks that colour. These functions hold its state and geometry; the picker
// window and its picture view feed events in and apply the answers.
#include <array>
#include <cstdint>
#include <optional>

#include "platform/dpi_scale.h"
#include "platform/shell_notifications.h"
#include "view/colour_pick_target.h"

namespace veilo {

inline constexpr std::array<int32_t, 5> kSpoitMagnifications = {1, 2, 4, 8, 16};
inline constexpr int32_t kSpoitFirstRadioId = 1000;  // "x 1" .. "x16" are 1000..1004
inline constexpr int32_t kSpoitLineStep = 16;
inline constexpr int32_t kSpoitWidth = 400, kSpoitHeight = 300;

// The magnification of radio button index 0..4; 0 for any other index.
int32_t SpoitMagnificationOf(int32_t radioIndex);
// The radio button index of a magnification; -1 when it is none of them.
int32_t SpoitRadioIndexOf(int32_t magnification);

// Process-wide: one picker at a time; the magnification outlives it.
struct SpoitState {
  int32_t magnification = 1;
  int32_t pictureWidth = 0, pictureHeight = 0;
  int32_t hOffset = 0, vOffset = 0;  // in magnified pixels
  int32_t hMax = 0, vMax = 0;
  int32_t clientWidth = 0, clientHeight = 0;  // of the picture view
  int32_t prevClientWidth = 0, prevClientHeight = 0;
  bool picked = false;
  bool open = false;
};

// A picker opens over target's picture: offsets and sizes start at 0, nothing
// is picked. False (and nothing changes) while another picker is open.
bool SpoitBegin(SpoitState& s, const ColourPickTarget& target);
// The picker closed: 1 when a colour was picked, else 0.
int32_t SpoitEnd(SpoitState& s);

// Maxima m * size - client extent (at least 0), offsets held to them.
void SpoitUpdateRanges(SpoitState& s);

// A radio button chose m: the view keeps its centre (as a document zoom does,
// with m in place of the percent) and the ranges follow. False, with nothing
// changed, for a value that is not one of the magnifications.
bool SpoitSetMagnification(SpoitState& s, int32_t magnification);

enum class SpoitAxis : uint8_t { kHorizontal, kVertical };

// The outcome of a scroll: when moved, the view is invalidated without
// erasing, the bar set to `position` and the view updated.
struct SpoitMove {
  bool moved = false;
  int32_t position = 0;
  friend bool operator==(const SpoitMove&, const SpoitMove&) = default;
};

// A scroll-bar code (line 16 pixels, page the client extent, thumb track to
// any position, top, bottom; others do nothing), held to 0..maximum.
SpoitMove SpoitScroll(SpoitState& s, SpoitAxis axis, int32_t scrollCode, int32_t thumbPosition);
// The wheel: |delta| / 8 steps of max(m, 2) pixels, up for a positive delta.
SpoitMove SpoitWheel(SpoitState& s, int32_t wheelDelta);

// A new client size of the picture view. True when the whole view must be
// invalidated without erasing: magnified, grown in a direction, and the
// magnified picture not wholly inside the view.
bool SpoitResize(SpoitState& s, int32_t clientWidth, int32_t clientHeight);

// How a paint draws the part of the picture inside an update rectangle.
struct SpoitPaint {
  enum class Kind : uint8_t { kNothing, kDirect /*SetDIBitsToDevice*/, kStretch /*StretchDIBits*/ };
  Kind kind = Kind::kNothing;
  int32_t destX = 0, destY = 0, destWidth = 0, destHeight = 0;  // client coordinates
  int32_t srcX = 0, srcY = 0, srcWidth = 0, srcHeight = 0;      // srcY counted from the bottom row
  friend bool operator==(const SpoitPaint&, const SpoitPaint&) = default;
};
// At m = 1 the picture is copied unscaled; otherwise the update rectangle is
// widened to whole magnified pixels, so that a partial repaint matches the
// pixels already on the screen. Nothing outside the picture is drawn.
SpoitPaint SpoitPaintPlan(const SpoitState& s, const WindowRect& update);

// The picture pixel under a client point of the view.
struct SpoitPixel {
  int32_t x = 0, y = 0;
  bool inside = false;  // the point lies on the picture
};
SpoitPixel SpoitPictureAt(const SpoitState& s, int32_t clientX, int32_t clientY);
// Red, green and blue of the pixel under a client point; none off the picture.
std::optional<std::array<uint8_t, 3>> SpoitColourAt(const SpoitState& s, const ColourPickTarget& target,
                                                    int32_t clientX, int32_t clientY);

// Left button down: on the picture, the pixel's colour goes into the target
// and counts as picked (true). Off it nothing changes.
bool SpoitLeftDown(SpoitState& s, ColourPickTarget& target, int32_t clientX, int32_t clientY);
// Left button up: true when the picker closes (after a pick). The right button
// closes it at once; SpoitEnd then tells whether anything was picked.
bool SpoitLeftUp(const SpoitState& s);

// Positions of the picker's controls, in its client coordinates.
struct ControlBox {
  int32_t x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const ControlBox&, const ControlBox&) = default;
};
struct SpoitLayout {
  ControlBox swatch;
  std::array<ControlBox, 5> radios;
  ControlBox view;
};
// The line height used for the layout from the font's metrics. Lengths in
// pixels are given for 96 DPI and scaled to `dpi` (the font comes measured).
inline int32_t SpoitLineHeight(int32_t externalLeading, int32_t fontHeight, int32_t dpi = kBaseDpi) {
  return externalLeading + fontHeight + ScaleToDpi(4, dpi);
}
// charWidth: the font's average character width; lineHeight: SpoitLineHeight.
SpoitLayout SpoitPickerLayout(int32_t clientWidth, int32_t clientHeight, int32_t charWidth, int32_t lineHeight,
                              int32_t dpi = kBaseDpi);
// The picker's outer rectangle: below and right of its owner's top-left
// corner by 10 characters and 5 lines of the frame's font, 400 x 300.
ControlBox SpoitPickerPlacement(int32_t ownerLeft, int32_t ownerTop, int32_t charWidth, int32_t lineHeight,
                                int32_t dpi = kBaseDpi);

}  // namespace veilo
