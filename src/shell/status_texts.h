#pragma once
// Texts of the three status panes at the bottom of the frame.
#include <cstdint>
#include <string>

namespace veilo {

// Zoom pane: "150 %".
std::string ZoomPaneText(int32_t zoomPercent);

// Area pane: "(x,y) - wW hH" with the top-left corner of the two corners and
// the distances between them.
std::string AreaPaneText(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Position pane: the pointer in image pixels, each number right-aligned in 4.
std::string PointerPaneText(int32_t x, int32_t y);

}  // namespace veilo
