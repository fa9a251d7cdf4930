#pragma once
// The area frame: drawn with an inverting pen, so drawing the same frame again
// erases it.
#include <windows.h>

#include "doc/image_doc.h"

namespace veilo {

// The four sides of the frame with these corners, on the window.
void DrawFrame(HWND window, const ImageDoc& doc, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// After a paint: the pieces of the current area's frame that lie inside the
// redrawn part (given in zoomed-picture coordinates), so the frame survives.
void DrawFramePart(HDC dc, const ImageDoc& doc, int32_t left, int32_t top, int32_t width, int32_t height);

}  // namespace veilo
