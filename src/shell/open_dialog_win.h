#pragma once
// The open dialog: the file types of both languages, the remembered folder,
// and the preview pane of the picture under the selection.
#include <windows.h>

#include <optional>
#include <string>

namespace veilo {

struct App;

// The chosen file's full path, or nullopt when cancelled.
std::optional<std::string> ShowOpenDialog(App& app, HWND owner);

}  // namespace veilo
