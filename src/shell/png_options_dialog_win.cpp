// "PNG_OPT": the colour reduction (only the choices that reduce this picture
// are offered), interlace, the transparent colour with its swatch and spoit,
// and the document's text entries. The reduction and interlace are the run's
// choices and change with every click; Cancel puts back what the dialog
// found. The entries are edited in a copy that becomes the document's on OK,
// so a cancelled dialog leaves the document's entries as they were.
#include <array>
#include <optional>

#include "formats/png_reduction.h"
#include "formats/png_text_list.h"
#include "platform/dialog_win.h"
#include "platform/wide_win.h"
#include "shell/app_win.h"
#include "shell/core_messages.h"
#include "shell/dialog_texts_win.h"
#include "shell/message_box_win.h"
#include "shell/png_text_display.h"
#include "shell/resource_ids.h"
#include "shell/save_option_dialogs_win.h"
#include "shell/texts.h"
#include "view/colour_pick_target.h"
#include "view/colour_swatch_win.h"
#include "view/spoit_win.h"

namespace veilo {

namespace {

struct ReductionButton {
  int id;
  int colours;  // 0: no reduction
  TextId text;
};
constexpr std::array kReductionButtons = {
    ReductionButton{IDC_PNG_REDUCE_NONE, 0, TextId::BmpNoReduction},
    ReductionButton{IDC_PNG_REDUCE_16, 16, TextId::GifColours16},
    ReductionButton{IDC_PNG_REDUCE_32, 32, TextId::GifColours32},
    ReductionButton{IDC_PNG_REDUCE_64, 64, TextId::GifColours64},
    ReductionButton{IDC_PNG_REDUCE_128, 128, TextId::GifColours128},
    ReductionButton{IDC_PNG_REDUCE_256, 256, TextId::GifColours256},
};

constexpr std::array kLabels = {
    ItemText{IDC_PNG_REDUCTION_GROUP, TextId::BmpReduction},
    ItemText{IDC_PNG_INTERLACE, TextId::GifInterlace},
    ItemText{IDC_PNG_TRANSPARENT, TextId::GifTransparent},
    ItemText{IDC_PNG_SWATCH_LABEL, TextId::GifTransparentColour},
    ItemText{IDC_PNG_TEXT_GROUP, TextId::PngTextGroup},
    ItemText{IDC_PNG_KEY_LABEL, TextId::PngKeyLabel},
    ItemText{IDC_PNG_NEW_KEY_LABEL, TextId::PngNewKeyLabel},
    ItemText{IDC_PNG_ADD, TextId::ButtonAdd},
    ItemText{IDC_PNG_DELETE, TextId::ButtonDelete},
    ItemText{IDOK, TextId::ButtonOk},
    ItemText{IDCANCEL, TextId::ButtonCancel},
};

class PngOptionsDialog : public ModalDialog {
 public:
  PngOptionsDialog(const LanguageTexts& language, ImageDoc& doc, const PngColourCount& count,
                   PngSaveOptions& options)
      : language_(language), doc_(doc), count_(count), options_(options), saved_(options),
        transparency_(PickTargetOf(doc)), texts_(doc.pngTextList) {
    transparency_.useTransparent = options.transparent;
    transparency_.colour = options.transparentColour;
  }

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_INITDIALOG: return OnInit();
      case WM_COMMAND: return OnCommand(LOWORD(wp), HIWORD(wp));
      case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      default: return FALSE;
    }
  }

 private:
  INT_PTR OnInit();
  INT_PTR OnCommand(WORD id, WORD code);
  INT_PTR OnDrawItem(const DRAWITEMSTRUCT& item);
  void ShowTransparency();
  void FillKeyList(std::optional<size_t> selected);
  void ShowEntry(std::optional<size_t> index);
  std::optional<size_t> Selected() const;
  void OnAdd();
  void OnDelete();
  void OnTextChanged();

