#pragma once
// Exact number of distinct colours in a 24-bit picture.
#include <cstdint>

#include "doc/pixel_buffer.h"

namespace veilo {

class ShellNotifications;

// Counts the distinct colours of the picture. With limit 0 every colour is
// counted; otherwise the count stops once it reaches the limit and the limit
// is returned. 0 for a picture without pixels or when memory for the 2 MiB
// colour bit set runs out.
// Shows the wait cursor while it runs.
uint32_t CountDistinctColours(ShellNotifications& shell, const PixelBuffer& pixels, uint32_t limit);

}  // namespace veilo
