// "BMP_OPT": the colour reduction before a BMP save of a picture of more than
// 16 colours. A click on a choice takes it at once, and it holds for every
// later BMP save of the run; Cancel writes nothing but keeps the choice.
#include <array>

#include "formats/bmp_save.h"
#include "platform/dialog_win.h"
#include "shell/app_win.h"
#include "shell/resource_ids.h"
#include "shell/save_option_dialogs_win.h"
#include "shell/texts.h"

namespace veilo {

namespace {

struct ReductionButton {
  int id;
  int reduction;
  TextId text;
};

constexpr std::array kReductionButtons = {
    ReductionButton{IDC_BMP_NO_REDUCTION, 0, TextId::BmpNoReduction},
    ReductionButton{IDC_BMP_REDUCE_256, 256, TextId::BmpReduce256},
    ReductionButton{IDC_BMP_REDUCE_16, 16, TextId::BmpReduce16},
};

class BmpOptionsDialog : public ModalDialog {
 public:
  BmpOptionsDialog(uint32_t colourCount, int& option, const LanguageTexts& language)
      : colourCount_(colourCount), option_(option), language_(language) {}

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
    if (language_.languageLoaded) {
      SetItemTextUtf8(hwnd(), IDC_BMP_REDUCTION_GROUP, Text(TextId::BmpReduction, language_));
      for (const ReductionButton& button : kReductionButtons)
        SetItemTextUtf8(hwnd(), button.id, Text(button.text, language_));
      SetItemTextUtf8(hwnd(), IDOK, Text(TextId::ButtonOk, language_));
      SetItemTextUtf8(hwnd(), IDCANCEL, Text(TextId::ButtonCancel, language_));
    }
    EnableWindow(Item(IDC_BMP_REDUCE_256), IsBmp256Offered(colourCount_));
    option_ = OfferedBmpReduction(colourCount_, option_);
    for (const ReductionButton& button : kReductionButtons)
      CheckDlgButton(hwnd(), button.id, button.reduction == option_ ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
  }

  INT_PTR OnCommand(WORD id, WORD code) {
    if (id == IDOK || id == IDCANCEL) {
      End(id);
      return TRUE;
    }
    if (code != BN_CLICKED) return FALSE;
    for (const ReductionButton& button : kReductionButtons) {
      if (button.id != id) continue;
      if (IsDlgButtonChecked(hwnd(), id) == BST_CHECKED) option_ = button.reduction;
      return TRUE;
    }
    return FALSE;
  }

  uint32_t colourCount_;
  int& option_;
  const LanguageTexts& language_;
};

}  // namespace

bool AskBmpOptions(App& app, HWND owner, uint32_t colourCount, int& option) {
  BmpOptionsDialog dialog(colourCount, option, app.language);
  return dialog.Run(owner, L"BMP_OPT") == IDOK;
}

}  // namespace veilo
