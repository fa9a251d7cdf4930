#pragma once
// Painting a document window and carrying out scroll moves.
#include <windows.h>

#include "doc/image_doc.h"
#include "platform/handles_win.h"
#include "view/scrolling.h"
#include "view/zoom.h"

namespace veilo {

// WM_PAINT: the window's background around the picture, the part of the
// picture inside the update rectangle at the document's zoom, the light-grey
// strips of an aligned stretch and the area frame over all that was redrawn.
void PaintDocument(const PaintDc& paint, ImageDoc& doc, HWND window);

// A scroll move on screen: the whole view redrawn (not shifted), the bar's
// position, and the band where an old grey strip may lie erased.
void ApplyScrollMove(HWND window, ScrollBarKind bar, const ScrollMove& move);

// The system's scroll-bar sizes at the window's DPI.
ScrollBarMetrics SystemScrollBarMetrics(HWND window);

}  // namespace veilo
