#pragma once
// Reading JPEG 2000 files (JP2 files and raw code streams) into a document.

namespace veilo {

class ShellNotifications;
struct ImageDoc;

// Reads the JPEG 2000 file named by doc.path (a JP2 file or a J2K code
// stream, told apart by their signatures) into doc as a canonical 24-bit
// picture (dib, width, height, bitCount, fileHeader "BM"); see
// Jp2ImageToDib for how components become colours.
//
// Result 1 = success, 0 = failure. A file that cannot be opened shows
// "error: cannot open file"; one that is not JPEG 2000, is damaged or is too
// large shows "error: cannot load image data". An image without colour
// components, and running out of memory, fail without a message. After a
// failure the document holds no picture.
int ReadJp2File(ShellNotifications& shell, ImageDoc& doc);

}  // namespace veilo
