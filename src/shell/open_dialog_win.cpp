#include "shell/open_dialog_win.h"

#include "formats/file_dialog_rules.h"
#include "formats/image_files.h"
#include "platform/wide_win.h"
#include "shell/app_win.h"
#include "shell/file_dialogs_win.h"
#include "shell/texts.h"

namespace veilo {

std::optional<std::string> ShowOpenDialog(App& app, HWND owner) {
  FileDialogBuffers buffers;
  const std::string filters = JoinFileFilters(OpenFileFilters(app.language));
  buffers.filters = Wide(filters);
  buffers.initialFolder = Wide(app.options.loadDir);
  OPENFILENAMEW ofn = MakeFileDialogRecord(owner, buffers);
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&ofn)) return std::nullopt;
  SharedFilterIndex() = ofn.nFilterIndex;
  const std::string path = Utf8(buffers.path);
  app.options.loadDir = FolderOfChosenPath(path, FileTitleOf(path));
  return path;
}

}  // namespace veilo
