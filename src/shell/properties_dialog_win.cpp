// The properties dialog (PROP_DLG): the picture's path and size, its colour
// count (first up to a thousand colours, the exact count on request) and its
// PNG text entries, read only.
#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/dialog_win.h"
#include "platform/wide_win.h"
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/png_text_display.h"
#include "shell/property_texts.h"
#include "shell/resource_ids.h"
#include "shell/texts.h"
#include "shell/tool_dialogs_win.h"
#include "tools/picture_properties.h"

namespace veilo {

namespace {

class PropertiesDialog : public ModalDialog {
 public:
  PropertiesDialog(const LanguageTexts& language, ImageDoc& doc, ShellNotifications& shell)
      : language_(language), doc_(doc), shell_(shell) {}

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
    FillKeys();
    SetItemTextUtf8(hwnd(), IDC_PROP_SIZE, PictureSizeText(doc_.width, doc_.height));
    ShowCount(CountColoursFirst(shell_, DocPixels(doc_)));
    SetItemTextUtf8(hwnd(), IDC_PROP_PATH, doc_.path);
    if (language_.languageLoaded) {
      SetWindowTextUtf8(hwnd(), Text(TextId::PropertyTitle, language_));
      SetItemTextUtf8(hwnd(), IDC_PROP_EXACT, Text(TextId::PropertyExactButton, language_));
    }
    return TRUE;
  }

  INT_PTR OnCommand(WORD id, WORD code) {
    switch (id) {
      case IDC_PROP_EXACT:
        if (code == BN_CLICKED) OnExactCount();
        return TRUE;
      case IDC_PROP_KEYS:
        if (code == LBN_SELCHANGE) OnKeySelected();
        return TRUE;
      case IDOK:
      case IDCANCEL: End(id); return TRUE;
      default: return FALSE;
    }
  }

  // The keys in list order, the first one shown; with none, nothing is selected.
  void FillKeys() {
    const HWND list = Item(IDC_PROP_KEYS);
    for (const PngTextEntry& entry : doc_.pngTextList)
      SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry.key).c_str()));
    if (doc_.pngTextList.empty()) return;
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    ShowEntry(0);
  }

  void ShowEntry(size_t index) {
    shown_ = static_cast<int>(index);
    const PngTextEntry& entry = doc_.pngTextList[index];
    SetItemTextUtf8(hwnd(), IDC_PROP_TEXT_GROUP, entry.key);
    SetItemTextUtf8(hwnd(), IDC_PROP_TEXT, PngTextForDisplay(entry.text));
  }

  // Only a change from a shown entry to another one.
  void OnKeySelected() {
    const LRESULT selected = SendMessageW(Item(IDC_PROP_KEYS), LB_GETCURSEL, 0, 0);
    if (shown_ < 0 || selected == LB_ERR || static_cast<size_t>(selected) >= doc_.pngTextList.size()) return;
    ShowEntry(static_cast<size_t>(selected));
  }

  void OnExactCount() { ShowCount(CountColoursExactly(shell_, DocPixels(doc_))); }

  void ShowCount(const ColourCountDisplay& display) {
    if (display.form != ColourCountForm::kNotCounted)
      doc_.colorCount = static_cast<int32_t>(
          std::min<uint32_t>(display.count, static_cast<uint32_t>(std::numeric_limits<int32_t>::max())));
    SetItemTextUtf8(hwnd(), IDC_PROP_COLOURS, ColourCountText(display, language_));
    const HWND button = Item(IDC_PROP_EXACT);
    // A button that goes grey while it holds the focus would leave the keyboard nowhere.
    if (!display.exactButtonEnabled && GetFocus() == button) SendMessageW(hwnd(), WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(button, display.exactButtonEnabled ? TRUE : FALSE);
  }

  const LanguageTexts& language_;
  ImageDoc& doc_;
  ShellNotifications& shell_;
  int shown_ = -1;  // the entry on display; -1 while none is
};

}  // namespace

void ShowProperties(App& app, DocumentWindow& window) {
  if (!window.doc().HasPicture()) return;
  PropertiesDialog dialog(app.language, window.doc(), window.shell());
  dialog.Run(GetAncestor(window.hwnd(), GA_ROOT), L"PROP_DLG");
}

}  // namespace veilo
