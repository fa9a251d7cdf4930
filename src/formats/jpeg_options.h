#pragma once
// The choices that steer JPEG reading and writing. The options dialog and the
// command line fill them; the defaults are the dialog's start values.
#include <cstdint>

namespace veilo {

struct JpegReadOptions {
  bool noSmoothRead = false;  // "No Smooth": plain instead of fancy chroma upsampling
  // The open dialog's preview: fastest decoding, CP codes left alone.
  bool fastPreview = false;
  // Library messages go to the error box only while set (the slide show clears it).
  bool showLibraryMessages = true;
  bool englishMessages = false;  // the language file is loaded: progress texts in English
};

struct JpegWriteOptions {
  int32_t quality = 80;    // 0..100
  int32_t smoothing = 1;   // 1..100, applied only when smoothingOn
  bool smoothingOn = false;
  bool progressive = false;
  bool optimize = true;      // optimised Huffman tables
  bool sampling1x1 = true;   // full-resolution chroma; false: 2x2 subsampling
  bool englishMessages = false;
};

}  // namespace veilo
