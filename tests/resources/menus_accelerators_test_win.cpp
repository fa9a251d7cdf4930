// The compiled menus, accelerator table and strings say exactly what the portable tables say,
// with the Japanese texts intact through the resource compiler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_module_win.h"
#include "shell/accelerators.h"
#include "shell/menu_tree.h"
#include "shell/resource_ids.h"

namespace veilo::testing {
namespace {

// One line per entry, "path kind id text", e.g. "1/8/0 item 40027 90ﾟ\tCtrl+F1"; a popup's
// entries follow its own line.
void Flatten(const std::vector<MenuEntry>& entries, const std::string& path, std::vector<std::string>& out) {
  for (size_t i = 0; i < entries.size(); ++i) {
    const MenuEntry& e = entries[i];
    const std::string here = path + std::to_string(i);
    switch (e.kind) {
      case MenuEntryKind::Separator:
        out.push_back(here + " separator");
        break;
      case MenuEntryKind::Item:
        out.push_back(here + " item " + std::to_string(e.id) + " " + e.text);
        break;
      case MenuEntryKind::Popup:
        out.push_back(here + " popup " + e.text);
        Flatten(e.children, here + "/", out);
        break;
    }
  }
}

std::vector<std::string> Flatten(const MenuTree& tree) {
  std::vector<std::string> out;
  Flatten(tree.popups, "", out);
  return out;
}

// The same lines read from a real menu.
void Flatten(HMENU menu, const std::string& path, std::vector<std::string>& out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const std::string here = path + std::to_string(i);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
      out.push_back(here + " unreadable");
      continue;
    }
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    text.resize(info.cch);
    if (info.fType & MFT_SEPARATOR) {
      out.push_back(here + " separator");
    } else if (info.hSubMenu) {
      out.push_back(here + " popup " + Utf8(text));
      Flatten(info.hSubMenu, here + "/", out);
    } else {
      out.push_back(here + " item " + std::to_string(info.wID) + " " + Utf8(text));
    }
  }
}

std::vector<std::string> FlattenResourceMenu(int id) {
  HMENU menu = LoadMenuW(Module(), MAKEINTRESOURCEW(id));
  if (!menu) return {"menu " + std::to_string(id) + " does not load"};
  std::vector<std::string> out;
  Flatten(menu, "", out);
  DestroyMenu(menu);
  return out;
}

TEST(ResourceMenus, FrameMenuIsTheBuiltInFrameMenu) {
  EXPECT_EQ(FlattenResourceMenu(IDM_FRAME), Flatten(BuiltInFrameMenu()));
}

TEST(ResourceMenus, DocumentMenuIsTheBuiltInDocumentMenu) {
  EXPECT_EQ(FlattenResourceMenu(IDM_DOC), Flatten(BuiltInDocumentMenu()));
}

static_assert(IDM_FRAME == kFrameMenuResource && IDM_DOC == kDocMenuResource);

std::string Describe(const ACCEL& a) {
  return std::to_string(a.key) + " flags " + std::to_string(a.fVirt) + " -> " + std::to_string(a.cmd);
}

TEST(ResourceAccelerators, TableIsTheAcceleratorTable) {
  HACCEL table = LoadAcceleratorsW(Module(), MAKEINTRESOURCEW(IDA_MAIN));
  ASSERT_NE(table, nullptr);
  std::vector<ACCEL> loaded(static_cast<size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
  CopyAcceleratorTableW(table, loaded.data(), static_cast<int>(loaded.size()));
  DestroyAcceleratorTable(table);

  std::vector<std::string> actual, expected;
  for (ACCEL a : loaded) {
    a.fVirt &= FVIRTKEY | FSHIFT | FCONTROL | FALT | FNOINVERT;  // drop the end-of-table mark
    actual.push_back(Describe(a));
  }
  for (const Accelerator& a : AcceleratorTable()) {
    ACCEL want{};
    want.fVirt = static_cast<BYTE>(FVIRTKEY | ((a.modifiers & kShift) ? FSHIFT : 0) |
                                   ((a.modifiers & kCtrl) ? FCONTROL : 0));
    want.key = a.key;
    want.cmd = a.command;
    expected.push_back(Describe(want));
  }
  EXPECT_EQ(actual, expected);
}

TEST(ResourceStrings, TwainManagerName) {
  wchar_t text[34] = {};
  ASSERT_GT(LoadStringW(Module(), IDS_TWAIN_DLL, text, 34), 0);
  EXPECT_EQ(Utf8(text), "TWAIN_32.DLL");
}

}  // namespace
}  // namespace veilo::testing
