#pragma once
// Where the frame's WM_SIZE puts its children: the MDI client, the toolbar
// strip and its lines, the 26 placed buttons and the three status panes.
#include <array>
#include <cstdint>

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

// Layout for a client area of clientWidth x clientHeight. Widths and heights
// that would come out negative in a very small frame are 0.
FrameLayout ComputeFrameLayout(int32_t clientWidth, int32_t clientHeight, const FontMetrics& font);

}  // namespace veilo
