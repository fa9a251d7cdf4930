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

}  // namespace veilo
