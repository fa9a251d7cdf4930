#include "formats/png_save_options.h"

#include "doc/image_doc.h"

namespace veilo {

PngSaveOptions StartingPngSaveOptions(const ImageDoc& doc) {
  PngSaveOptions options;
  options.transparent = doc.useTransparent != 0;
  options.transparentColour = doc.transparentColor;
  return options;
}

}  // namespace veilo
