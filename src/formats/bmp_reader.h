#pragma once
// Reading BMP files into a document.
namespace veilo {

class ShellNotifications;
struct ImageDoc;

inline constexpr const char* kReadErrorText = "Read Error !";

// Reads the BMP file named by doc.path into doc (fileHeader, dib, width,
// height, bitCount), converted to the canonical 24-bit form. Result 0 =
// success, 1 = failure. A file that cannot be opened fails silently; every
// other failure shows "Read Error !" through the shell and leaves the
// document without a picture. Shows the wait cursor while it reads.
int ReadBmpFile(ShellNotifications& shell, ImageDoc& doc);

}  // namespace veilo
