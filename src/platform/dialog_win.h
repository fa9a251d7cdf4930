#pragma once
// Modal dialogs over DialogBoxParamW: the object comes in through the init
// parameter and receives the dialog's messages; unhandled ones return FALSE
// to the dialog manager.
#include <windows.h>

#include <string>
#include <string_view>

namespace veilo {

class ModalDialog {
 public:
  virtual ~ModalDialog() = default;
  // Runs the dialog from a template of the program's module; the result of
  // EndDialog, or -1 when the dialog could not be created.
  INT_PTR Run(HWND owner, const wchar_t* templateName);
  HWND hwnd() const { return hwnd_; }

 protected:
  // The dialog procedure's answer for one message (TRUE when handled).
  virtual INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
  void End(INT_PTR result) { EndDialog(hwnd_, result); }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

 private:
  static INT_PTR CALLBACK Router(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

// Text of a dialog control in UTF-8, and the other way.
std::string ItemTextUtf8(HWND dialog, int id);
void SetItemTextUtf8(HWND dialog, int id, std::string_view utf8);
void SetWindowTextUtf8(HWND window, std::string_view utf8);

}  // namespace veilo
