// "CP_MASK": the code of the CP mask, typed or taken from one of the three
// codes last used on this picture. OK checks the typed text and, on a
// refusal, keeps the dialog open with the offending part selected.
#include <array>
#include <string>

#include "masks/cp_mask.h"
#include "platform/dialog_win.h"
#include "platform/wide_win.h"
#include "shell/app_win.h"
#include "shell/cp_code_messages.h"
#include "shell/doc_window_win.h"
#include "shell/message_box_win.h"
#include "shell/option_dialogs_win.h"
#include "shell/resource_ids.h"

namespace veilo {

namespace {

struct SlotControls {
  int text;
  int use;
};
constexpr std::array<SlotControls, kCpSlotCount> kSlots = {
    SlotControls{IDC_CP_SLOT1, IDC_CP_SLOT1_OK},
    SlotControls{IDC_CP_SLOT2, IDC_CP_SLOT2_OK},
    SlotControls{IDC_CP_SLOT3, IDC_CP_SLOT3_OK},
};

class CpCodeDialog : public ModalDialog {
 public:
  CpCodeDialog(std::string& lastCode, ImageDoc& doc, const LanguageTexts& language)
      : lastCode_(lastCode), doc_(doc), language_(language) {}

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM) override {
    switch (msg) {
      case WM_INITDIALOG: return OnInit();
      case WM_COMMAND: return OnCommand(LOWORD(wp));
      default: return FALSE;
    }
  }

 private:
  INT_PTR OnInit() {
    const HWND edit = Item(IDC_CP_EDIT);
    SendMessageW(edit, EM_LIMITTEXT, kCpTypedMaxLength, 0);
    SetItemTextUtf8(hwnd(), IDC_CP_EDIT, lastCode_);
    ShowSlots();
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return FALSE;  // the focus is set
  }

  void ShowSlots() {
    for (size_t i = 0; i < kSlots.size(); ++i) {
      const std::string_view code = CpSlotText(doc_.cpCodes[i]);
      SetItemTextUtf8(hwnd(), kSlots[i].text, code);
      EnableWindow(Item(kSlots[i].use), !code.empty());
    }
  }

  INT_PTR OnCommand(WORD id) {
    switch (id) {
      case IDOK: OnOk(); return TRUE;
      case IDCANCEL: End(IDCANCEL); return TRUE;
      case IDC_CP_CLEAR: OnClear(); return TRUE;
      case IDC_CP_SLOT1_OK: return UseSlot(0);
      case IDC_CP_SLOT2_OK: return UseSlot(1);
      case IDC_CP_SLOT3_OK: return UseSlot(2);
      default: return FALSE;
    }
  }

  // The field's text as far as the field takes it (text put in from outside
  // the keyboard is not held to the limit), never ending inside a character.
  std::string TypedText() const {
    std::wstring text = Wide(ItemTextUtf8(hwnd(), IDC_CP_EDIT));
    if (text.size() > static_cast<size_t>(kCpTypedMaxLength)) {
      text.resize(kCpTypedMaxLength);
      if (text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
    }
    return Utf8(text);
  }

  void OnOk() {
    const std::string typed = TypedText();
    const CpCodeCheck check = CheckCpCode(typed);
    if (check.error == CpCodeError::kNone) {
      lastCode_ = typed;
      End(IDOK);
      return;
    }
    ReportErrorBox(hwnd(), CpRefusalText(check, language_));
    const HWND edit = Item(IDC_CP_EDIT);
    SetFocus(edit);
    if (check.selectStart >= 0) SendMessageW(edit, EM_SETSEL, check.selectStart, check.selectEnd);
  }

  INT_PTR UseSlot(size_t slot) {
    const std::string_view code = CpSlotText(doc_.cpCodes[slot]);
    if (code.empty()) return TRUE;  // its button is disabled; a stray click does nothing
    lastCode_ = std::string(code);
    End(IDOK);
    return TRUE;
  }

  void OnClear() {
    ClearCpCodes(doc_);
    ShowSlots();
  }

  std::string& lastCode_;
  ImageDoc& doc_;
  const LanguageTexts& language_;
};

}  // namespace

bool AskCpCode(App& app, DocumentWindow& window, std::string& code) {
  CpCodeDialog dialog(app.lastCpCode, window.doc(), app.language);
  if (dialog.Run(GetAncestor(window.hwnd(), GA_ROOT), L"CP_MASK") != IDOK) return false;
  code = app.lastCpCode;
  return true;
}

}  // namespace veilo
