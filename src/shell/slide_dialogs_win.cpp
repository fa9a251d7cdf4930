// The slide show's dialogs: the folder chooser with its option panel, WAIT_DLG and SS_HELP.
#include <windows.h>
#include <shlobj.h>

#include <array>
#include <cstdlib>
#include <string>

#include "platform/dialog_win.h"
#include "platform/wide_win.h"
#include "shell/app_win.h"
#include "shell/dialog_texts_win.h"
#include "shell/language_file.h"
#include "shell/resource_ids.h"
#include "shell/slide_window_win.h"
#include "shell/texts.h"
#include "tools/slide_chooser.h"
#include "tools/slide_show.h"

namespace veilo {

namespace {

void MoveTo(HWND window, const FitRect& r) { MoveWindow(window, r.x, r.y, r.width, r.height, TRUE); }

void OverrideItemText(const App& app, HWND dialog, int id, LangKey key) {
  if (const std::optional<std::string_view> text = LanguageOverride(app.language, key))
    SetItemTextUtf8(dialog, id, *text);
}

class SlideOptionsDialog : public ModalDialog {
 public:
  SlideOptionsDialog(SlideShowState& state, const LanguageTexts& language) : state_(state), language_(language) {}

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM) override {
    switch (msg) {
      case WM_INITDIALOG: {
        static constexpr ItemText kTexts[] = {
            {IDC_SLIDE_INTERVAL_LABEL, TextId::SlideIntervalLabel},
            {IDOK, TextId::ButtonOk},
            {IDCANCEL, TextId::ButtonCancel},
        };
        SetLanguageItemTexts(hwnd(), kTexts, language_);
        SetLanguageCaption(hwnd(), TextId::SlideOptionsTitle, language_);
        SendMessageW(Item(IDC_SLIDE_INTERVAL), EM_LIMITTEXT, 79, 0);
        SetItemTextUtf8(hwnd(), IDC_SLIDE_INTERVAL, std::to_string(state_.intervalMs));
        CheckDlgButton(hwnd(), IDC_SLIDE_SHOW_INFO, state_.showInfo ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
      }
      case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
          state_.intervalMs = std::atoi(ItemTextUtf8(hwnd(), IDC_SLIDE_INTERVAL).c_str());
          state_.showInfo = IsDlgButtonChecked(hwnd(), IDC_SLIDE_SHOW_INFO) == BST_CHECKED;
          End(IDOK);
          return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
          End(IDCANCEL);
          return TRUE;
        }
        return FALSE;
      default: return FALSE;
    }
  }

 private:
  SlideShowState& state_;
  const LanguageTexts& language_;
};

class SlideHelpDialog : public ModalDialog {
 public:
  explicit SlideHelpDialog(const App& app) : app_(app) {}

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM) override {
    switch (msg) {
      case WM_INITDIALOG: {
        static constexpr std::array<LangKey, 8> kKeys{
            LangKey::SsHelpKey1, LangKey::SsHelpKey2, LangKey::SsHelpKey3, LangKey::SsHelpKey4,
            LangKey::SsHelpKey5, LangKey::SsHelpKey6, LangKey::SsHelpKey7, LangKey::SsHelpKey8};
        static constexpr std::array<LangKey, 8> kComments{
            LangKey::SsHelpKey1Cmt, LangKey::SsHelpKey2Cmt, LangKey::SsHelpKey3Cmt, LangKey::SsHelpKey4Cmt,
            LangKey::SsHelpKey5Cmt, LangKey::SsHelpKey6Cmt, LangKey::SsHelpKey7Cmt, LangKey::SsHelpKey8Cmt};
        for (int i = 0; i < 8; ++i) {
          OverrideItemText(app_, hwnd(), IDC_SLIDE_HELP_KEY1 + i, kKeys[static_cast<size_t>(i)]);
          OverrideItemText(app_, hwnd(), IDC_SLIDE_HELP_COMMENT1 + i, kComments[static_cast<size_t>(i)]);
        }
        const std::optional<std::string_view> title = LanguageOverride(app_.language, LangKey::SsHelpTitle);
        if (title) SetWindowTextUtf8(hwnd(), *title);
        return TRUE;
      }
      case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
          End(LOWORD(wp));
          return TRUE;
        }
        return FALSE;
      default: return FALSE;
    }
  }

 private:
  const App& app_;
};

// What the folder browser's callback works with.
struct ChooserContext {
  App& app;
  HWND panel = nullptr;
};

