#pragma once
// The picture files of a folder, and stepping to the next or previous one.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veilo {

// The patterns searched, in this order; the JPEG 2000 names (code streams
// and JPX files too) come last.
inline constexpr std::string_view kFolderPatterns[] = {"*.jpg", "*.jpeg", "*.jpe", "*.bmp", "*.dib", "*.png",
                                                       "*.gif", "*.tif",  "*.tiff", "*.jp2", "*.jpc", "*.j2k",
                                                       "*.j2c", "*.jpf",  "*.jpx"};

// Wildcard match as the directory search does it: '*' any run, '?' one
// character, ASCII case ignored.
bool MatchesFilePattern(std::string_view name, std::string_view pattern);

// Appends every entry of `folder` that matches `pattern` (through its name or
// its short name; folders too) to `list` as folder + separator + name.
void ListFolderFiles(std::vector<std::string>& list, const std::string& folder, char separator,
                     std::string_view pattern);

// The picture files of `folder` by the nine patterns: each once, folders left
// out, in case-insensitive name order, as folder + separator + name (no
// separator added when the folder already ends in one). Empty when the folder
// cannot be searched.
std::vector<std::string> PictureFilesInFolder(const std::string& folder, char separator);

// Case-insensitive (ASCII) ordering of full paths.
int ComparePathsIgnoringCase(std::string_view a, std::string_view b);

// The neighbour of `current` in `list` once `current` is added (if no entry
// equals it) and the list sorted ascending, or descending when `backwards`:
// the first entry right after one equal to `current` that is not itself
// equal to it. nullopt at the end of the list.
std::optional<std::string> NeighbourInList(std::vector<std::string> list, const std::string& current,
                                           bool backwards);

// The next (or, backwards, previous) picture file in the folder of
// `currentPath` by the folder patterns. nullopt when there is none, or when the
// path names no folder.
std::optional<std::string> NextFileInFolder(const std::string& currentPath, bool backwards);

// Both neighbours of `currentPath` from one search of its folder, each as
// NextFileInFolder finds it.
struct FolderNeighbours {
  std::optional<std::string> next, previous;
};
FolderNeighbours NeighboursInFolder(const std::string& currentPath);

}  // namespace veilo
