#pragma once
// Reading TIFF files (first page) into a document through libtiff's RGBA
// conversion.

namespace veilo {

class ShellNotifications;
struct ImageDoc;

// Reads the first image of the TIFF file named by doc.path into doc as a
// canonical 24-bit picture (dib, width, height, bitCount, fileHeader "BM").
// Alpha is dropped; colours are taken as libtiff's RGBA conversion delivers
// them. Pictures beyond the picture size limit are refused.
//
// Result 1 = success, 0 = failure. No failure shows a message: a TIFF that
// cannot be read simply does not open. After a failure the document holds no
// picture.
int ReadTiffFile(ShellNotifications& shell, ImageDoc& doc);

}  // namespace veilo
