// Resize and paste as a new picture (RESIZE_DLG): the dialog takes the new
// size and the stretch mode; the picture is then stretched by GDI into a
// bitmap compatible with the screen, which the frame opens as NewImage%03d.
// The source document does not change.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "platform/dialog_win.h"
#include "platform/handles_win.h"
#include "shell/app_win.h"
#include "shell/commands.h"
#include "shell/doc_window_win.h"
#include "shell/message_box_win.h"
#include "shell/resource_ids.h"
#include "shell/tool_dialogs_win.h"
#include "tools/resize_rules.h"

namespace veilo {

namespace {

struct ModeRadio {
  StretchMode mode;
  int id;
};
constexpr std::array<ModeRadio, kStretchModeCount> kModeRadios = {
    ModeRadio{StretchMode::kDeleteScans, IDC_RESIZE_DELETE_SCANS},
    ModeRadio{StretchMode::kHalfTone, IDC_RESIZE_HALF_TONE},
    ModeRadio{StretchMode::kAndScans, IDC_RESIZE_AND_SCANS},
    ModeRadio{StretchMode::kOrScans, IDC_RESIZE_OR_SCANS},
};
// The four radios hold the ids 1115..1118 (in another order than the modes).
constexpr int kFirstModeRadio = IDC_RESIZE_AND_SCANS;
constexpr int kLastModeRadio = IDC_RESIZE_HALF_TONE;

int RadioOf(StretchMode mode) {
  for (const ModeRadio& r : kModeRadios)
    if (r.mode == mode) return r.id;
  return IDC_RESIZE_HALF_TONE;
}

// The settings come in and go back out only on OK; Cancel leaves them as they were.
class ResizeDialog : public ModalDialog {
 public:
  ResizeDialog(const ResizeSettings& settings, const ImageDoc& doc)
      : settings_(settings), state_(StartResize(doc.width, doc.height, settings.keepAspect)) {}

  const ResizeSettings& settings() const { return settings_; }
  const ResizeState& state() const { return state_; }

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_INITDIALOG: return OnInit();
      case WM_COMMAND: return OnCommand(LOWORD(wp), HIWORD(wp));
      case WM_VSCROLL: return OnArrows(reinterpret_cast<HWND>(lp));
      default: return FALSE;
    }
  }

