#pragma once
// The facts the properties dialog shows about a picture (and veilo-cli's info
// with it): the size line and the colour count with the state of the button
// that asks for the exact count. The texts of the count are the shell's
// (src/shell/property_texts.h); here is which of them applies.
#include <cstdint>
#include <string>

#include "doc/pixel_buffer.h"

namespace veilo {

class ShellNotifications;

// The first count stops here: counting every colour of a large picture is slow.
inline constexpr uint32_t kFirstColourCountLimit = 1000;

enum class ColourCountForm {
  kNotCounted,  // no count (no pixels, or no memory for the count)
  kCount,       // fewer than 257 colours, counted in full
  kOrMore,      // the count went beyond 256: "at least" this many
  kExact,       // the exact count that the button asked for
};

struct ColourCountDisplay {
  ColourCountForm form = ColourCountForm::kNotCounted;
  uint32_t count = 0;
  bool exactButtonEnabled = true;
  friend bool operator==(const ColourCountDisplay&, const ColourCountDisplay&) = default;
};

// What the dialog shows for the first count (made with kFirstColourCountLimit)
// and for the exact one. A count of 0 is no count at all: the button stays
// usable so that the user can try again.
ColourCountDisplay FirstColourCountDisplay(uint32_t countUpToLimit);
ColourCountDisplay ExactColourCountDisplay(uint32_t exactCount);

// The counts themselves (the wait cursor shows while they run).
ColourCountDisplay CountColoursFirst(ShellNotifications& shell, const PixelBuffer& pixels);
ColourCountDisplay CountColoursExactly(ShellNotifications& shell, const PixelBuffer& pixels);

// "Size %d x %d".
std::string PictureSizeText(int32_t width, int32_t height);

}  // namespace veilo
