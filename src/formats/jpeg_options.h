#pragma once
// The choices that steer JPEG reading and writing. The options dialog and the
// command line fill them; the defaults are the dialog's start values.
#include <cstdint>
#include <string_view>

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

// The ranges of the options dialog's two number fields.
inline constexpr int32_t kJpegQualityMin = 0;
inline constexpr int32_t kJpegQualityMax = 100;
inline constexpr int32_t kJpegSmoothingMin = 1;
inline constexpr int32_t kJpegSmoothingMax = 100;

// What the quality and the smoothing factor fields hold after the user typed
// `text`: its leading number as "%d" reads it, brought into range (quality:
// 100 or more gives 100, below 0 gives 0; factor: 100 or more gives 100, 0 or
// less gives 1). Text without a number, such as a field emptied to type a new
// value, keeps `current`.
int32_t JpegQualityFromText(std::string_view text, int32_t current);
int32_t JpegSmoothingFromText(std::string_view text, int32_t current);

}  // namespace veilo