INT_PTR CALLBACK PanelProc(HWND panel, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrW(panel, DWLP_USER, lp);
    return TRUE;
  }
  auto* context = reinterpret_cast<ChooserContext*>(GetWindowLongPtrW(panel, DWLP_USER));
  if (msg != WM_COMMAND || !context || HIWORD(wp) != BN_CLICKED) return FALSE;
  if (LOWORD(wp) == IDC_SLIDE_SUBFOLDERS) {
    context->app.slide.includeSubfolders = IsDlgButtonChecked(panel, IDC_SLIDE_SUBFOLDERS) == BST_CHECKED;
    return TRUE;
  }
  if (LOWORD(wp) == IDC_SLIDE_KEYS_BUTTON) {
    ShowSlideHelp(context->app, GetParent(panel));
    return TRUE;
  }
  return FALSE;
}

// The option panel in the lower part of the browser, whose buttons move below it.
void AddOptionPanel(HWND browser, ChooserContext& context) {
  context.panel = CreateDialogParamW(context.app.instance, L"SH_OPT", browser, PanelProc,
                                     reinterpret_cast<LPARAM>(&context));
  if (!context.panel) return;
  RECT client{}, outer{};
  GetClientRect(browser, &client);
  GetWindowRect(browser, &outer);
  const SlideChooserLayout layout = LayoutSlideChooser(client.right, client.bottom, outer.bottom - outer.top);
  MoveTo(context.panel, layout.panel);
  int okHeight = 0;
  for (int id : {IDOK, IDCANCEL}) {
    const HWND button = GetDlgItem(browser, id);
    if (!button) continue;
    RECT r{};
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, browser, reinterpret_cast<POINT*>(&r), 2);
    okHeight = r.bottom - r.top;
    MoveWindow(button, r.left, layout.buttonsY, r.right - r.left, r.bottom - r.top, TRUE);
  }
  SetWindowPos(browser, nullptr, 0, 0, outer.right - outer.left, layout.windowHeight,
               SWP_NOMOVE | SWP_NOZORDER);
  const SlideOptionPanelLayout inside =
      LayoutSlideOptionPanel(layout.panel.width, layout.panel.height, okHeight);
  const HWND check = GetDlgItem(context.panel, IDC_SLIDE_SUBFOLDERS);
  const HWND help = GetDlgItem(context.panel, IDC_SLIDE_KEYS_BUTTON);
  MoveTo(check, inside.subfolderCheck);
  MoveTo(help, inside.helpButton);
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(check, WM_SETFONT, font, TRUE);
  SendMessageW(help, WM_SETFONT, font, TRUE);
  SetItemTextUtf8(context.panel, IDC_SLIDE_SUBFOLDERS, Text(TextId::SlideSubfolders, context.app.language));
  SetItemTextUtf8(context.panel, IDC_SLIDE_KEYS_BUTTON, Text(TextId::SlideHelpButton, context.app.language));
  CheckDlgButton(context.panel, IDC_SLIDE_SUBFOLDERS,
                 context.app.slide.includeSubfolders ? BST_CHECKED : BST_UNCHECKED);
  ShowWindow(context.panel, SW_SHOW);
}

int CALLBACK BrowseCallback(HWND browser, UINT msg, LPARAM lp, LPARAM data) {
  auto& context = *reinterpret_cast<ChooserContext*>(data);
  if (msg == BFFM_INITIALIZED) {
    if (!context.app.slideLastFolder.empty()) {
      const std::wstring last = Wide(context.app.slideLastFolder);
      SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(last.c_str()));
    }
    AddOptionPanel(browser, context);
  } else if (msg == BFFM_SELCHANGED) {
    // OK only for a folder of the file system (not "My Computer" or a printer).
    wchar_t path[MAX_PATH] = {};
    const bool fileSystem =
        lp && SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lp), path) && path[0];
    if (fileSystem) context.app.slideLastFolder = Utf8(path);
    SendMessageW(browser, BFFM_ENABLEOK, 0, fileSystem ? 1 : 0);
  }
  return 0;
}

}  // namespace

std::optional<std::string> ChooseSlideFolder(App& app, HWND owner) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ChooserContext context{app};
  const std::wstring title = Wide(Text(TextId::SlideFolderTitle, app.language));
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&context);
  std::optional<std::string> chosen;
  if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info)) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(item, path) && path[0]) chosen = Utf8(path);
    CoTaskMemFree(item);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

bool ShowSlideOptions(App& app, HWND owner, SlideShowState& state) {
  SlideOptionsDialog dialog(state, app.language);
  return dialog.Run(owner, L"WAIT_DLG") == IDOK;
}

void ShowSlideHelp(App& app, HWND owner) {
  SlideHelpDialog dialog(app);
  dialog.Run(owner, L"SS_HELP");
}

}  // namespace veilo
