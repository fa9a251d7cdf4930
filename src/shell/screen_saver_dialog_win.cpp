#include "shell/screen_saver_dialog_win.h"

#include <string>

#include "platform/dialog_win.h"
#include "shell/resource_ids.h"
#include "shell/settings.h"
#include "tools/slide_show.h"

namespace veilo {

namespace {

// Longest folder and seconds the two fields take, in characters.
constexpr WPARAM kFolderChars = 259;
constexpr WPARAM kSecondsChars = 3;

class ScreenSaverDialog : public ModalDialog {
 public:
  explicit ScreenSaverDialog(AppOptions& options)
      : options_(options), startFolder_(options.slideFolder), startSeconds_(options.slideSeconds) {}

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
    SendMessageW(Item(IDC_SCREEN_SAVER_FOLDER), EM_LIMITTEXT, kFolderChars, 0);
    SendMessageW(Item(IDC_SCREEN_SAVER_SECONDS), EM_LIMITTEXT, kSecondsChars, 0);
    // Both texts are copied first: setting the first field sends a change that rewrites its value.
    const std::string folder = options_.slideFolder;
    const std::string seconds = std::to_string(options_.slideSeconds);
    SetItemTextUtf8(hwnd(), IDC_SCREEN_SAVER_FOLDER, folder);
    SetItemTextUtf8(hwnd(), IDC_SCREEN_SAVER_SECONDS, seconds);
    return TRUE;
  }

  INT_PTR OnCommand(WORD id, WORD code) {
    if (code == EN_CHANGE && id == IDC_SCREEN_SAVER_FOLDER) {
      options_.slideFolder = ItemTextUtf8(hwnd(), IDC_SCREEN_SAVER_FOLDER);
      return TRUE;
    }
    if (code == EN_CHANGE && id == IDC_SCREEN_SAVER_SECONDS) {
      options_.slideSeconds = ScreenSaverSecondsFromText(ItemTextUtf8(hwnd(), IDC_SCREEN_SAVER_SECONDS));
      return TRUE;
    }
    if (id == IDOK) {
      End(IDOK);
      return TRUE;
    }
    if (id == IDCANCEL) {
      options_.slideFolder = startFolder_;
      options_.slideSeconds = startSeconds_;
      End(IDCANCEL);
      return TRUE;
    }
    return FALSE;
  }

  AppOptions& options_;
  const std::string startFolder_;
  const int32_t startSeconds_;
};

}  // namespace

bool ShowScreenSaverOptions(HWND owner, AppOptions& options) {
  ScreenSaverDialog dialog(options);
  return dialog.Run(owner, L"SC_OPT") == IDOK;
}

int RunScreenSaverSettings(const std::string& winIniFile) {
  AppOptions options;
  loadSlideSettings(winIniFile, options);
  if (ShowScreenSaverOptions(nullptr, options)) saveSlideSettings(winIniFile, options);
  return 0;
}

}  // namespace veilo
