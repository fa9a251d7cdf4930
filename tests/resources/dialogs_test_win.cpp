// Every dialog template can be created and holds the controls of its table (ids, kinds and
// texts, Japanese intact), laid out so that nothing overlaps, leaves the dialog or clips its
// text in the dialog's own font.
#include "resource_module_win.h"  // <windows.h> before the headers that build on it

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "shell/resource_ids.h"

namespace veilo::testing {
namespace {

enum class Kind { Group, Radio, Check, Button, Static, SunkenStatic, Edit, VerticalScrollBar, Icon };

const char* Name(Kind kind) {
  switch (kind) {
    case Kind::Group: return "group";
    case Kind::Radio: return "radio";
    case Kind::Check: return "check";
    case Kind::Button: return "button";
    case Kind::Static: return "static";
    case Kind::SunkenStatic: return "sunken static";
    case Kind::Edit: return "edit";
    case Kind::VerticalScrollBar: return "vertical scroll bar";
    case Kind::Icon: return "icon";
  }
  return "?";
}

std::string KindOf(HWND control) {
  wchar_t name[64] = {};
  GetClassNameW(control, name, 64);
  const std::string cls = Utf8(name);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
  if (_wcsicmp(name, L"Button") == 0) {
    switch (style & BS_TYPEMASK) {
      case BS_GROUPBOX: return Name(Kind::Group);
      case BS_AUTORADIOBUTTON:
      case BS_RADIOBUTTON: return Name(Kind::Radio);
      case BS_AUTOCHECKBOX:
      case BS_CHECKBOX: return Name(Kind::Check);
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON: return Name(Kind::Button);
      default: {
        std::string unknown = "button of style ";  // (built by appending: GCC 12 warns falsely on +)
        return unknown.append(std::to_string(style & BS_TYPEMASK));
      }
    }
  }
  if (_wcsicmp(name, L"Static") == 0) {
    if ((style & SS_TYPEMASK) == SS_ICON) return Name(Kind::Icon);
    return Name(style & SS_SUNKEN ? Kind::SunkenStatic : Kind::Static);
  }
  if (_wcsicmp(name, L"Edit") == 0) return Name(Kind::Edit);
  if (_wcsicmp(name, L"ScrollBar") == 0 && (style & SBS_VERT)) return Name(Kind::VerticalScrollBar);
  return cls;
}

constexpr int kNoId = -1;

struct Control {
  int id;  // kNoId: a label, found by its text
  Kind kind;
  std::string text;
};

struct DialogCase {
  const wchar_t* resource;
  std::string caption;
  std::vector<Control> controls;
};

void PrintTo(const DialogCase& c, std::ostream* os) {
  if (IS_INTRESOURCE(c.resource)) {
    *os << reinterpret_cast<uintptr_t>(c.resource);
  } else {
    *os << Utf8(c.resource);
  }
}

INT_PTR CALLBACK TrivialProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::vector<HWND> Children(HWND dialog) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

HWND FindControl(HWND dialog, const Control& want) {
  if (want.id != kNoId) return GetDlgItem(dialog, want.id);
  for (HWND child : Children(dialog)) {
    const bool textMatches = want.kind == Kind::Icon || WindowText(child) == want.text;
    if (textMatches && KindOf(child) == Name(want.kind)) return child;
  }
  return nullptr;
}

RECT RectIn(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Room the text needs in the dialog's font, plus what the control itself draws beside it.
SIZE TextRoom(HWND dialog, HWND control, const std::string& kind, int width) {
  const std::wstring text = Wide(WindowText(control));
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  RECT r{0, 0, width, 0};
  const bool multiLine = text.find(L'\n') != std::wstring::npos;
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | (multiLine ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  SIZE room{r.right - r.left, r.bottom - r.top};
  if (kind == Name(Kind::Check) || kind == Name(Kind::Radio)) {
    room.cx += GetSystemMetrics(SM_CXMENUCHECK) + 4;  // the box and the gap after it
  } else if (kind == Name(Kind::Button)) {
    room.cx += 2 * GetSystemMetrics(SM_CXEDGE) + 4;
  } else if (kind == Name(Kind::Group)) {
    room.cx += 16;  // the caption starts after a stretch of the frame line
  }
  return room;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != FALSE;
}

void CheckDialog(HWND dialog, const DialogCase& c) {
  EXPECT_EQ(WindowText(dialog), c.caption);
  RECT client{};
  GetClientRect(dialog, &client);
  std::vector<std::pair<std::string, RECT>> placed;  // every control but group boxes
  for (const Control& want : c.controls) {
    const std::string label = std::to_string(want.id) + " \"" + want.text + "\"";
    SCOPED_TRACE(label);
    HWND control = FindControl(dialog, want);
    ASSERT_NE(control, nullptr);
    const std::string kind = KindOf(control);
    EXPECT_EQ(kind, Name(want.kind));
    if (want.kind == Kind::Icon) {
      EXPECT_NE(SendMessageW(control, STM_GETICON, 0, 0), 0) << "no icon shown";
    } else {
      EXPECT_EQ(WindowText(control), want.text);
    }

    const RECT r = RectIn(dialog, control);
    EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                r.bottom <= client.bottom)
        << "outside the dialog";
    if (!want.text.empty() && want.kind != Kind::Edit) {
      const SIZE room = TextRoom(dialog, control, kind, r.right - r.left);
      EXPECT_LE(room.cx, r.right - r.left) << "text clipped";
      if (want.kind != Kind::Group) {
        EXPECT_LE(room.cy, r.bottom - r.top) << "text clipped";
      }
    }
    if (want.kind != Kind::Group) {
      for (const auto& [other, rect] : placed) EXPECT_FALSE(Overlap(r, rect)) << "overlaps " << other;
      placed.push_back({label, r});
    }
  }
  // Group boxes frame their controls: a control is either wholly inside a group or outside it.
  for (const Control& want : c.controls) {
    if (want.kind != Kind::Group) continue;
    HWND group = FindControl(dialog, want);
    if (!group) continue;
    const RECT g = RectIn(dialog, group);
    for (const auto& [label, r] : placed) {
      RECT inside;
      const bool touches = IntersectRect(&inside, &g, &r) != FALSE;
      EXPECT_TRUE(!touches || EqualRect(&inside, &r)) << label << " crosses the frame of " << want.text;
    }
  }
}

class DialogTemplates : public ::testing::TestWithParam<DialogCase> {
 protected:
  static void SetUpTestSuite() { InitCommonControls(); }
};

TEST_P(DialogTemplates, CreatesWithTheControlsOfItsTable) {
  const DialogCase& c = GetParam();
  HWND dialog = CreateDialogParamW(Module(), c.resource, nullptr, TrivialProc, 0);
  ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
  WindowCloser closer{dialog};
  CheckDialog(dialog, c);
}

const DialogCase kDialogs[] = {
    {L"AboutBox", "About Veilo",
     {{kNoId, Kind::Icon, ""},
      {kNoId, Kind::Static, "Veilo"},
      {kNoId, Kind::Static, "Version 2.02"},
      {IDOK, Kind::Button, "&OK!"}}},
    {L"AREA_OPT", "",
     {{IDC_AREA_START_GROUP, Kind::Group, "範囲指定開始単位"},
      {IDC_AREA_START_FREE, Kind::Radio, "Free"},
      {IDC_AREA_START_8, Kind::Radio, "8"},
      {IDC_AREA_START_16, Kind::Radio, "16"},
      {IDC_AREA_SIZE_GROUP, Kind::Group, "範囲サイズの単位"},
      {IDC_AREA_SIZE_FREE, Kind::Radio, "Free"},
      {IDC_AREA_SIZE_8, Kind::Radio, "8"},
      {IDC_AREA_SIZE_16, Kind::Radio, "16"},
      {IDC_AREA_FL_INVERT, Kind::Check, "FLﾏｽｸ 色反転有り"},
      {IDC_AREA_GLASS_LABEL, Kind::Static, "ガラス処理Box単位"},
      {IDC_AREA_GLASS_EDIT, Kind::Edit, ""},
      {IDC_AREA_GLASS_SCROLL, Kind::VerticalScrollBar, ""},
      {IDOK, Kind::Button, "OK"}}},
    {L"RGB_OPT", "RGB Option",
     {{IDC_RGB_NEG_GROUP, Kind::Group, "ネガポジ反転"},
      {IDC_RGB_NEG_RED, Kind::Check, "Red"},
      {IDC_RGB_NEG_GREEN, Kind::Check, "Green"},
      {IDC_RGB_NEG_BLUE, Kind::Check, "Blue"},
      {IDC_RGB_XOR_GROUP, Kind::Group, "XOR 0x80"},
      {IDC_RGB_XOR_RED, Kind::Check, "Red"},
      {IDC_RGB_XOR_GREEN, Kind::Check, "Green"},
      {IDC_RGB_XOR_BLUE, Kind::Check, "Blue"},
      {IDC_RGB_MODE_GROUP, Kind::Group, "RGB 入替え"},
      {IDC_RGB_MODE_ROTATE, Kind::Radio, "R->G->B->R"},
      {IDC_RGB_MODE_RG, Kind::Radio, "R<->G"},
      {IDC_RGB_MODE_GB, Kind::Radio, "G<->B"},
      {IDC_RGB_MODE_RB, Kind::Radio, "R<->B"},
      {IDOK, Kind::Button, "OK"},
      {IDCANCEL, Kind::Button, "CANCEL"}}},
    {L"Q0_OPT", "Q0 Mask Option",
     {{IDC_Q0_VGLASS, Kind::Check, "縦ガラス処理(&V)"},
      {IDC_Q0_HGLASS, Kind::Check, "横ガラス処理(&H)"},
      {IDC_Q0_NEGPOS, Kind::Check, "ネガポジ反転(&R)"},
      {IDC_Q0_UPDOWN, Kind::Check, "上下の入替え(&T)"},
      {IDC_Q0_LEFTRIGHT, Kind::Check, "左右の入替え(&L)"},
      {IDC_Q0_XOR, Kind::Check, "XOR 0x80 処理(&X)"},
      {IDOK, Kind::Button, "&OK"},
      {IDCANCEL, Kind::Button, "&Cancel"}}},
    {L"CP_MASK", "CP MASK",
     {{kNoId, Kind::Static, "MaskCodePattern\n(Alphabet Only)"},
      {IDC_CP_EDIT, Kind::Edit, ""},
      {kNoId, Kind::Group, "Hidden Code Entry"},
      {IDC_CP_SLOT1, Kind::SunkenStatic, ""},
      {IDC_CP_SLOT2, Kind::SunkenStatic, ""},
      {IDC_CP_SLOT3, Kind::SunkenStatic, ""},
      {IDC_CP_SLOT1_OK, Kind::Button, "ok"},
      {IDC_CP_SLOT2_OK, Kind::Button, "ok"},
      {IDC_CP_SLOT3_OK, Kind::Button, "ok"},
      {IDC_CP_CLEAR, Kind::Button, "Clear"},
      {IDOK, Kind::Button, "OK"},
      {IDCANCEL, Kind::Button, "Cancel"}}},
    {L"TWAbort", "TWAIN", {{IDOK, Kind::Button, "Close"}}},
};

INSTANTIATE_TEST_SUITE_P(Resources, DialogTemplates, ::testing::ValuesIn(kDialogs),
                         [](const ::testing::TestParamInfo<DialogCase>& param) {
                           return Utf8(param.param.resource);
                         });

// ---- the open dialog's preview template --------------------------------------------------------

const DialogCase kOpenPreview{
    MAKEINTRESOURCEW(IDD_OPEN_PREVIEW), "",
    {{stc32, Kind::Static, ""},
     {IDC_OPEN_PREVIEW_CHECK, Kind::Check, "プレビュー"},
     {IDC_OPEN_PREVIEW_AREA, Kind::SunkenStatic, ""},
     {IDC_OPEN_PREVIEW_SIZE, Kind::Static, ""}}};

// The style words of a DIALOGEX template.
DWORD TemplateStyle(const wchar_t* resource) {
  HRSRC found = FindResourceW(Module(), resource, MAKEINTRESOURCEW(5));  // RT_DIALOG
  if (!found) return 0;
  const auto* words = static_cast<const WORD*>(LockResource(LoadResource(Module(), found)));
  if (words[0] != 1 || words[1] != 0xFFFF) return 0;  // not DIALOGEX
  DWORD style;
  memcpy(&style, words + 6, sizeof style);  // after version, signature, help id, extended style
  return style;
}

TEST(OpenPreviewTemplate, IsAChildTemplateForTheExplorerStyleDialog) {
  const DWORD style = TemplateStyle(MAKEINTRESOURCEW(IDD_OPEN_PREVIEW));
  const DWORD wanted = WS_CHILD | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL;
  EXPECT_EQ(style & wanted, wanted);
  EXPECT_EQ(style & (WS_POPUP | WS_CAPTION), 0u);
}

TEST(OpenPreviewTemplate, CreatesInsideAParentWithItsControls) {
  HWND parent =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 400, nullptr, nullptr, Module(), nullptr);
  ASSERT_NE(parent, nullptr);
  WindowCloser closeParent{parent};
  HWND dialog = CreateDialogParamW(Module(), kOpenPreview.resource, parent, TrivialProc, 0);
  ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
  WindowCloser closer{dialog};
  CheckDialog(dialog, kOpenPreview);
}

// In the real open dialog the preview sits beside the standard controls, not over them.
struct OpenDialogFindings {
  bool hooked = false;
  bool previewFound = false;
  RECT preview{}, fileList{};
};

UINT_PTR CALLBACK OpenHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  static OpenDialogFindings* findings = nullptr;
  if (message == WM_INITDIALOG) {
    findings = reinterpret_cast<OpenDialogFindings*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
    SetTimer(hook, 1, 15000, nullptr);  // a bound, should the notification below never come
  } else if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) {
    HWND dialog = GetParent(hook);
    HWND preview = GetDlgItem(hook, IDC_OPEN_PREVIEW_AREA);
    HWND list = GetDlgItem(dialog, lst1);
    findings->hooked = true;
    findings->previewFound = preview != nullptr;
    if (preview) GetWindowRect(preview, &findings->preview);
    if (list) GetWindowRect(list, &findings->fileList);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  } else if (message == WM_TIMER) {
    PostMessageW(GetParent(hook), WM_COMMAND, IDCANCEL, 0);
  }
  return 0;
}

TEST(OpenPreviewTemplate, PreviewSitsBesideTheFileList) {
  wchar_t file[MAX_PATH] = {};
  OpenDialogFindings findings;
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hInstance = Module();
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrFilter = L"All\0*.*\0";
  ofn.Flags = OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
  ofn.lpTemplateName = MAKEINTRESOURCEW(IDD_OPEN_PREVIEW);
  ofn.lpfnHook = OpenHook;
  ofn.lCustData = reinterpret_cast<LPARAM>(&findings);
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  ASSERT_TRUE(findings.hooked);
  ASSERT_TRUE(findings.previewFound);
  ASSERT_FALSE(IsRectEmpty(&findings.fileList));
  EXPECT_GE(findings.preview.left, findings.fileList.right);
}

}  // namespace
}  // namespace veilo::testing
