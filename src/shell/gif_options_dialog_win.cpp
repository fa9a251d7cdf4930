// The GIF option dialog 102. The palette size and interlace are the run's
// choices and change with every click; Cancel puts back what the dialog
// found. The transparent colour (check box, swatch, spoit) holds for this
// save only: it starts from the document's and goes into the save's options
// on OK.
#include <array>

#include "platform/dialog_win.h"
#include "shell/app_win.h"
#include "shell/dialog_texts_win.h"
#include "shell/resource_ids.h"
#include "shell/save_option_dialogs_win.h"
#include "shell/texts.h"
#include "view/colour_pick_target.h"
#include "view/colour_swatch_win.h"
#include "view/spoit_win.h"

namespace veilo {

namespace {

struct ColourButton {
  int id;
  int colours;
  TextId text;
};
constexpr std::array kColourButtons = {
    ColourButton{IDC_GIF_COLOURS_8, 8, TextId::GifColours8},
    ColourButton{IDC_GIF_COLOURS_16, 16, TextId::GifColours16},
    ColourButton{IDC_GIF_COLOURS_32, 32, TextId::GifColours32},
    ColourButton{IDC_GIF_COLOURS_64, 64, TextId::GifColours64},
    ColourButton{IDC_GIF_COLOURS_128, 128, TextId::GifColours128},
    ColourButton{IDC_GIF_COLOURS_256, 256, TextId::GifColours256},
};

constexpr std::array kLabels = {
    ItemText{IDC_GIF_COLOURS_GROUP, TextId::GifMaxColours},
    ItemText{IDC_GIF_TRANSPARENT, TextId::GifTransparent},
    ItemText{IDC_GIF_SWATCH_LABEL, TextId::GifTransparentColour},
    ItemText{IDC_GIF_INTERLACE, TextId::GifInterlace},
    ItemText{IDOK, TextId::ButtonOk},
    ItemText{IDCANCEL, TextId::ButtonCancel},
};

class GifOptionsDialog : public ModalDialog {
 public:
  GifOptionsDialog(const LanguageTexts& language, ImageDoc& doc, GifSaveOptions& options)
      : language_(language), options_(options), saved_(options), transparency_(PickTargetOf(doc)) {
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
  INT_PTR OnInit() {
    if (language_.languageLoaded)
      for (const ColourButton& b : kColourButtons) SetItemTextUtf8(hwnd(), b.id, Text(b.text, language_));
    SetLanguageItemTexts(hwnd(), kLabels, language_);
    SetLanguageCaption(hwnd(), TextId::GifOptionsTitle, language_);
    CheckDlgButton(hwnd(), IDC_GIF_INTERLACE, options_.interlace ? BST_CHECKED : BST_UNCHECKED);
    options_.maxColours = NormalisedGifMaxColours(options_.maxColours);  // one of the buttons
    for (const ColourButton& b : kColourButtons)
      CheckDlgButton(hwnd(), b.id, b.colours == options_.maxColours ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd(), IDC_GIF_TRANSPARENT, transparency_.useTransparent ? BST_CHECKED : BST_UNCHECKED);
    ShowTransparency();
    return TRUE;
  }

  void ShowTransparency() {
    EnableWindow(Item(IDC_GIF_SWATCH), transparency_.useTransparent);
    EnableWindow(Item(IDC_GIF_SWATCH_LABEL), transparency_.useTransparent);
    InvalidateRect(Item(IDC_GIF_SWATCH), nullptr, FALSE);
  }

  INT_PTR OnCommand(WORD id, WORD code) {
    switch (id) {
      case IDOK:
        options_.transparent = transparency_.useTransparent;
        options_.transparentColour = transparency_.colour;
        End(IDOK);
        return TRUE;
      case IDCANCEL:
        options_.maxColours = saved_.maxColours;
        options_.interlace = saved_.interlace;
        End(IDCANCEL);
        return TRUE;
      case IDC_GIF_INTERLACE: options_.interlace = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; return TRUE;
      case IDC_GIF_TRANSPARENT:
        SetTransparencyChecked(transparency_, IsDlgButtonChecked(hwnd(), id) == BST_CHECKED);
        ShowTransparency();
        return TRUE;
      case IDC_GIF_SWATCH:
        if (code == BN_CLICKED && transparency_.useTransparent) {
          PickColour(hwnd(), transparency_);
          InvalidateRect(Item(IDC_GIF_SWATCH), nullptr, FALSE);
        }
        return TRUE;
      default: break;
    }
    for (const ColourButton& b : kColourButtons)
      if (b.id == id && IsDlgButtonChecked(hwnd(), id) == BST_CHECKED) options_.maxColours = b.colours;
    return FALSE;
  }

  INT_PTR OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID != IDC_GIF_SWATCH) return FALSE;
    DrawColourSwatch(item, transparency_.useTransparent, transparency_.colour);
    return TRUE;
  }

  const LanguageTexts& language_;
  GifSaveOptions& options_;
  const GifSaveOptions saved_;
  ColourPickTarget transparency_;  // the picture, and the transparent colour of this save
};

}  // namespace

bool AskGifOptions(App& app, HWND owner, ImageDoc& doc, GifSaveOptions& options) {
  GifOptionsDialog dialog(app.language, doc, options);
  return dialog.Run(owner, MAKEINTRESOURCEW(IDD_GIF_OPTIONS)) == IDOK;
}

}  // namespace veilo
