#pragma once
// The texts the PNG reader and writer show through the common error box.
// They exist in English only.
namespace veilo {

// Reading.
inline constexpr const char* kPngFileOpenErrorText = "file open error!";
inline constexpr const char* kPngReadMemoryText = "memory less...";
inline constexpr const char* kPngNotPngText = "This file is not a PNG file";
inline constexpr const char* kPngInsufficientMemoryText = "insufficient memory";
inline constexpr const char* kPngBadHeaderText = "bad IHDR";
// The file ended before the image was complete.
inline constexpr const char* kPngTruncatedText = "unexpected end of PNG file";

// Writing.
inline constexpr const char* kPngWriteOpenErrorText = "file write open error!";
inline constexpr const char* kPngWriteInitLongjmpText = "libpng initialization problem (longjmp)";
inline constexpr const char* kPngImageMemoryText = "insufficient memory for image data";
inline constexpr const char* kPngImageLongjmpText = "libpng problem (longjmp) while writing image data";
inline constexpr const char* kPngRowMemoryText = "insufficient memory for row data";
inline constexpr const char* kPngRowLongjmpText = "libpng problem (longjmp) while writing row";
inline constexpr const char* kPngFinalCallText = "error on final libpng call";

// libpng's own errors, with its message in place of %s.
inline constexpr const char* kPngLibraryErrorFormat = "libpng error: %s\n";

}  // namespace veilo
