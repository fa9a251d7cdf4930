#include <windows.h>
// <windows.h> maps ReplaceFile to ReplaceFileW; ours is a different function.
#undef ReplaceFile

#include <cstdio>
#include <string>

#include "platform/file_io.h"
#include "platform/utf.h"

namespace veilo {

namespace {

std::wstring Wide(std::string_view utf8) {
  const std::u16string w = Utf8ToUtf16(utf8);
  return std::wstring(w.begin(), w.end());
}

DWORD Attributes(std::string_view path) { return GetFileAttributesW(Wide(path).c_str()); }

}  // namespace

FilePtr OpenFile(std::string_view path, const char* mode) {
  const std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
  return FilePtr(_wfopen(Wide(path).c_str(), wmode.c_str()));
}

bool FileExists(std::string_view path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDirectory(std::string_view path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(std::string_view path) { return DeleteFileW(Wide(path).c_str()) != 0; }

bool ReplaceFile(std::string_view source, std::string_view target) {
  return MoveFileExW(Wide(source).c_str(), Wide(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool IsReadOnlyFile(std::string_view path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
}

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

std::optional<FileStamp> FileStampOf(std::string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  const uint64_t size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  const uint64_t written = (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
  return FileStamp{size, static_cast<int64_t>(written)};
}

namespace {

std::string Narrow(const wchar_t* w) {
  const std::wstring ws(w);
  return Utf16ToUtf8(std::u16string(ws.begin(), ws.end()));
}

}  // namespace

std::vector<DirectoryEntry> ListDirectory(std::string_view folder) {
  std::vector<DirectoryEntry> entries;
  std::string pattern(folder);
  if (pattern.empty() || !IsPathSeparator(pattern.back())) pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAW found{};
  const HANDLE find = FindFirstFileW(Wide(pattern).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = Narrow(found.cFileName);
    if (name == "." || name == "..") continue;
    DirectoryEntry entry;
    entry.name = name;
    entry.shortName = Narrow(found.cAlternateFileName);
    entry.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entries.push_back(std::move(entry));
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return entries;
}

std::optional<std::string> StoredFullPath(std::string_view path) {
  const std::wstring wide = Wide(path);
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return std::nullopt;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return std::nullopt;
  full.resize(length);
  WIN32_FIND_DATAW found{};
  const HANDLE find = FindFirstFileW(full.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(find);
  // The found name replaces the file part: the spelling the file system keeps.
  const size_t cut = full.find_last_of(L"\\/");
  const std::wstring stored = (cut == std::wstring::npos ? std::wstring() : full.substr(0, cut + 1)) + found.cFileName;
  return Narrow(stored.c_str());
}

}  // namespace veilo
