#include "tools/slide_list.h"

#include <algorithm>
#include <iterator>

#include "formats/folder_list.h"
#include "formats/image_files.h"
#include "platform/file_io.h"

namespace veilo {

namespace {

// The folder patterns, each with the slide format it stands for.
constexpr SlideFormat kPatternFormats[] = {
    SlideFormat::kJpeg,     SlideFormat::kJpeg,     SlideFormat::kJpeg,     SlideFormat::kBmp,
    SlideFormat::kBmp,      SlideFormat::kPng,      SlideFormat::kGif,      SlideFormat::kTiff,
    SlideFormat::kTiff,     SlideFormat::kJpeg2000, SlideFormat::kJpeg2000, SlideFormat::kJpeg2000,
    SlideFormat::kJpeg2000, SlideFormat::kJpeg2000, SlideFormat::kJpeg2000};
static_assert(std::size(kPatternFormats) == std::size(kFolderPatterns));

char FolderSeparator() { return IsPathSeparator('\\') ? '\\' : '/'; }

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && IsPathSeparator(folder.back())) return folder + name;
  return folder + FolderSeparator() + name;
}

std::string_view FolderOf(std::string_view path) {
  for (size_t i = path.size(); i-- > 0;) {
    if (IsPathSeparator(path[i])) return path.substr(0, i);
  }
  return {};
}

std::string_view NameOf(std::string_view path) {
  for (size_t i = path.size(); i-- > 0;) {
    if (IsPathSeparator(path[i])) return path.substr(i + 1);
  }
  return path;
}

bool SameText(std::string_view a, std::string_view b) { return ComparePathsIgnoringCase(a, b) == 0; }

// The depth table of the ordering walk: for each depth, the group of the
// folder last met there. A slot is taken again only by a file of that same
// folder (back from its sub-folders); the folder is kept beside the group
// so that a sibling's file met later at that depth never joins it.
struct DepthSlot {
  int32_t group = 0;
  std::string_view folder;
};

}  // namespace

std::optional<SlideFormat> SlideFormatForName(std::string_view name) {
  // "*.ext" matches exactly the names whose text after the last dot is ext.
  for (size_t i = 0; i < std::size(kFolderPatterns); ++i) {
    if (MatchesFilePattern(name, kFolderPatterns[i])) return kPatternFormats[i];
  }
  return std::nullopt;
}

void ScanSlidePath(SlideList& list, const std::string& path, int32_t depth, bool includeSubfolders) {
  if (IsDirectory(path)) {
    if (depth >= kMaxSlideScanDepth) return;
    for (const DirectoryEntry& entry : ListDirectory(path)) {
      if (includeSubfolders || !entry.isDirectory)
        ScanSlidePath(list, JoinPath(path, entry.name), depth + 1, includeSubfolders);
    }
    return;
  }
  if (!FileExists(path)) return;
  const std::optional<SlideFormat> format = SlideFormatForName(NameOf(path));
  if (format) list.push_back({path, *format, depth});
}

void OrderSlideEntries(SlideList& list, size_t start) {
  if (start >= list.size()) return;
  const auto first = list.begin() + static_cast<std::ptrdiff_t>(start);
  std::stable_sort(first, list.end(), [](const SlideEntry& a, const SlideEntry& b) {
    return ComparePathsIgnoringCase(a.path, b.path) < 0;
  });
  // In path order a folder's whole tree is one run, and its own files may be
  // split by the runs of its sub-folders. Every folder gets the group number
  // of its first file; a file that comes back to a folder after a sub-folder
  // run takes that folder's group again.
  std::vector<DepthSlot> table;
  int32_t lastGroup = 0, group = 0;
  std::string_view previousFolder;
  for (size_t i = start; i < list.size(); ++i) {
    SlideEntry& entry = list[i];
    const int32_t depth = entry.group;
    const std::string_view folder = FolderOf(entry.path);
    const auto slot = static_cast<size_t>(depth < 0 ? 0 : depth);
    if (table.size() <= slot) table.resize(slot + 1);
    if (i > start && SameText(folder, previousFolder)) {
      // another file of the same folder
    } else if (table[slot].group != 0 && SameText(table[slot].folder, folder)) {
      group = table[slot].group;
    } else {
      group = ++lastGroup;
      table[slot] = {group, folder};
    }
    entry.group = group;
    previousFolder = folder;
  }
  std::stable_sort(first, list.end(), [](const SlideEntry& a, const SlideEntry& b) {
    if (a.group != b.group) return a.group < b.group;
    return ComparePathsIgnoringCase(a.path, b.path) < 0;
  });
}

SlideList BuildSlideListFromFolder(const std::string& folder, bool includeSubfolders) {
  SlideList list;
  ScanSlidePath(list, folder, 0, includeSubfolders);
  OrderSlideEntries(list, 0);
  return list;
}

std::optional<SlideList> BuildSlideListFromArguments(const std::vector<std::string>& arguments,
                                                     bool includeSubfolders) {
  SlideList list;
  for (const std::string& argument : arguments) {
    std::string path = argument;
    if (!IsDirectory(argument)) {
      std::optional<std::string> resolved = ResolveLongPath(argument);
      if (!resolved) return std::nullopt;
      path = std::move(*resolved);
    }
    const size_t before = list.size();
    ScanSlidePath(list, path, 0, includeSubfolders);
    OrderSlideEntries(list, before);
  }
  return list;
}

}  // namespace veilo
