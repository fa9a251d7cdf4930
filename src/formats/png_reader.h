#pragma once
// Reading PNG files into a document.
#include <string>

namespace veilo {

class ShellNotifications;
struct ImageDoc;

// Reads the PNG file at utf8Path into doc: the picture in canonical 24 bits
// (alpha blended over the file's background colour, black without one;
// gamma-corrected for a 2.2 display), "BM" in fileHeader, the text chunks in
// file order as doc.pngTextList, and the colour of the first fully
// transparent pixel as the transparent colour. Every colour type and bit
// depth is accepted; pictures wider or taller than 65535 pixels, or whose
// 24-bit picture this build cannot hold (CanHoldPicture), are refused.
// Returns 1 on success. On failure the reason has been shown, the document
// holds no picture and its other fields are unchanged; returns 0.
int ReadPngFile(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc);

}  // namespace veilo
