#include "formats/folder_list.h"

#include <algorithm>

#include "platform/file_io.h"

namespace veilo {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) { return ComparePathsIgnoringCase(a, b) == 0; }

// Through its name or its short name, as the directory search matches.
bool EntryMatches(const DirectoryEntry& entry, std::string_view pattern) {
  return MatchesFilePattern(entry.name, pattern) ||
         (!entry.shortName.empty() && MatchesFilePattern(entry.shortName, pattern));
}

void AppendMatches(std::vector<std::string>& list, const std::vector<DirectoryEntry>& entries,
                   const std::string& prefix, std::string_view pattern) {
  for (const DirectoryEntry& entry : entries)
    if (EntryMatches(entry, pattern)) list.push_back(prefix + entry.name);
}

}  // namespace

bool MatchesFilePattern(std::string_view name, std::string_view pattern) {
  // Iterative glob with one backtrack point: linear in practice, never recursive.
  size_t n = 0, p = 0;
  size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

void ListFolderFiles(std::vector<std::string>& list, const std::string& folder, char separator,
                     std::string_view pattern) {
  AppendMatches(list, ListDirectory(folder), folder + separator, pattern);
}

std::vector<std::string> PictureFilesInFolder(const std::string& folder, char separator) {
  const bool endsInSeparator = !folder.empty() && IsPathSeparator(folder.back());
  const std::string prefix = endsInSeparator ? folder : folder + separator;
  std::vector<std::string> files;
  for (const DirectoryEntry& entry : ListDirectory(folder)) {
    if (entry.isDirectory) continue;
    const auto matches = [&](std::string_view pattern) { return EntryMatches(entry, pattern); };
    if (std::any_of(std::begin(kFolderPatterns), std::end(kFolderPatterns), matches))
      files.push_back(prefix + entry.name);
  }
  std::sort(files.begin(), files.end(),
            [](const std::string& a, const std::string& b) { return ComparePathsIgnoringCase(a, b) < 0; });
  return files;
}

int ComparePathsIgnoringCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
    const auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::optional<std::string> NeighbourInList(std::vector<std::string> list, const std::string& current,
                                           bool backwards) {
  if (std::none_of(list.begin(), list.end(), [&](const std::string& e) { return EqualIgnoringCase(e, current); }))
    list.push_back(current);
  std::sort(list.begin(), list.end(), [backwards](const std::string& a, const std::string& b) {
    return backwards ? ComparePathsIgnoringCase(b, a) < 0 : ComparePathsIgnoringCase(a, b) < 0;
  });
  for (size_t i = 1; i < list.size(); ++i) {
    if (EqualIgnoringCase(list[i - 1], current) && !EqualIgnoringCase(list[i], current)) return list[i];
  }
  return std::nullopt;
}

namespace {

// The folder's picture files as the patterns find them, unsorted; nullopt when
// the path names no folder.
std::optional<std::vector<std::string>> FolderListFor(const std::string& currentPath) {
  size_t cut = std::string::npos;
  for (size_t i = currentPath.size(); i-- > 0;) {
    if (IsPathSeparator(currentPath[i])) {
      cut = i;
      break;
    }
  }
  if (cut == std::string::npos) return std::nullopt;
  const std::string folder = currentPath.substr(0, cut);
  // A file in the root folder ("/x.jpg") has an empty folder part; search the root itself.
  const std::string searched = folder.empty() ? currentPath.substr(0, 1) : folder;
  // One search serves all the patterns; a file matching two is listed twice,
  // as the searches one by one would list it.
  const std::vector<DirectoryEntry> entries = ListDirectory(searched);
  std::vector<std::string> list;
  for (std::string_view pattern : kFolderPatterns) AppendMatches(list, entries, folder + currentPath[cut], pattern);
  return list;
}

}  // namespace

std::optional<std::string> NextFileInFolder(const std::string& currentPath, bool backwards) {
  std::optional<std::vector<std::string>> list = FolderListFor(currentPath);
  if (!list) return std::nullopt;
  return NeighbourInList(std::move(*list), currentPath, backwards);
}

FolderNeighbours NeighboursInFolder(const std::string& currentPath) {
  const std::optional<std::vector<std::string>> list = FolderListFor(currentPath);
  if (!list) return {};
  return {NeighbourInList(*list, currentPath, false), NeighbourInList(*list, currentPath, true)};
}

}  // namespace veilo
