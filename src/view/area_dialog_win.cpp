// The area options dialog (AREA_OPT): the drag's units, the FL mask's colour
// reversal and the glass box size. Every change is taken at once; the dialog
// has nothing to confirm or cancel.
#include <windows.h>

#include <string>

#include "platform/dialog_win.h"
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/resource_ids.h"
#include "shell/texts.h"
#include "view/area_options.h"
#include "view/selection_win.h"

namespace veilo {

namespace {

class AreaOptionsDialog : public ModalDialog {
 public:
  AreaOptionsDialog(App& app, bool atPointer) : app_(app), atPointer_(atPointer) {}

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  INT_PTR OnInit();
  INT_PTR OnCommand(int id);
  INT_PTR OnScroll(int code);
  void ApplyLanguage();
  void PlaceAtPointer();
  void ShowGlassBox();

  App& app_;
  bool atPointer_;
};

INT_PTR AreaOptionsDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: return OnInit();
    case WM_COMMAND: return OnCommand(LOWORD(wp));
    case WM_VSCROLL: return OnScroll(LOWORD(wp));
    default: return FALSE;
  }
}

INT_PTR AreaOptionsDialog::OnInit() {
  const AppOptions& o = app_.options;
  CheckRadioButton(hwnd(), IDC_AREA_START_FREE, IDC_AREA_START_16,
                   IDC_AREA_START_FREE + UnitRadioIndex(o.areaStartUnit));
  CheckRadioButton(hwnd(), IDC_AREA_SIZE_FREE, IDC_AREA_SIZE_16,
                   IDC_AREA_SIZE_FREE + UnitRadioIndex(o.areaSizeUnit));
  CheckDlgButton(hwnd(), IDC_AREA_FL_INVERT, o.mask.flInvert != 0 ? BST_CHECKED : BST_UNCHECKED);
  SendDlgItemMessageW(hwnd(), IDC_AREA_GLASS_EDIT, EM_LIMITTEXT, 3, 0);
  SetScrollRange(Item(IDC_AREA_GLASS_SCROLL), SB_CTL, kGlassBoxMin, kGlassBoxMax, FALSE);
  ShowGlassBox();
  if (app_.language.languageLoaded) ApplyLanguage();
  if (atPointer_) PlaceAtPointer();
  return TRUE;
}

void AreaOptionsDialog::ApplyLanguage() {
  SetItemTextUtf8(hwnd(), IDC_AREA_FL_INVERT, Text(TextId::AreaFlInvert, app_.language));
  SetItemTextUtf8(hwnd(), IDC_AREA_START_GROUP, Text(TextId::AreaStartUnit, app_.language));
  SetItemTextUtf8(hwnd(), IDC_AREA_SIZE_GROUP, Text(TextId::AreaSizeUnit, app_.language));
  SetItemTextUtf8(hwnd(), IDC_AREA_GLASS_LABEL, Text(TextId::AreaGlassBox, app_.language));
}

// Centred on the pointer, kept within the frame window.
void AreaOptionsDialog::PlaceAtPointer() {
  RECT own{}, frame{};
  POINT pointer{};
  GetWindowRect(hwnd(), &own);
  GetCursorPos(&pointer);
  if (!app_.frameWindow || !GetWindowRect(app_.frameWindow, &frame)) return;
  const WindowRect r = AreaOptionsDialogRect(pointer.x, pointer.y, own.right - own.left, own.bottom - own.top,
                                             {frame.left, frame.top, frame.right, frame.bottom});
  SetWindowPos(hwnd(), nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The field and the arrows show the size the options hold.
void AreaOptionsDialog::ShowGlassBox() {
  const int32_t size = app_.options.mask.glassBoxSize;
  SetItemTextUtf8(hwnd(), IDC_AREA_GLASS_EDIT, std::to_string(size));
  SetScrollPos(Item(IDC_AREA_GLASS_SCROLL), SB_CTL, size, TRUE);
}

INT_PTR AreaOptionsDialog::OnCommand(int id) {
  AppOptions& o = app_.options;
  switch (id) {
    case IDC_AREA_START_FREE:
    case IDC_AREA_START_8:
    case IDC_AREA_START_16: o.areaStartUnit = UnitOfRadioIndex(id - IDC_AREA_START_FREE); return TRUE;
    case IDC_AREA_SIZE_FREE:
    case IDC_AREA_SIZE_8:
    case IDC_AREA_SIZE_16: o.areaSizeUnit = UnitOfRadioIndex(id - IDC_AREA_SIZE_FREE); return TRUE;
    case IDC_AREA_FL_INVERT: o.mask.flInvert = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED ? 1 : 0; return TRUE;
    case IDC_AREA_GLASS_EDIT:
      // Any notification of the field: what it holds now, as a number within the limits.
      o.mask.glassBoxSize = GlassBoxFromText(ItemTextUtf8(hwnd(), id), o.mask.glassBoxSize);
      SetScrollPos(Item(IDC_AREA_GLASS_SCROLL), SB_CTL, o.mask.glassBoxSize, TRUE);
      return TRUE;
    case IDOK:
    case IDCANCEL: End(id); return TRUE;
    default: return FALSE;
  }
}

INT_PTR AreaOptionsDialog::OnScroll(int code) {
  int32_t& size = app_.options.mask.glassBoxSize;
  if (code == SB_LINEUP) {
    size = GlassBoxLineUp(size);
  } else if (code == SB_LINEDOWN) {
    size = GlassBoxLineDown(size);
  } else {
    return TRUE;
  }
  ShowGlassBox();
  return TRUE;
}

}  // namespace

void ShowAreaOptions(App& app, DocumentWindow&, bool atPointer) {
  AreaOptionsDialog dialog(app, atPointer);
  dialog.Run(app.frameWindow, L"AREA_OPT");
}

}  // namespace veilo
