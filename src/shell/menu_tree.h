#pragma once
// The two menus (no document / document) as plain data, so that the same
// Win32 code turns either the language-file menus or the built-in Japanese
// resource menus (104 and 161) into real menus.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/language_file.h"

namespace veilo {

inline constexpr int kFrameMenuResource = 104;  // no document
inline constexpr int kDocMenuResource = 161;    // a document is active

enum class MenuEntryKind : uint8_t { Item, Separator, Popup };

struct MenuEntry {
  MenuEntryKind kind = MenuEntryKind::Item;
  uint16_t id = 0;    // command id of an item
  std::string text;   // UTF-8; '&' marks the access key, a tab starts the key text
  std::vector<MenuEntry> children;  // entries of a popup
};

struct MenuTree {
  std::vector<MenuEntry> popups;  // the menu bar, left to right
  size_t windowPopupIndex = 0;    // the popup that lists the open documents
};

struct Menus {
  MenuTree frameMenu;
  MenuTree docMenu;
};

// Both menus from the language file's MENU texts. They have no
// resize-and-paste item, and a Help popup only when the Help text is not
// empty.
Menus buildMenus(const LanguageTexts& texts);

// The built-in Japanese menus.
MenuTree BuiltInFrameMenu();
MenuTree BuiltInDocumentMenu();

// The language-file menus when a language file is loaded, else the built-in ones.
Menus MenusFor(const LanguageTexts& texts);

// Depth-first search for the item with a command id; null when absent.
const MenuEntry* FindMenuItem(const MenuTree& tree, uint16_t id);

}  // namespace veilo
