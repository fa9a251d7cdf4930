#include "dialog_faults_win.h"

#include "modal_driver_win.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"

namespace veilo::testing {

namespace {

std::string ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return Utf8(name);
}

// The width the control needs for its text in its own font, or 0 when its
// text can wrap or it draws itself.
int NeededTextWidth(HWND control) {
  const std::string cls = ClassOf(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const int length = GetWindowTextLengthW(control);
  if (length == 0) return 0;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  int extra = 0;
  if (cls == "Button") {
    const LONG kind = style & BS_TYPEMASK;
    if (kind == BS_OWNERDRAW) return 0;
    if (style & BS_MULTILINE) return 0;
    if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON ||
        kind == BS_3STATE || kind == BS_AUTO3STATE)
      extra = GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE);
    else if (kind == BS_GROUPBOX)
      extra = 8;
    else
      extra = 4;
  } else if (cls == "Static") {
    const LONG kind = style & SS_TYPEMASK;
    if (kind != SS_LEFT && kind != SS_RIGHT && kind != SS_CENTER && kind != SS_LEFTNOWORDWRAP) return 0;
  } else {
    return 0;
  }
  ClientDc dc(control);
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  SelectGuard selected(dc.get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  RECT r{0, 0, 0, 0};
  DrawTextW(dc.get(), text.c_str(), length, &r, DT_CALCRECT | DT_SINGLELINE);
  // A static text of two lines or more may wrap.
  RECT box{};
  GetClientRect(control, &box);
  if (cls == "Static" && (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP && box.bottom >= 2 * r.bottom) return 0;
  return r.right + extra;
}

}  // namespace

std::vector<Fault> LayoutFaults(HWND dialog) {
  std::vector<Fault> faults;
  RECT client{};
  GetClientRect(dialog, &client);
  MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    RECT r{};
    GetWindowRect(c, &r);
    const std::string name = ClassOf(c) + " " + std::to_string(GetDlgCtrlID(c)) + " \"" + WindowTextOf(c) + "\"";
    if (r.left < client.left || r.top < client.top || r.right > client.right || r.bottom > client.bottom)
      faults.push_back({name + " reaches outside the dialog"});
    const int needed = NeededTextWidth(c);
    if (needed > r.right - r.left)
      faults.push_back({name + " needs " + std::to_string(needed) + " pixels, has " + std::to_string(r.right - r.left)});
  }
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT outer{};
  GetWindowRect(dialog, &outer);
  if (outer.right - outer.left > work.right - work.left || outer.bottom - outer.top > work.bottom - work.top)
    faults.push_back({"the dialog is larger than the screen"});
  return faults;
}

}  // namespace veilo::testing
