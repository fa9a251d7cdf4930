#pragma once
// libtiff over a stdio stream, so that a file opened by its UTF-8 path (any
// platform) can be decoded, with every libtiff message kept off the screen
// and out of stderr.
#include <cstdio>
#include <memory>
#include <tiffio.h>

namespace veilo {

struct TiffCloser {
  void operator()(TIFF* tif) const { if (tif) TIFFClose(tif); }
};
using TiffPtr = std::unique_ptr<TIFF, TiffCloser>;

// Opens the TIFF held by `file` for reading (first directory). The stream must
// outlive the returned handle; closing the handle leaves the stream open.
// Null when the file is not a TIFF that libtiff can open.
TiffPtr OpenTiffStream(std::FILE* file);

}  // namespace veilo
