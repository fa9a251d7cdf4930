#include "shell/file_dialogs_win.h"

#include <cwchar>

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

std::wstring CommonDialogText(HWND dialog, UINT message) {
  // Asked with no buffer, the dialog answers the size it needs, terminator included.
  const LRESULT needed = SendMessageW(dialog, message, 0, 0);
  if (needed <= 1) return {};
  std::wstring text(static_cast<size_t>(needed), L'\0');
  if (SendMessageW(dialog, message, static_cast<WPARAM>(needed), reinterpret_cast<LPARAM>(text.data())) < 0)
    return {};
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

}  // namespace veilo
