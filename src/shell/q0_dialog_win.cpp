// "Q0_OPT": which of the six steps the Q0 mask takes. Each click stores its
// box at once; Cancel puts back all six as the dialog found them.
#include <array>

#include "masks/mask_context.h"
#include "platform/dialog_win.h"
#include "shell/app_win.h"
#include "shell/option_dialogs_win.h"
#include "shell/resource_ids.h"
#include "shell/texts.h"

namespace veilo {

namespace {

struct StepBox {
  int id;
  int32_t MaskOptions::*step;
  TextId label;
};

constexpr std::array kStepBoxes = {
    StepBox{IDC_Q0_VGLASS, &MaskOptions::q0VerticalGlass, TextId::Q0VerticalGlass},
    StepBox{IDC_Q0_HGLASS, &MaskOptions::q0HorizontalGlass, TextId::Q0HorizontalGlass},
    StepBox{IDC_Q0_NEGPOS, &MaskOptions::q0NegPos, TextId::Q0NegPos},
    StepBox{IDC_Q0_UPDOWN, &MaskOptions::q0UpDown, TextId::Q0UpDown},
    StepBox{IDC_Q0_LEFTRIGHT, &MaskOptions::q0LeftRight, TextId::Q0LeftRight},
    StepBox{IDC_Q0_XOR, &MaskOptions::q0Xor, TextId::Q0Xor},
};

class Q0OptionsDialog : public ModalDialog {
 public:
  Q0OptionsDialog(MaskOptions& options, const LanguageTexts& language)
      : options_(options), language_(language) {}

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
    for (size_t i = 0; i < kStepBoxes.size(); ++i) {
      const StepBox& box = kStepBoxes[i];
      saved_[i] = options_.*box.step;
      CheckDlgButton(hwnd(), box.id, options_.*box.step ? BST_CHECKED : BST_UNCHECKED);
    }
    if (language_.languageLoaded) {
      SetWindowTextUtf8(hwnd(), Text(TextId::Q0Title, language_));
      for (const StepBox& box : kStepBoxes) SetItemTextUtf8(hwnd(), box.id, Text(box.label, language_));
    }
    return TRUE;
  }

  INT_PTR OnCommand(WORD id, WORD code) {
    if (id == IDOK) return Close(IDOK);
    if (id == IDCANCEL) {
      for (size_t i = 0; i < kStepBoxes.size(); ++i) options_.*kStepBoxes[i].step = saved_[i];
      return Close(IDCANCEL);
    }
    if (code != BN_CLICKED) return FALSE;
    for (const StepBox& box : kStepBoxes) {
      if (box.id != id) continue;
      options_.*box.step = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED ? 1 : 0;
      return TRUE;
    }
    return FALSE;
  }

  INT_PTR Close(INT_PTR result) {
    End(result);
    return TRUE;
  }

  MaskOptions& options_;
  const LanguageTexts& language_;
  std::array<int32_t, kStepBoxes.size()> saved_{};
};

}  // namespace

void ShowQ0Options(App& app, HWND owner) {
  Q0OptionsDialog dialog(app.options.mask, app.language);
  dialog.Run(owner, L"Q0_OPT");
}

}  // namespace veilo
