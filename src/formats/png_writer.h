#pragma once
// Writing a document as a PNG file.
#include <string>

#include "formats/png_save_options.h"

namespace veilo {

class ShellNotifications;
struct ImageDoc;

// Writes the document's picture to utf8Path in the smallest colour type that
// holds it exactly: a 1-, 2-, 4- or 8-bit palette (2, 4, 16 or as many
// entries as colours), 8-bit gray for exactly 256 gray levels, else 24-bit
// RGB; or, with options.reduction, a palette of that many entries (8 bits
// per pixel). options.transparent stores the transparent colour (tRNS) and
// options.interlace writes Adam7. Each text entry of the document becomes a
// tEXt chunk, or a zTXt chunk where compression makes it shorter.
// The options' transparency becomes the document's. The file is written
// under a temporary name and replaces the target only when complete, so a
// failed save leaves an existing file untouched. Returns 1 when written,
// 0 otherwise (libpng problems are reported here; the caller reports the
// failed save). Shows the wait cursor while it works.
int WritePngFile(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc,
                 const PngSaveOptions& options);

}  // namespace veilo
