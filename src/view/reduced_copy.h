#pragma once
// A reduced copy of a whole picture (the Quick Zoom window's), made by taking
// for each pixel of the copy the picture pixel its top-left corner falls on,
// as a stretch that keeps colours unmixed does. Reading only the pixels it
// keeps, it costs the copy's size, not the picture's.
#include <cstdint>

#include "doc/image_doc.h"

namespace veilo {

// Empty when either size is not positive, the document has no picture or
// memory runs out.
PackedDib ReducePicture(ImageDoc& doc, int32_t width, int32_t height);

}  // namespace veilo
