#pragma once
// Where the window's own background shows: every part of the client area that
// the zoomed picture does not cover. Painted at every paint, and never under
// the picture, so a repaint does not flash the background colour over the old
// picture.
#include <vector>

#include "doc/image_doc.h"

namespace veilo {

// The client rectangle the zoomed picture covers (empty without a picture).
WindowRect PictureClientRect(const ImageDoc& doc);
// The parts of `update` outside it: at most the band right of the picture and
// the band below it.
std::vector<WindowRect> BackgroundParts(const ImageDoc& doc, const WindowRect& update);

}  // namespace veilo
