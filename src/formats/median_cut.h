#pragma once
// Palette of at most `colours` entries by median cut over a colour histogram.
#include "formats/colour_histogram.h"

namespace veilo {

// Splits the histogram's colour space into at most `colours` (1..256) boxes
// and returns their count-weighted mean colours in box order. A histogram
// without counts gives a palette of one black entry.
QuantPalette MedianCutPalette(const ColourHistogram& histogram, int colours);

}  // namespace veilo
