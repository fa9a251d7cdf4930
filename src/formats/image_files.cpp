#include "formats/image_files.h"

#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {

void ReportError(ShellNotifications& shell, std::string_view utf8Text) { shell.ShowError(utf8Text); }

std::optional<std::string> ResolveLongPath(std::string_view utf8Path) { return StoredFullPath(utf8Path); }

bool DeleteImageFile(std::string_view utf8Path) { return FileExists(utf8Path) && RemoveFile(utf8Path); }

}  // namespace veilo
