// "RGB_OPT": the channels of the negative/positive and XOR 0x80 masks and the
// mode of the RGB exchange. Every click changes the option at once, so a mask
// run from the keyboard while the dialog is up already uses it; Cancel puts
// back what the dialog found.
#include <algorithm>
#include <array>

#include "masks/mask_context.h"
#include "platform/dialog_win.h"
#include "shell/app_win.h"
#include "shell/dialog_texts_win.h"
#include "shell/option_dialogs_win.h"
#include "shell/resource_ids.h"
#include "shell/texts.h"

namespace veilo {

namespace {

struct ChannelBox {
  int id;
  uint8_t MaskOptions::*channels;
  uint8_t bit;
};

constexpr std::array kChannelBoxes = {
    ChannelBox{IDC_RGB_NEG_RED, &MaskOptions::rgbNegChannels, 1},
    ChannelBox{IDC_RGB_NEG_GREEN, &MaskOptions::rgbNegChannels, 2},
    ChannelBox{IDC_RGB_NEG_BLUE, &MaskOptions::rgbNegChannels, 4},
    ChannelBox{IDC_RGB_XOR_RED, &MaskOptions::rgbXorChannels, 1},
    ChannelBox{IDC_RGB_XOR_GREEN, &MaskOptions::rgbXorChannels, 2},
    ChannelBox{IDC_RGB_XOR_BLUE, &MaskOptions::rgbXorChannels, 4},
};

// Radio buttons in mode order: 0 R->G->B->R, 1 R<->G, 2 G<->B, 3 R<->B.
constexpr std::array kModeButtons = {IDC_RGB_MODE_ROTATE, IDC_RGB_MODE_RG, IDC_RGB_MODE_GB, IDC_RGB_MODE_RB};

constexpr std::array kGroupTexts = {
    ItemText{IDC_RGB_NEG_GROUP, TextId::RgbNegPos},
    ItemText{IDC_RGB_XOR_GROUP, TextId::RgbXor},
    ItemText{IDC_RGB_MODE_GROUP, TextId::RgbExchange},
};

class RgbOptionsDialog : public ModalDialog {
 public:
  RgbOptionsDialog(MaskOptions& options, const LanguageTexts& language)
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
    saved_ = options_;
    for (const ChannelBox& box : kChannelBoxes)
      CheckDlgButton(hwnd(), box.id, (options_.*box.channels & box.bit) ? BST_CHECKED : BST_UNCHECKED);
    // A mode beyond 3 exchanges red and blue, so its button is the last one.
    const size_t mode = std::min<size_t>(options_.rgbExchangeMode, kModeButtons.size() - 1);
    CheckRadioButton(hwnd(), kModeButtons.front(), kModeButtons.back(), kModeButtons[mode]);
    if (language_.languageLoaded) {
      SetWindowTextUtf8(hwnd(), Text(TextId::RgbTitle, language_));
      SetLanguageItemTexts(hwnd(), kGroupTexts, language_);
    }
    return TRUE;
  }

  INT_PTR OnCommand(WORD id, WORD code) {
    if (id == IDOK) return Close(IDOK);
    if (id == IDCANCEL) {
      options_.rgbNegChannels = saved_.rgbNegChannels;
      options_.rgbXorChannels = saved_.rgbXorChannels;
      options_.rgbExchangeMode = saved_.rgbExchangeMode;
      return Close(IDCANCEL);
    }
    if (code != BN_CLICKED) return FALSE;
    for (const ChannelBox& box : kChannelBoxes) {
      if (box.id != id) continue;
      uint8_t& channels = options_.*box.channels;
      const bool on = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED;
      channels = static_cast<uint8_t>(on ? channels | box.bit : channels & ~box.bit);
      return TRUE;
    }
    for (size_t mode = 0; mode < kModeButtons.size(); ++mode) {
      if (kModeButtons[mode] != id) continue;
      if (IsDlgButtonChecked(hwnd(), id) == BST_CHECKED)
        options_.rgbExchangeMode = static_cast<uint8_t>(mode);
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
  MaskOptions saved_;
};

}  // namespace

void ShowRgbOptions(App& app, HWND owner) {
  RgbOptionsDialog dialog(app.options.mask, app.language);
  dialog.Run(owner, L"RGB_OPT");
}

}  // namespace veilo
