#pragma once
// Writing a document's picture as a JFIF file.
#include <string>

#include "formats/jpeg_options.h"

namespace veilo {

class ShellNotifications;
struct ImageDoc;

// Writes doc's 24-bit picture to `utf8Path` as a baseline (or, by option,
// progressive) JFIF file. When the document's first CP code slot is in use,
// the APP0 segment carries the three codes (64 bytes instead of 16). The file
// is written to a temporary sibling that replaces the target only once
// complete, so a failed save leaves an existing file as it was.
//
// Result 0 = written, nonzero = failure. A file that cannot be created shows
// "can't open PATH\n"; library errors show the library's text. Progress goes
// to the message pane.
int WriteJpegFile(ShellNotifications& shell, const std::string& utf8Path, const ImageDoc& doc,
                  const JpegWriteOptions& options = {});

}  // namespace veilo
