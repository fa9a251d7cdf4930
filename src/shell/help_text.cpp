#include "shell/help_text.h"

#include "shell/accelerators.h"
#include "shell/menu_tree.h"

namespace veilo {

namespace {

// A menu text as a line of help: no access-key marks, no key text after the tab.
std::string PlainMenuText(std::string_view text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\t') break;
    if (text[i] == '&') {
      // "(&X)" goes as a whole; a lone "&" only marks the next letter.
      if (!plain.empty() && plain.back() == '(' && i + 2 < text.size() && text[i + 2] == ')') {
        plain.pop_back();
        i += 2;
      }
      continue;
    }
    plain += text[i];
  }
  while (!plain.empty() && plain.back() == ' ') plain.pop_back();
  return plain;
}

std::string MenuTextFor(const Menus& menus, uint16_t id) {
  for (const MenuTree* tree : {&menus.docMenu, &menus.frameMenu})
    if (const MenuEntry* item = FindMenuItem(*tree, id)) return PlainMenuText(item->text);
  return {};
}

}  // namespace

std::string HelpText(const LanguageTexts& language) {
  const bool english = language.languageLoaded;
  std::string text = english ? "Open a picture, mark an area with the left mouse button (Shift: move or resize "
                               "it; double-click: find a masked area), then choose a mask. Space and Shift+Space "
                               "step through the pictures of the folder.\r\n\r\nKeys:\r\n"
                             : "画像を開き、マウスの左ボタンで範囲を指定して（Shift で移動・変更、ダブルクリックで"
                               "マスク範囲の自動検出）、マスクを選びます。Space と Shift+Space でフォルダ内の次と前の"
                               "画像に移ります。\r\n\r\nキー:\r\n";
  const Menus menus = MenusFor(language);
  for (const Accelerator& a : AcceleratorTable()) {
    const std::string what = MenuTextFor(menus, a.command);
    if (what.empty()) continue;
    text += DescribeAccelerator(a) + "\t" + what + "\r\n";
  }
  return text;
}

}  // namespace veilo
