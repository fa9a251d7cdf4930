#pragma once
// Every message box of the program goes through here, so that the in-process
// tests can answer them instead of a user (see SetMessageBoxHandler).
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace veilo {

struct MessageBoxRequest {
  HWND owner = nullptr;
  std::string text;     // UTF-8
  std::string caption;  // UTF-8
  UINT type = MB_OK;
};

// MessageBoxW with UTF-8 texts; the answer (IDOK, IDYES, ...).
int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type);

// The common error box of file and mask operations: the default beep, then the
// text under "Error!" with the warning icon.
void ReportErrorBox(HWND owner, std::string_view text);
// Start-up and allocation failures: the text under "Error".
void ShowStartupError(HWND owner, std::string_view text);

// Replaces the real message box (tests); an empty handler restores it.
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace veilo
