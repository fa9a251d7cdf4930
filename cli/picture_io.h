#pragma once
// Loading and saving through the same paths the application uses.
#include <string>

#include "doc/image_doc.h"
#include "platform/shell_notifications.h"

namespace veilo::cli {

// False after the reader reported why (or, for a file that cannot be
// opened, after saying so here).
bool LoadPicture(ShellNotifications& shell, const std::string& path, ImageDoc& doc);
bool SavePicture(ShellNotifications& shell, const std::string& path, ImageDoc& doc);

}  // namespace veilo::cli
