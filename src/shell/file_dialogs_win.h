#pragma once
// What the open and save dialogs share: the file type last chosen in either,
// and the buffers of the common dialog record.
#include <windows.h>
#include <commdlg.h>

#include <string>

namespace veilo {

struct FileDialogBuffers {
  std::wstring filters;  // description\0pattern\0...\0\0
  std::wstring initialFolder;
  wchar_t path[32768] = {};
};

// The filter index both dialogs start on (the type last chosen in either).
DWORD& SharedFilterIndex();
OPENFILENAMEW MakeFileDialogRecord(HWND owner, FileDialogBuffers& buffers);

}  // namespace veilo
