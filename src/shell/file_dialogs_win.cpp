#include "shell/file_dialogs_win.h"

namespace veilo {

DWORD& SharedFilterIndex() {
  static DWORD index = 1;
  return index;
}

OPENFILENAMEW MakeFileDialogRecord(HWND owner, FileDialogBuffers& buffers) {
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = GetModuleHandleW(nullptr);
  ofn.lpstrFilter = buffers.filters.c_str();
  ofn.nFilterIndex = SharedFilterIndex();
  ofn.lpstrFile = buffers.path;
  ofn.nMaxFile = static_cast<DWORD>(std::size(buffers.path));
  ofn.lpstrInitialDir = buffers.initialFolder.empty() ? nullptr : buffers.initialFolder.c_str();
  return ofn;
}

}  // namespace veilo
