#pragma once
// The save dialog: the name offered from the document's title, the extension
// following the chosen file type, the remembered folder, the overwrite question.
#include <windows.h>

#include <optional>
#include <string>

#include "doc/image_doc.h"

namespace veilo {

struct App;

// The chosen full path, or nullopt when cancelled.
std::optional<std::string> ShowSaveDialog(App& app, HWND owner, const ImageDoc& doc);

}  // namespace veilo
