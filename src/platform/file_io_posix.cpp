#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
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

bool IsReadOnlyFile(std::string_view path) {
  struct stat st{};
  // The permission bits, not access(): the process may run with rights that
  // would write anyway, and a file marked unwritable is to be left alone.
  return ::stat(std::string(path).c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool IsPathSeparator(char c) { return c == '/'; }

std::optional<FileStamp> FileStampOf(std::string_view path) {
  struct stat st{};
  if (::stat(std::string(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  const int64_t nanoseconds = int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
  return FileStamp{static_cast<uint64_t>(st.st_size), nanoseconds};
}

std::vector<DirectoryEntry> ListDirectory(std::string_view folder) {
  std::vector<DirectoryEntry> entries;
  const std::string base(folder);
  DIR* dir = ::opendir(base.c_str());
  if (!dir) return entries;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    DirectoryEntry entry;
    entry.name = name;
    entry.isDirectory = IsDirectory(base + "/" + name);
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  return entries;
}

std::optional<std::string> StoredFullPath(std::string_view path) {
  // realpath also resolves symbolic links; the link's own name is what the
  // user picked, so only the folder part is made canonical.
  std::string p(path);
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  struct stat st{};
  if (p.empty() || ::lstat(p.c_str(), &st) != 0) return std::nullopt;
  const size_t slash = p.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : p.substr(0, slash));
  const std::string name = slash == std::string::npos ? p : p.substr(slash + 1);
  char resolved[PATH_MAX];
  if (!::realpath(folder.c_str(), resolved)) return std::nullopt;
  std::string full = resolved;
  if (name == "." || name == "..") return ::realpath(p.c_str(), resolved) ? std::optional<std::string>(resolved) : std::nullopt;
  if (full.back() != '/') full += '/';
  return full + name;
}

}  // namespace veilo
