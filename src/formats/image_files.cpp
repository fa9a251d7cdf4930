#include "formats/image_files.h"

#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {

void ReportError(ShellNotifications& shell, std::string_view utf8Text) { shell.ShowError(utf8Text); }

std::optional<std::string> ResolveLongPath(std::string_view utf8Path) { return StoredFullPath(utf8Path); }

std::string FileTitleOf(std::string_view utf8Path) {
  size_t start = utf8Path.size();
  while (start > 0 && !IsPathSeparator(utf8Path[start - 1])) --start;
  return std::string(utf8Path.substr(start));
}

bool DeleteImageFile(std::string_view utf8Path) { return FileExists(utf8Path) && RemoveFile(utf8Path); }

}  // namespace veilo
