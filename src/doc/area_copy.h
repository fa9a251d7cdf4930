#pragma once
// A rectangle of a document's picture as a picture of its own (for the
// clipboard): canonical 24-bit, rows copied from the top down.
#include "doc/image_doc.h"

namespace veilo {

// Empty when the rectangle (clipped to the picture) has no width or height,
// or when memory runs out.
PackedDib CopyPictureArea(ImageDoc& doc, const PixelRect& area);

}  // namespace veilo
