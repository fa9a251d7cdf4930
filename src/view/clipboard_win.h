#pragma once
// Pictures to and from the clipboard's device-dependent bitmaps.
#include <windows.h>

#include "doc/image_doc.h"

namespace veilo {

// Puts the area, or the whole picture without one, on the clipboard as
// CF_BITMAP. True when done or when there was nothing to copy (an area without
// width or height); false when the bitmap could not be made.
bool CopyPictureToClipboard(HWND window, ImageDoc& doc);

// Gives the document a canonical 24-bit picture made from a bitmap's pixels;
// false when memory runs out or the bitmap cannot be read.
bool BuildDocFromBitmap(ImageDoc& doc, HBITMAP bitmap);

}  // namespace veilo