 private:
  INT_PTR OnInit() {
    SetItemTextUtf8(hwnd(), IDC_RESIZE_WIDTH_NOW, std::to_string(state_.pictureWidth));
    SetItemTextUtf8(hwnd(), IDC_RESIZE_HEIGHT_NOW, std::to_string(state_.pictureHeight));
    SendMessageW(Item(IDC_RESIZE_WIDTH_ARROWS), UDM_SETRANGE32, 0, ResizeArrowMax(state_.pictureWidth));
    SendMessageW(Item(IDC_RESIZE_HEIGHT_ARROWS), UDM_SETRANGE32, 0, ResizeArrowMax(state_.pictureHeight));
    Apply({true, true, true, true});
    CheckDlgButton(hwnd(), IDC_RESIZE_KEEP_ASPECT, settings_.keepAspect ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(hwnd(), kFirstModeRadio, kLastModeRadio, RadioOf(settings_.mode));
    return TRUE;
  }

  INT_PTR OnCommand(WORD id, WORD code) {
    switch (id) {
      case IDC_RESIZE_WIDTH:
        if (code == EN_CHANGE) Apply(ResizeWidthTyped(state_, ItemTextUtf8(hwnd(), id)));
        return TRUE;
      case IDC_RESIZE_HEIGHT:
        if (code == EN_CHANGE) Apply(ResizeHeightTyped(state_, ItemTextUtf8(hwnd(), id)));
        return TRUE;
      case IDC_RESIZE_KEEP_ASPECT: {
        settings_.keepAspect = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED;
        Apply(ResizeKeepAspectChanged(state_, settings_.keepAspect));
        return TRUE;
      }
      case IDC_RESIZE_DELETE_SCANS:
      case IDC_RESIZE_HALF_TONE:
      case IDC_RESIZE_AND_SCANS:
      case IDC_RESIZE_OR_SCANS: OnModeRadio(id); return TRUE;
      case IDOK: OnOk(); return TRUE;
      case IDCANCEL: End(IDCANCEL); return TRUE;
      default: return FALSE;
    }
  }

  INT_PTR OnArrows(HWND control) {
    const auto position = static_cast<int32_t>(SendMessageW(control, UDM_GETPOS32, 0, 0));
    if (control == Item(IDC_RESIZE_WIDTH_ARROWS)) Apply(ResizeWidthArrowMoved(state_, position));
    else if (control == Item(IDC_RESIZE_HEIGHT_ARROWS)) Apply(ResizeHeightArrowMoved(state_, position));
    return TRUE;
  }

  void OnModeRadio(int id) {
    if (IsDlgButtonChecked(hwnd(), id) != BST_CHECKED) return;
    for (const ModeRadio& r : kModeRadios)
      if (r.id == id) settings_.mode = r.mode;
  }

  void OnOk() {
    if (!ResizeSizeAccepted(state_)) {
      ReportErrorBox(hwnd(), kResizeZeroSizeText);
      return;
    }
    End(IDOK);
  }

  // A field written here sends its change notification back, which the rules
  // find equal to what they hold: nothing follows.
  void Apply(const ResizeDialogEffects& e) {
    if (e.moveWidthArrows) SendMessageW(Item(IDC_RESIZE_WIDTH_ARROWS), UDM_SETPOS32, 0, state_.newWidth);
    if (e.moveHeightArrows) SendMessageW(Item(IDC_RESIZE_HEIGHT_ARROWS), UDM_SETPOS32, 0, state_.newHeight);
    if (e.showWidth) SetItemTextUtf8(hwnd(), IDC_RESIZE_WIDTH, std::to_string(state_.newWidth));
    if (e.showHeight) SetItemTextUtf8(hwnd(), IDC_RESIZE_HEIGHT, std::to_string(state_.newHeight));
  }

  ResizeSettings settings_;
  ResizeState state_;
};

// The whole picture stretched to width x height with the mode's GDI stretch
// mode, in a bitmap of the screen's format; empty when GDI cannot make it.
Bitmap StretchedCopy(const ImageDoc& doc, int32_t width, int32_t height, StretchMode mode) {
  ClientDc screen(nullptr);
  if (!screen) return {};
  Bitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  MemoryDc memory(screen.get());
  if (!bitmap || !memory) return {};
  SelectGuard select(memory.get(), bitmap.get());
  SetStretchBltMode(memory.get(), GdiStretchModeOf(mode));
  // Half-tone stretching needs the brush origin set again after the mode.
  SetBrushOrgEx(memory.get(), 0, 0, nullptr);
  const auto* info = reinterpret_cast<const BITMAPINFO*>(doc.dib.data());
  const int lines = StretchDIBits(memory.get(), 0, 0, width, height, 0, 0, doc.width, doc.height,
                                  DibPixelStart(doc.dib.data()), info, DIB_RGB_COLORS, SRCCOPY);
  if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) return {};
  return bitmap;
}

}  // namespace

void ResizePasteCommand(App& app, DocumentWindow& window) {
  if (!window.doc().HasPicture()) return;
  const HWND docWindow = window.hwnd();
  const HWND owner = GetAncestor(docWindow, GA_ROOT);
  ResizeDialog dialog(app.resizeSettings, window.doc());
  if (dialog.Run(owner, L"RESIZE_DLG") != IDOK) return;
  app.resizeSettings = dialog.settings();
  const ResizeState& size = dialog.state();
  // The dialog ran its own message loop: the document must still be there.
  DocumentWindow* source = app.FindDocument(docWindow);
  if (size.newWidth <= 0 || size.newHeight <= 0 || !source) return;
  Bitmap bitmap = StretchedCopy(source->doc(), size.newWidth, size.newHeight, app.resizeSettings.mode);
  if (!bitmap) {
    ShowStartupError(owner, "Failed to Allocate INFO data!");
    return;
  }
  // The new document copies the pixels while it is made; the bitmap goes afterwards.
  SendMessageW(app.frameWindow, WM_COMMAND, MAKEWPARAM(cmd::kOpenBitmap, 1),
               reinterpret_cast<LPARAM>(bitmap.get()));
}

}  // namespace veilo
