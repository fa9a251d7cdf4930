#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/file_io.h"

namespace veilo {

FilePtr OpenFile(std::string_view path, const char* mode) {
  return FilePtr(std::fopen(std::string(path).c_str(), mode));
}

bool FileExists(std::string_view path) {
  struct stat st{};
  return ::stat(std::string(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(std::string_view path) {
  struct stat st{};
  return ::stat(std::string(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(std::string_view path) { return ::unlink(std::string(path).c_str()) == 0; }

bool ReplaceFile(std::string_view source, std::string_view target) {
  return std::rename(std::string(source).c_str(), std::string(target).c_str()) == 0;
}

}  // namespace veilo
