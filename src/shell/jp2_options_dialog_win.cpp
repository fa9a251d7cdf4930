// "JP2_OPT": lossless or a compression rate, asked at every JPEG 2000 save.
// The dialog works on copies; OK keeps them once the rate is acceptable
// ("error: rate" keeps the dialog open), Cancel keeps nothing.
#include "formats/jp2_options.h"
#include "platform/dialog_win.h"
#include "shell/app_win.h"
#include "shell/message_box_win.h"
#include "shell/resource_ids.h"
#include "shell/save_option_dialogs_win.h"

namespace veilo {

namespace {

class Jp2OptionsDialog : public ModalDialog {
 public:
  explicit Jp2OptionsDialog(Jp2WriteOptions& options) : options_(options) {}

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM) override {
    switch (msg) {
      case WM_INITDIALOG: return OnInit();
      case WM_COMMAND: return OnCommand(LOWORD(wp), HIWORD(wp));
      default: return FALSE;
    }
  }

 private:
  INT_PTR OnInit() {
    lossless_ = options_.lossless;
    rate_ = options_.rate;
    const int choice = lossless_ ? IDC_JP2_LOSSLESS : IDC_JP2_RATE_CHOICE;
    CheckRadioButton(hwnd(), IDC_JP2_LOSSLESS, IDC_JP2_RATE_CHOICE, choice);
    showing_ = true;
    SetItemTextUtf8(hwnd(), IDC_JP2_RATE, Jp2RateText(rate_));
    showing_ = false;
    EnableWindow(Item(IDC_JP2_RATE), !lossless_);
    SetItemTextUtf8(hwnd(), IDC_JP2_LIBRARY, Jp2LibraryText());
    return TRUE;
  }

  INT_PTR OnCommand(WORD id, WORD code) {
    switch (id) {
      case IDOK: return OnOk();
      case IDCANCEL: End(IDCANCEL); return TRUE;
      case IDC_JP2_LOSSLESS: return code == BN_CLICKED ? OnChoice(true) : FALSE;
      case IDC_JP2_RATE_CHOICE: return code == BN_CLICKED ? OnChoice(false) : FALSE;
      case IDC_JP2_RATE:
        if (code != EN_CHANGE) return FALSE;
        if (!showing_) rate_ = Jp2RateFromText(ItemTextUtf8(hwnd(), IDC_JP2_RATE));
        return TRUE;
      default: return FALSE;
    }
  }

  INT_PTR OnChoice(bool lossless) {
    const int id = lossless ? IDC_JP2_LOSSLESS : IDC_JP2_RATE_CHOICE;
    if (IsDlgButtonChecked(hwnd(), id) != BST_CHECKED) return TRUE;
    lossless_ = lossless;
    EnableWindow(Item(IDC_JP2_RATE), !lossless_);
    return TRUE;
  }

  INT_PTR OnOk() {
    const std::optional<Jp2WriteOptions> accepted = AcceptJp2Choice(options_, lossless_, rate_);
    if (!accepted) {
      ReportErrorBox(hwnd(), kJp2RateErrorText);
      // Back to the field, ready for another rate.
      SetFocus(Item(IDC_JP2_RATE));
      SendDlgItemMessageW(hwnd(), IDC_JP2_RATE, EM_SETSEL, 0, -1);
      return TRUE;
    }
    options_ = *accepted;
    End(IDOK);
    return TRUE;
  }

  Jp2WriteOptions& options_;
  bool lossless_ = true;
  float rate_ = 0.1f;
  bool showing_ = false;  // the dialog itself is filling the field
};

}  // namespace

bool AskJp2Options(App&, HWND owner, Jp2WriteOptions& options) {
  Jp2OptionsDialog dialog(options);
  return dialog.Run(owner, L"JP2_OPT") == IDOK;
}

}  // namespace veilo
