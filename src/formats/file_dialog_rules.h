#pragma once
// The rules of the open and save dialogs that need no window: the name a
// save starts with, the name after a change of the file type, the folder
// remembered after a choice, and the fitting of the open dialog's preview.
// Names and paths are UTF-8 with Windows folder separators.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veilo {

// The save dialog's first name, from the document's title: without its
// window number (" :2"), and with ".jpg" appended when it has no extension.
std::string SaveNamePrefill(std::string_view title);

// The file-name field after the save dialog's type changed to the 1-based
// filter index: for 2..6 the name with its extension (from the last "." of
// its file part) replaced by ".BMP", ".JPG", ".JP2", ".PNG" or ".GIF", or
// with that appended when there is none. nullopt (leave the field alone) for
// other indices, for an empty name or one starting with ".", and for a name
// without a file part (ending in a separator) or whose file part starts with ".".
std::optional<std::string> TypeChangedName(std::string_view name, int filterIndex);

// The folder to remember after a dialog chose `fullPath`, whose file title
// is `fileTitle`: the path up to and including its last separator.
std::string FolderOfChosenPath(std::string_view fullPath, std::string_view fileTitle);

// Where the preview picture goes in an area: as large as fits with its
// aspect kept, centred across the other direction, truncated to whole
// pixels. Empty (all 0) when either size is not positive.
struct PreviewFit {
  int32_t x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const PreviewFit&, const PreviewFit&) = default;
};
PreviewFit FitPreview(int32_t picW, int32_t picH, int32_t areaW, int32_t areaH);

// The preview's size text: "%d x %d".
std::string PreviewSizeText(int32_t w, int32_t h);

}  // namespace veilo
