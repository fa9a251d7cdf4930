#include "shell/about_dialog_win.h"

#include "platform/dialog_win.h"
#include "shell/message_box_win.h"

namespace veilo {

namespace {

class AboutDialog : public ModalDialog {
 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM) override {
    switch (msg) {
      case WM_INITDIALOG: return TRUE;
      case WM_COMMAND: return OnCommand(LOWORD(wp));
      default: return FALSE;
    }
  }

 private:
  INT_PTR OnCommand(WORD id) {
    if (id != IDOK && id != IDCANCEL) return FALSE;
    End(id);
    return TRUE;
  }
};

}  // namespace

void ShowAboutBox(App&, HWND owner) {
  AboutDialog dialog;
  if (dialog.Run(owner, L"AboutBox") == -1) ShowStartupError(owner, "DEMO: About Dialog Creation Error!");
}

}  // namespace veilo
