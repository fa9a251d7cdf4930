#pragma once
// Writing a picture as a single-image GIF89a file.
#include <string>

#include "formats/gif_save_options.h"

namespace veilo {

class ShellNotifications;
struct ImageDoc;

inline constexpr const char* kGifFileOpenErrorText = "File Open Error!";
inline constexpr const char* kGifFileSaveErrorText = "File Save Error!";

// Writes the document's picture to utf8Path with the given options (palette,
// interlace, transparent colour). The file is written under a temporary name
// and replaces the target only when complete, so a failed save leaves an
// existing file untouched. Returns nonzero when written; failures are
// reported here: "File Open Error!" when the file cannot be created, "File
// Save Error!" for everything later. Shows the wait cursor while it works.
int WriteGifFile(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc,
                 const GifSaveOptions& options);

}  // namespace veilo
