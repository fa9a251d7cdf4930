#include "shell/menus_win.h"

#include "platform/wide_win.h"

namespace veilo {

namespace {

bool AppendEntries(HMENU menu, const std::vector<MenuEntry>& entries) {
  for (const MenuEntry& entry : entries) {
    switch (entry.kind) {
      case MenuEntryKind::Separator:
        if (!AppendMenuW(menu, MF_SEPARATOR, 0, nullptr)) return false;
        break;
      case MenuEntryKind::Item:
        if (!AppendMenuW(menu, MF_STRING, entry.id, Wide(entry.text).c_str())) return false;
        break;
      case MenuEntryKind::Popup: {
        Menu popup(CreatePopupMenu());
        if (!popup || !AppendEntries(popup.get(), entry.children)) return false;
        if (!AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup.get()),
                         Wide(entry.text).c_str()))
          return false;
        popup.release();  // the parent menu owns it now
        break;
      }
    }
  }
  return true;
}

}  // namespace

Menu BuildMenu(const MenuTree& tree) {
  Menu bar(CreateMenu());
  if (!bar || !AppendEntries(bar.get(), tree.popups)) return Menu();
  return bar;
}

Menu LoadResourceMenu(int resourceId) { return Menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId))); }

}  // namespace veilo
