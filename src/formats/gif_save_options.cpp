#include "formats/gif_save_options.h"

#include "doc/image_doc.h"

namespace veilo {

GifSaveOptions StartingGifSaveOptions(const ImageDoc& doc) {
  GifSaveOptions options;
  options.transparent = doc.useTransparent != 0;
  options.transparentColour = doc.transparentColor;
  return options;
}

int NormalisedGifMaxColours(int colours) {
  int allowed = 8;
  while (allowed < 256 && allowed < colours) allowed *= 2;
  return allowed;
}

}  // namespace veilo
