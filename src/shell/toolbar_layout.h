#pragma once
// Where the frame's WM_SIZE puts its children: the MDI client, the toolbar
// strip and its lines, the 26 placed buttons and the three status panes.
#include <array>
#include <cstdint>

#include "platform/dpi_scale.h"
#include "shell/toolbar.h"

namespace veilo {

// A child window's position and size in frame client coordinates, as
// MoveWindow takes them.
struct ChildRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const ChildRect&, const ChildRect&) = default;
};

struct FrameLayout {
  ChildRect mdiClient;
  ChildRect topLine;
  ChildRect toolbarStrip;
  ChildRect blackLine;
  ChildRect zoomPane;
  ChildRect messagePane;
  ChildRect positionPane;
  std::array<ChildRect, kToolbarRowCount> buttons;  // by row
  std::array<bool, kToolbarRowCount> buttonPlaced;  // false for the record-stop row
};

struct FontMetrics {
  int32_t charWidth = 0;   // average character width of the frame's font
  int32_t lineHeight = 0;  // text height plus external leading
};

// Layout for a client area of clientWidth x clientHeight at a screen density:
// every length is its 96-DPI value scaled (the font is measured at that DPI
// already). Widths and heights that would come out negative in a very small
// frame are 0. The lower half-height button takes what the upper one leaves of
// a full button, so the two always fill it.
FrameLayout ComputeFrameLayout(int32_t clientWidth, int32_t clientHeight, const FontMetrics& font,
                               int32_t dpi = kBaseDpi);

// Where a tip goes, in frame client coordinates: a one-pixel black border and
// the text window inside it, 10 pixels above the button's top-left corner.
struct TipPlacement {
  ChildRect border;
  ChildRect text;
};
TipPlacement PlaceTip(const ChildRect& buttonOnScreen, int32_t frameOriginX, int32_t frameOriginY,
                      int32_t textWidth, int32_t textHeight, int32_t dpi = kBaseDpi);

}  // namespace veilo