  const LanguageTexts& language_;
  ImageDoc& doc_;
  const PngColourCount& count_;
  PngSaveOptions& options_;
  const PngSaveOptions saved_;
  ColourPickTarget transparency_;  // the picture, and the transparent colour of this save
  PngTextList texts_;              // the entries as edited; the document's on OK
  bool showing_ = false;           // the text edit is being filled, not typed in
};

INT_PTR PngOptionsDialog::OnInit() {
  if (language_.languageLoaded)
    for (const ReductionButton& b : kReductionButtons) SetItemTextUtf8(hwnd(), b.id, Text(b.text, language_));
  SetLanguageItemTexts(hwnd(), kLabels, language_);
  SetLanguageCaption(hwnd(), TextId::PngOptionsTitle, language_);
  // A checked choice that this picture does not offer falls back to none.
  if (!PngReductionChoiceOffered(options_.reduction, count_)) options_.reduction = 0;
  for (const ReductionButton& b : kReductionButtons) {
    EnableWindow(Item(b.id), PngReductionChoiceOffered(b.colours, count_));
    CheckDlgButton(hwnd(), b.id, b.colours == options_.reduction ? BST_CHECKED : BST_UNCHECKED);
  }
  CheckDlgButton(hwnd(), IDC_PNG_INTERLACE, options_.interlace ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hwnd(), IDC_PNG_TRANSPARENT, transparency_.useTransparent ? BST_CHECKED : BST_UNCHECKED);
  ShowTransparency();
  SendDlgItemMessageW(hwnd(), IDC_PNG_NEW_KEY, EM_LIMITTEXT, kPngKeyMaxLength, 0);
  EnableWindow(Item(IDC_PNG_ADD), FALSE);
  FillKeyList(texts_.empty() ? std::nullopt : std::optional<size_t>(0));
  return TRUE;
}

void PngOptionsDialog::ShowTransparency() {
  EnableWindow(Item(IDC_PNG_SWATCH), transparency_.useTransparent);
  EnableWindow(Item(IDC_PNG_SWATCH_LABEL), transparency_.useTransparent);
  InvalidateRect(Item(IDC_PNG_SWATCH), nullptr, FALSE);
}

void PngOptionsDialog::FillKeyList(std::optional<size_t> selected) {
  const HWND list = Item(IDC_PNG_KEY_LIST);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const PngTextEntry& e : texts_)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(PngTextForDisplay(e.key)).c_str()));
  ShowEntry(selected);
}

// The entry's key titles the text's frame and its text fills the edit; with
// none, both are empty and the edit and the delete button are disabled.
void PngOptionsDialog::ShowEntry(std::optional<size_t> index) {
  if (index && *index >= texts_.size()) index.reset();
  const WPARAM row = index ? static_cast<WPARAM>(*index) : static_cast<WPARAM>(-1);
  SendDlgItemMessageW(hwnd(), IDC_PNG_KEY_LIST, LB_SETCURSEL, row, 0);
  showing_ = true;
  SetItemTextUtf8(hwnd(), IDC_PNG_TEXT_FRAME, index ? PngTextForDisplay(texts_[*index].key) : std::string());
  SetItemTextUtf8(hwnd(), IDC_PNG_TEXT, index ? PngTextForDisplay(texts_[*index].text) : std::string());
  showing_ = false;
  EnableWindow(Item(IDC_PNG_TEXT), index.has_value());
  EnableWindow(Item(IDC_PNG_DELETE), index.has_value());
}

std::optional<size_t> PngOptionsDialog::Selected() const {
  const LRESULT i = SendDlgItemMessageW(hwnd(), IDC_PNG_KEY_LIST, LB_GETCURSEL, 0, 0);
  if (i == LB_ERR || static_cast<size_t>(i) >= texts_.size()) return std::nullopt;
  return static_cast<size_t>(i);
}

