#pragma once
// Writing a document's picture as JPEG 2000.
#include <string>

#include "formats/jp2_options.h"

namespace veilo {

class ShellNotifications;
struct ImageDoc;

// Writes doc's 24-bit picture to `utf8Path`: a JP2 file for the extension
// ".jp2", a code stream for ".jpc" and ".j2k" (any case). Gray pictures get
// one component (sGray), others three (sRGB), 8 bits each. Lossless uses the
// reversible 5/3 wavelet; otherwise the same coding is truncated to
// options.rate times the uncompressed size. The file is written to a
// temporary sibling that replaces the target only once complete, so a failed
// save leaves an existing file as it was.
//
// Result 1 = written, 0 = failure. "error: cannot open output image file"
// when the file cannot be created, "error: cannot encode image" when coding
// fails or the extension names no JPEG 2000 format; an invalid rate or a
// document without a picture fails without a message.
int WriteJp2File(ShellNotifications& shell, const std::string& utf8Path, const ImageDoc& doc,
                 const Jp2WriteOptions& options = {});

}  // namespace veilo
