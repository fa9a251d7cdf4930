#include "shell/save_dialog_win.h"

#include <dlgs.h>

#include <algorithm>

#include "formats/file_dialog_rules.h"
#include "formats/image_files.h"
#include "platform/wide_win.h"
#include "shell/app_win.h"
#include "shell/file_dialogs_win.h"
#include "shell/texts.h"

namespace veilo {

namespace {

// A new file type puts its extension on the name in the field, so that what
// is typed and what is written agree.
void OnTypeChange(HWND hook, const OFNOTIFYW& notify) {
  const HWND dialog = GetParent(hook);
  const auto index = static_cast<int>(notify.lpOFN->nFilterIndex);
  const std::optional<std::string> renamed =
      TypeChangedName(Utf8(CommonDialogText(dialog, CDM_GETSPEC)), index);
  if (!renamed) return;
  // The file-name field of the explorer-style dialog was edt1; newer dialogs
  // (and Wine's) have the combo box cmb13 in its place.
  const int field = GetDlgItem(dialog, cmb13) ? cmb13 : edt1;
  SendMessageW(dialog, CDM_SETCONTROLTEXT, field, reinterpret_cast<LPARAM>(Wide(*renamed).c_str()));
}

UINT_PTR CALLBACK TypeChangeHook(HWND hook, UINT msg, WPARAM, LPARAM lp) {
  if (msg != WM_NOTIFY) return 0;
  const auto& notify = *reinterpret_cast<const OFNOTIFYW*>(lp);
  if (notify.hdr.code == CDN_TYPECHANGE) OnTypeChange(hook, notify);
  return 0;
}

}  // namespace

std::optional<std::string> ShowSaveDialog(App& app, HWND owner, const ImageDoc& doc) {
  FileDialogBuffers buffers;
  buffers.filters = Wide(JoinFileFilters(SaveFileFilters(app.language)));
  buffers.initialFolder = Wide(app.options.saveDir);
  const std::wstring prefill = Wide(SaveNamePrefill(doc.title));
  std::copy_n(prefill.c_str(), std::min(prefill.size() + 1, std::size(buffers.path) - 1), buffers.path);
  OPENFILENAMEW ofn = MakeFileDialogRecord(owner, buffers);
  ofn.nFilterIndex = 1;  // the save dialog starts on the first type
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLEHOOK;
  ofn.lpfnHook = TypeChangeHook;
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  SharedFilterIndex() = ofn.nFilterIndex;
  const std::string path = Utf8(buffers.path);
  app.options.saveDir = FolderOfChosenPath(path, FileTitleOf(path));
  return path;
}

}  // namespace veilo
