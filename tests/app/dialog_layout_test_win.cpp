// Every dialog of the program opened as a user opens it, at whatever DPI the
// display has: each control lies inside the dialog, no text is cut off, and the
// dialog fits on the screen. With VEILO_SHOT_DIR set, each dialog is also
// saved there as a picture to look at (the GUI tests do that at 96 and 144 DPI).
#include <functional>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "dialog_shot_win.h"
#include "save_options_fixture_win.h"
#include "modal_driver_win.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "shell/commands.h"
#include "shell/features_win.h"

namespace veilo::testing {
namespace {

struct Fault {
  std::string what;
};

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

// How a user opens each dialog: a command, on a document of this name.
struct DialogCase {
  const char* name;
  const char* document;  // the picture the command works on (nullptr: none)
  WORD command;
};

constexpr DialogCase kDialogs[] = {
    {"about", nullptr, cmd::kAbout},
    {"jpeg-options", nullptr, cmd::kJpegOptions},
    {"q0-options", nullptr, cmd::kQ0Options},
    {"rgb-options", nullptr, cmd::kRgbOptions},
    {"area-options", "noise.bmp", cmd::kAreaOptions},
    {"gif-options", "noise.gif", cmd::kSave},
    {"png-options", "noise.png", cmd::kSave},
    {"bmp-options", "noise.bmp", cmd::kSave},
    {"jp2-options", "noise.jp2", cmd::kSave},
    {"properties", "noise.png", cmd::kProperties},
    {"resize", "noise.bmp", cmd::kResizePaste},
};

class DialogLayoutTest : public SaveOptionsTest {
 protected:
  void CheckEveryDialog(const std::string& shotSuffix) {
    for (const DialogCase& c : kDialogs) {
      SCOPED_TRACE(c.name);
      DocumentWindow* window = nullptr;
      if (c.document) {
        window = Open(WritePicture(c.document, 120, 90, 3));
        ASSERT_NE(window, nullptr);
      }
      std::vector<Fault> faults;
      bool seen = false;
      ModalDriver driver({[&](HWND d) {
        seen = true;
        faults = LayoutFaults(d);
        SaveShot(d, c.name + shotSuffix);
        PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
        return true;
      }});
      Command(c.command);
      PumpUntil([&] { return driver.Finished(); }, 8000);
      EXPECT_TRUE(seen) << "the dialog did not open";
      for (const Fault& f : faults) ADD_FAILURE() << f.what;
      if (window) {
        SendMessageW(app().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window->hwnd()), 0);
        Pump();
      }
    }
  }
};

TEST_F(DialogLayoutTest, EveryDialogFitsItsControlsAndTexts) {
  Start();
  CheckEveryDialog("");
}

TEST_F(DialogLayoutTest, EveryDialogFitsTheEnglishTexts) {
  // A language file that names no texts: the dialogs show the English defaults.
  Start("; English\r\n[ETC]\r\n");
  CheckEveryDialog("-en");
}

}  // namespace
}  // namespace veilo::testing
