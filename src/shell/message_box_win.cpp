#include "shell/message_box_win.h"

#include "platform/wide_win.h"

namespace veilo {

namespace {

MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

}  // namespace

int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type) {
  if (const MessageBoxHandler& handler = Handler())
    return handler(MessageBoxRequest{owner, std::string(text), std::string(caption), type});
  return MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), type);
}

void ReportErrorBox(HWND owner, std::string_view text) {
  MessageBeep(0);
  ShowMessageBox(owner, text, "Error!", MB_OK | MB_ICONWARNING);
}

void ShowStartupError(HWND owner, std::string_view text) { ShowMessageBox(owner, text, "Error", MB_OK); }

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

}  // namespace veilo
