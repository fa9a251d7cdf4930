#pragma once
// The area frame: drawn with an inverting pen, so drawing the same frame again
// erases it.
#include <windows.h>

#include "doc/image_doc.h"
#include "view/selection_effects.h"

namespace veilo {

// The inverting pen of the area frame (and of the Quick Zoom window's outlines),
// made once and kept for the program's life; drawn with R2_NOTXORPEN.
HPEN FramePen();

// The four sides of a kDrawFrame effect's frame, on the window's own context.
void DrawFrame(HWND window, const ImageDoc& doc, const SelectionEffect& draw);
// After a paint: the pieces of the current area's frame that lie inside the
// redrawn part (given in zoomed-picture coordinates), so the frame survives.
void DrawFramePart(HDC dc, const ImageDoc& doc, int32_t left, int32_t top, int32_t width, int32_t height);

}  // namespace veilo
