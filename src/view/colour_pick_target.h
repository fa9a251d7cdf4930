#pragma once
// The record a colour picker works on: the picture to pick from and the
// transparent colour that the GIF and PNG option dialogs offer.
#include <array>
#include <cstdint>

#include "doc/image_doc.h"
#include "doc/pixel_buffer.h"

namespace veilo {

struct ColourPickTarget {
  bool useTransparent = false;
  std::array<uint8_t, 3> colour{};  // red, green, blue: the picked (transparent) colour
  bool colourChosen = false;        // set once a colour was picked
  const uint8_t* header = nullptr;  // the picture's bitmap header, for drawing it
  PixelBuffer pixels;               // the picture's bottom-up 24-bit rows, size and stride
};

// A target over a document's picture and transparency setting. The target
// borrows the picture: it is valid while the document keeps it.
inline ColourPickTarget PickTargetOf(ImageDoc& doc) {
  ColourPickTarget t;
  t.useTransparent = doc.useTransparent != 0;
  t.colour = doc.transparentColor;
  if (doc.HasPicture()) {
    t.header = doc.dib.data();
    t.pixels = DocPixels(doc);
  }
  return t;
}

// The transparency check box of the GIF and PNG option dialogs is now
// `checked`. Turning it off counts the colour as chosen, so that turning it
// on again keeps it; turning it on before any colour was chosen takes the
// bottom-left pixel's colour (the first pixel of the stored rows).
void SetTransparencyChecked(ColourPickTarget& target, bool checked);

}  // namespace veilo
