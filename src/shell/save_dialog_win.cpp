#include "shell/save_dialog_win.h"

#include <algorithm>

#include "formats/file_dialog_rules.h"
#include "formats/image_files.h"
#include "platform/wide_win.h"
#include "shell/app_win.h"
#include "shell/file_dialogs_win.h"
#include "shell/texts.h"

namespace veilo {

std::optional<std::string> ShowSaveDialog(App& app, HWND owner, const ImageDoc& doc) {
  FileDialogBuffers buffers;
  buffers.filters = Wide(JoinFileFilters(SaveFileFilters(app.language)));
  buffers.initialFolder = Wide(app.options.saveDir);
  const std::wstring prefill = Wide(SaveNamePrefill(doc.title));
  std::copy_n(prefill.c_str(), std::min(prefill.size() + 1, std::size(buffers.path) - 1), buffers.path);
  OPENFILENAMEW ofn = MakeFileDialogRecord(owner, buffers);
  ofn.nFilterIndex = 1;  // the save dialog starts on the first type
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  SharedFilterIndex() = ofn.nFilterIndex;
  const std::string path = Utf8(buffers.path);
  app.options.saveDir = FolderOfChosenPath(path, FileTitleOf(path));
  return path;
}

}  // namespace veilo
