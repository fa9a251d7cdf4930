#pragma once
// Loading and saving through the same dispatch the application uses.
#include <string>

#include "cli_shell.h"
#include "doc/image_doc.h"
#include "formats/image_dispatch.h"

namespace veilo::cli {

// False after the reader reported why (or, for a file that cannot be
// opened, after saying so here).
bool LoadPicture(CliShell& shell, const std::string& path, ImageDoc& doc, const LoadOptions& options);
// The writer is chosen by the extension of `path`. False after the failure
// was reported.
bool SavePicture(CliShell& shell, const std::string& path, ImageDoc& doc, SaveOptions& options);

}  // namespace veilo::cli
