#pragma once
// The pixel work of a picture turn, apart from the document bookkeeping.
#include "doc/pixel_buffer.h"

namespace veilo {

// Quarter turn of src into dst (dst is src's height wide and src's width
// high). Clockwise: pixel (x, y) goes to (H - 1 - y, x); otherwise to
// (y, W - 1 - x).
void TurnQuarter(const PixelBuffer& src, const PixelBuffer& dst, bool clockwise);

// Quarter turn of a square picture within its own rows.
void TurnSquareInPlace(const PixelBuffer& px, bool clockwise);

// Half turn in place: pixel (x, y) goes to (W - 1 - x, H - 1 - y).
void TurnHalf(const PixelBuffer& px);

}  // namespace veilo
