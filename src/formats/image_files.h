#pragma once
// Small file services shared by the open, save and delete commands.
#include <optional>
#include <string>
#include <string_view>

namespace veilo {

class ShellNotifications;

// The common error box of the file and mask operations: a beep, then the
// text under the caption "Error!" with the warning icon.
void ReportError(ShellNotifications& shell, std::string_view utf8Text);

// The full path of an existing file with its name spelled as the file system
// stores it; nullopt when the file does not exist.
std::optional<std::string> ResolveLongPath(std::string_view utf8Path);

// The name part of a path (after its last folder separator): a document's title.
std::string FileTitleOf(std::string_view utf8Path);

// FileExists (platform/file_io.h) answers whether a file is there.
// Deletes the picture file; false when it could not be removed.
bool DeleteImageFile(std::string_view utf8Path);

}  // namespace veilo
