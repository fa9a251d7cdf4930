#include "modal_driver_win.h"

#include <string_view>

#include "platform/wide_win.h"

namespace veilo::testing {

namespace {

ModalDriver* current = nullptr;  // one driver at a time; its timer has no window to carry it

BOOL CALLBACK FindDialogBox(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring_view(name) != L"#32770" || !IsWindowVisible(window) || !IsWindowEnabled(window))
    return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

HWND ActiveDialogBox() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialogBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

ModalDriver::ModalDriver(std::vector<Step> steps, DWORD limitMs)
    : steps_(std::move(steps)), deadline_(GetTickCount64() + limitMs) {
  current = this;
  timer_ = SetTimer(nullptr, 0, 40, Tick);
}

ModalDriver::~ModalDriver() {
  if (timer_) KillTimer(nullptr, timer_);
  if (current == this) current = nullptr;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (current) current->OnTick();
}

void ModalDriver::OnTick() {
  const HWND dialog = ActiveDialogBox();
  // Also while a step is still running: it may be stuck in a box it opened.
  if (GetTickCount64() > deadline_) {
    // Out of time: close what is open, so that the command returns and the test can fail.
    if (next_ < steps_.size()) timedOut_ = true;
    // Cancel for dialogs, No for the questions that have no Cancel button.
    if (dialog) PostMessageW(dialog, WM_COMMAND, (closeAttempts_++ % 2) ? IDNO : IDCANCEL, 0);
    return;
  }
  if (running_ || !dialog || next_ >= steps_.size()) return;
  running_ = true;
  if (steps_[next_](dialog)) ++next_;
  running_ = false;
}

void ClickItem(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool ItemChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

std::string WindowTextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return Utf8(text);
}

}  // namespace veilo::testing
