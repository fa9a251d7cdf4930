#pragma once
// File access by UTF-8 path, and saving that never destroys the user's file:
// a save goes to a temporary file in the target's folder, which replaces the
// target only once everything is written.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veilo {

struct FileCloser {
  void operator()(std::FILE* f) const { if (f) std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Platform primitives (file_io_posix.cpp / file_io_win.cpp).
FilePtr OpenFile(std::string_view utf8Path, const char* mode);  // fopen modes, binary
bool FileExists(std::string_view utf8Path);                      // a file, not a folder
bool IsDirectory(std::string_view utf8Path);
bool RemoveFile(std::string_view utf8Path);
// Atomically replaces `target` (which may exist) with `source`.
bool ReplaceFile(std::string_view utf8Source, std::string_view utf8Target);
// An existing file or folder that may not be written (no write permission /
// the read-only attribute). False when it does not exist.
bool IsReadOnlyFile(std::string_view utf8Path);
// Folder separators: '/' everywhere, and '\\' on Windows as well.
bool IsPathSeparator(char c);

// What tells one version of a file from the next: its size and the time it
// was last written (in the file system's own units).
struct FileStamp {
  uint64_t size = 0;
  int64_t modified = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// nullopt when there is no such file.
std::optional<FileStamp> FileStampOf(std::string_view utf8Path);

// One entry of a folder as the directory search returns it.
struct DirectoryEntry {
  std::string name;       // as the file system stores it
  std::string shortName;  // the 8.3 alias where the file system keeps one, else empty
  bool isDirectory = false;
};
// Every entry of the folder except "." and "..", in the file system's order.
// Empty when the folder cannot be searched.
std::vector<DirectoryEntry> ListDirectory(std::string_view utf8Folder);

// The full path of an existing file or folder with its last part spelled as
// the file system stores it; nullopt when nothing exists there.
std::optional<std::string> StoredFullPath(std::string_view utf8Path);

// Reads the whole file. nullopt when it cannot be opened or read, or is
// larger than maxBytes.
std::optional<std::vector<uint8_t>> ReadWholeFile(std::string_view utf8Path, uint64_t maxBytes);

// Writes a file through a temporary sibling. Destroying the writer without
// Commit() removes the temporary file and leaves the target untouched.
class SafeFileWriter {
 public:
  explicit SafeFileWriter(std::string targetPath);
  ~SafeFileWriter();
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  bool ok() const { return file_ != nullptr && !failed_; }
  bool Write(const void* data, size_t size);  // sticky: false once any write failed
  std::FILE* stream() { return file_.get(); }  // for library glue that writes itself
  void MarkFailed() { failed_ = true; }
  // Flushes, closes and moves the temporary file over the target.
  bool Commit();

 private:
  std::string target_;
  std::string temp_;
  FilePtr file_;
  bool failed_ = false;
  bool committed_ = false;
};

}  // namespace veilo
