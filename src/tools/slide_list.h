#pragma once
// The pictures of a slide show: found in folders (optionally with their
// sub-folders) or named directly, and ordered folder by folder so that the
// files of one folder are shown together.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veilo {

// The picture kind of a slide by its extension (the stored values are fixed).
enum class SlideFormat : int32_t { kJpeg = 0, kBmp = 1, kGif = 2, kPng = 3, kTiff = 4, kJpeg2000 = 5 };

struct SlideEntry {
  std::string path;  // full path of the picture
  SlideFormat format = SlideFormat::kJpeg;
  // While scanning: the folder depth at which the file was found (0 for a
  // file named directly, 1 in the chosen folder, 2 in a sub-folder, ...).
  // After ordering: the number of the folder group it belongs to.
  int32_t group = 0;
};
using SlideList = std::vector<SlideEntry>;

// Folders deeper than this below the scanned path are not entered: a folder
// link that leads back to its own parent would otherwise be followed forever.
inline constexpr int32_t kMaxSlideScanDepth = 64;

// The slide format of a file name by the text after its last dot (".jpeg",
// ".jpg", ".jpe", ".bmp", ".dib", ".gif", ".png", ".tif", ".tiff", and the
// JPEG 2000 names ".jp2", ".jpc", ".j2k", ".j2c", ".jpf", ".jpx", case
// ignored); nullopt for any other file.
std::optional<SlideFormat> SlideFormatForName(std::string_view name);

// Appends what `path` holds at `depth`: nothing when it does not exist; a
// picture file as one entry; a folder's entries one level deeper (its
// sub-folders only when `includeSubfolders`).
void ScanSlidePath(SlideList& list, const std::string& path, int32_t depth, bool includeSubfolders);

// Orders the entries from `start` on: each folder's files together, in path
// order (case ignored), a folder's own files before those of the sub-folders
// that follow them. Turns their depths into group numbers.
void OrderSlideEntries(SlideList& list, size_t start);

// The slide list of one folder; empty when it holds no picture.
SlideList BuildSlideListFromFolder(const std::string& folder, bool includeSubfolders);

// The slide list of command-line arguments, each a folder or a file, in the
// order given, each argument's pictures ordered on their own. A file argument
// is first resolved to its stored full path (ResolveLongPath); nullopt when
// that fails (the argument names nothing). An empty list means no picture.
std::optional<SlideList> BuildSlideListFromArguments(const std::vector<std::string>& arguments,
                                                     bool includeSubfolders);

}  // namespace veilo
