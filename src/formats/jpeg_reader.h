#pragma once
// Reading JPEG files into a document.
#include "formats/jpeg_options.h"

namespace veilo {

class ShellNotifications;
struct ImageDoc;

// Reads the JPEG file named by doc.path into doc as a canonical 24-bit
// picture (dib, width, height, bitCount, fileHeader "BM"). Grayscale files
// give equal channels; CMYK and YCCK files are converted to their colours.
// Outside the fast preview, the CP codes that our own files carry replace
// doc.cpCodes; other files leave them alone.
//
// Result 1 = success, 0 = failure. A file that cannot be opened shows
// "can't open PATH\n"; the library's errors and the first warning of a file
// are shown with the library's text (while options.showLibraryMessages is
// set). After a failure the document holds no picture. Progress goes to the
// message pane.
int ReadJpegFile(ShellNotifications& shell, ImageDoc& doc, const JpegReadOptions& options = {});

}  // namespace veilo
