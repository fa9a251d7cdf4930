#pragma once
// What the open and save dialogs share: the file type last chosen in either,
// the buffers of the common dialog record, and what their hooks ask of it.
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

// A text the explorer-style dialog hands to its hook (CDM_GETSPEC,
// CDM_GETFILEPATH, ...), of any length; empty when it has none. `dialog` is
// the common dialog itself, the parent of the hook's dialog.
std::wstring CommonDialogText(HWND dialog, UINT message);

}  // namespace veilo
