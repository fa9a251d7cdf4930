// "JPEGOPTION": the JPEG options of every later read and write. Each change
// is stored in the application's options at once; OK keeps them, Cancel puts
// back what the dialog found.
#include <array>
#include <string>

#include "formats/jpeg_options.h"
#include "platform/dialog_win.h"
#include "shell/app_win.h"
#include "shell/resource_ids.h"
#include "shell/save_option_dialogs_win.h"
#include "shell/settings.h"

namespace veilo {

namespace {

struct FlagBox {
  int id;
  bool AppOptions::*flag;
};

constexpr std::array kFlagBoxes = {
    FlagBox{IDC_JPEG_SMOOTHING_SET, &AppOptions::jpegSmoothingOn},
    FlagBox{IDC_JPEG_NO_SMOOTH, &AppOptions::jpegNoSmoothRead},
    FlagBox{IDC_JPEG_PROGRESSIVE, &AppOptions::jpegProgressive},
    FlagBox{IDC_JPEG_OPTIMIZE, &AppOptions::jpegOptimize},
    FlagBox{IDC_JPEG_SAMPLING_1X1, &AppOptions::jpegSampling1x1},
};

constexpr WPARAM kFieldLength = 3;  // characters of the quality and factor fields

class JpegOptionsDialog : public ModalDialog {
 public:
  explicit JpegOptionsDialog(AppOptions& options) : options_(options) {}

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
    SendDlgItemMessageW(hwnd(), IDC_JPEG_QUALITY, EM_LIMITTEXT, kFieldLength, 0);
    SendDlgItemMessageW(hwnd(), IDC_JPEG_FACTOR, EM_LIMITTEXT, kFieldLength, 0);
    ShowOptions();
    return TRUE;
  }

  INT_PTR OnCommand(WORD id, WORD code) {
    switch (id) {
      case IDOK: return Close(IDOK);
      case IDCANCEL: CopyJpegOptions(saved_, options_); return Close(IDCANCEL);
      case IDC_JPEG_DEFAULT: return code == BN_CLICKED ? OnDefault() : FALSE;
      case IDC_JPEG_QUALITY: return code == EN_CHANGE ? OnQualityTyped() : FALSE;
      case IDC_JPEG_FACTOR: return code == EN_CHANGE ? OnFactorTyped() : FALSE;
      default: return code == BN_CLICKED ? OnBoxClicked(id) : FALSE;
    }
  }

  INT_PTR OnDefault() {
    ResetJpegOptions(options_);
    ShowOptions();
    return TRUE;
  }

  // The fields as typed; the text the dialog puts there itself is already stored.
  INT_PTR OnQualityTyped() {
    if (!showing_) {
      const std::string typed = ItemTextUtf8(hwnd(), IDC_JPEG_QUALITY);
      options_.jpegQuality = JpegQualityFromText(typed, options_.jpegQuality);
    }
    return TRUE;
  }
  INT_PTR OnFactorTyped() {
    if (!showing_) {
      const std::string typed = ItemTextUtf8(hwnd(), IDC_JPEG_FACTOR);
      options_.jpegSmoothing = JpegSmoothingFromText(typed, options_.jpegSmoothing);
    }
    return TRUE;
  }

  INT_PTR OnBoxClicked(int id) {
    for (const FlagBox& box : kFlagBoxes) {
      if (box.id != id) continue;
      options_.*box.flag = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED;
      if (id == IDC_JPEG_SMOOTHING_SET) ShowFactor();
      return TRUE;
    }
    return FALSE;
  }

  void ShowOptions() {
    showing_ = true;
    SetItemTextUtf8(hwnd(), IDC_JPEG_QUALITY, std::to_string(options_.jpegQuality));
    showing_ = false;
    for (const FlagBox& box : kFlagBoxes)
      CheckDlgButton(hwnd(), box.id, options_.*box.flag ? BST_CHECKED : BST_UNCHECKED);
    ShowFactor();
  }

  // The factor field and its label take part, and the field shows the
  // factor, only while the factor is applied.
  void ShowFactor() {
    const bool on = options_.jpegSmoothingOn;
    showing_ = true;
    SetItemTextUtf8(hwnd(), IDC_JPEG_FACTOR, on ? std::to_string(options_.jpegSmoothing) : std::string());
    showing_ = false;
    EnableWindow(Item(IDC_JPEG_FACTOR), on);
    EnableWindow(Item(IDC_JPEG_FACTOR_LABEL), on);
  }

  INT_PTR Close(INT_PTR result) {
    End(result);
    return TRUE;
  }

  AppOptions& options_;
  AppOptions saved_;
  bool showing_ = false;  // the dialog itself is filling a field
};

}  // namespace

bool ShowJpegOptions(App& app, HWND owner) {
  JpegOptionsDialog dialog(app.options);
  return dialog.Run(owner, L"JPEGOPTION") == IDOK;
}

}  // namespace veilo