INT_PTR PngOptionsDialog::OnCommand(WORD id, WORD code) {
  switch (id) {
    case IDOK:
      options_.transparent = transparency_.useTransparent;
      options_.transparentColour = transparency_.colour;
      doc_.pngTextList = std::move(texts_);
      End(IDOK);
      return TRUE;
    case IDCANCEL:
      options_.reduction = saved_.reduction;
      options_.interlace = saved_.interlace;
      End(IDCANCEL);
      return TRUE;
    case IDC_PNG_INTERLACE: options_.interlace = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; return TRUE;
    case IDC_PNG_TRANSPARENT:
      SetTransparencyChecked(transparency_, IsDlgButtonChecked(hwnd(), id) == BST_CHECKED);
      ShowTransparency();
      return TRUE;
    case IDC_PNG_SWATCH:
      if (code == BN_CLICKED && transparency_.useTransparent) {
        PickColour(hwnd(), transparency_);
        InvalidateRect(Item(IDC_PNG_SWATCH), nullptr, FALSE);
      }
      return TRUE;
    case IDC_PNG_KEY_LIST:
      if (code == LBN_SELCHANGE) ShowEntry(Selected());
      return TRUE;
    case IDC_PNG_NEW_KEY:
      if (code == EN_CHANGE) EnableWindow(Item(IDC_PNG_ADD), GetWindowTextLengthW(Item(id)) > 0);
      // While a new key is typed, Enter adds it rather than ending the dialog.
      if (code == EN_SETFOCUS || code == EN_KILLFOCUS)
        SendMessageW(hwnd(), DM_SETDEFID, code == EN_SETFOCUS ? IDC_PNG_ADD : IDOK, 0);
      return TRUE;
    case IDC_PNG_TEXT:
      if (code == EN_CHANGE) OnTextChanged();
      return TRUE;
    case IDC_PNG_ADD: OnAdd(); return TRUE;
    case IDC_PNG_DELETE: OnDelete(); return TRUE;
    default: break;
  }
  for (const ReductionButton& b : kReductionButtons)
    if (b.id == id && IsDlgButtonChecked(hwnd(), id) == BST_CHECKED) options_.reduction = b.colours;
  return FALSE;
}

void PngOptionsDialog::OnAdd() {
  const PngKeyAddResult result = AddPngTextKey(texts_, ItemTextUtf8(hwnd(), IDC_PNG_NEW_KEY));
  if (const char* message = PngKeyAddMessage(result)) {
    ReportErrorBox(hwnd(), CoreMessageText(message, language_));
    return;
  }
  FillKeyList(texts_.size() - 1);
  SetItemTextUtf8(hwnd(), IDC_PNG_NEW_KEY, "");
}

void PngOptionsDialog::OnDelete() {
  const std::optional<size_t> index = Selected();
  if (!index) return;
  RemovePngText(texts_, *index);
  SendDlgItemMessageW(hwnd(), IDC_PNG_KEY_LIST, LB_DELETESTRING, *index, 0);
  ShowEntry(PngTextSelectionAfterRemove(*index, texts_.size()));
}

// What the user types replaces the selected entry's whole text.
void PngOptionsDialog::OnTextChanged() {
  if (showing_) return;
  if (const std::optional<size_t> index = Selected())
    texts_[*index].text = PngTextFromEdit(ItemTextUtf8(hwnd(), IDC_PNG_TEXT));
}

INT_PTR PngOptionsDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID != IDC_PNG_SWATCH) return FALSE;
  DrawColourSwatch(item, transparency_.useTransparent, transparency_.colour);
  return TRUE;
}

}  // namespace

bool AskPngOptions(App& app, HWND owner, ImageDoc& doc, const PngColourCount& count, PngSaveOptions& options) {
  PngOptionsDialog dialog(app.language, doc, count, options);
  return dialog.Run(owner, L"PNG_OPT") == IDOK;
}

}  // namespace veilo
