#include "platform/dialog_win.h"

#include <vector>

#include "platform/wide_win.h"

namespace veilo {

INT_PTR ModalDialog::Run(HWND owner, const wchar_t* templateName) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), templateName, owner, Router, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ModalDialog::Router(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<ModalDialog*>(lp);
    SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    self->hwnd_ = hwnd;
  }
  if (!self) return FALSE;
  const INT_PTR result = self->HandleMessage(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

std::string ItemTextUtf8(HWND dialog, int id) {
  const HWND item = GetDlgItem(dialog, id);
  const int length = item ? GetWindowTextLengthW(item) : 0;
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
  if (item) GetWindowTextW(item, text.data(), length + 1);
  return Utf8(text.data());
}

void SetItemTextUtf8(HWND dialog, int id, std::string_view utf8) { SetDlgItemTextW(dialog, id, Wide(utf8).c_str()); }

void SetWindowTextUtf8(HWND window, std::string_view utf8) { SetWindowTextW(window, Wide(utf8).c_str()); }

}  // namespace veilo
