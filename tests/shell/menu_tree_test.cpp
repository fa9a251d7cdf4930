#include "shell/menu_tree.h"

#include <gtest/gtest.h>

#include <set>

namespace veilo {
namespace {

// One line per popup: "Title: id=text | - | Sub{...}" with tabs shown as "\t".
std::string Describe(const std::vector<MenuEntry>& entries);

std::string Shown(const std::string& text) {
  std::string out;
  for (const char c : text) out += c == '\t' ? std::string("\\t") : std::string(1, c);
  return out;
}

std::string DescribeEntry(const MenuEntry& e) {
  switch (e.kind) {
    case MenuEntryKind::Separator:
      return "-";
    case MenuEntryKind::Item:
      return std::to_string(e.id) + "=" + Shown(e.text);
    case MenuEntryKind::Popup:
      return Shown(e.text) + "{" + Describe(e.children) + "}";
  }
  return "?";
}

std::string Describe(const std::vector<MenuEntry>& entries) {
  std::string out;
  for (const MenuEntry& e : entries) out += (out.empty() ? "" : " | ") + DescribeEntry(e);
  return out;
}

std::vector<std::string> Lines(const MenuTree& tree) {
  std::vector<std::string> lines;
  for (const MenuEntry& popup : tree.popups) lines.push_back(DescribeEntry(popup));
  return lines;
}

void CollectIds(const std::vector<MenuEntry>& entries, std::multiset<int>& ids) {
  for (const MenuEntry& e : entries) {
    if (e.kind == MenuEntryKind::Item) ids.insert(e.id);
    if (e.kind == MenuEntryKind::Popup) CollectIds(e.children, ids);
  }
}

TEST(LanguageMenus, WithoutMenuSectionItemsAreEmptyExceptTheEnglishDefaults) {
  LanguageTexts texts = DefaultLanguageTexts();
  texts.languageLoaded = true;
  const Menus menus = buildMenus(texts);
  EXPECT_EQ(Lines(menus.frameMenu),
            (std::vector<std::string>{
                "{8001= | 40036=Slide Show...\\tF11 | - | 40049=TWAIN Select... | 40044=TWAIN Read...\\tCtrl+T | - | "
                "8000=}",
                "{40023=}", "{7001=}", "{30= | 31= | 32=}"}));
  EXPECT_EQ(menus.frameMenu.windowPopupIndex, 3u);
  EXPECT_EQ(Lines(menus.docMenu),
            (std::vector<std::string>{
                "{8001= | 40035=&Save\\tCtrl+S | 40034=Save &As... | 40036=Slide Show...\\tF11 | - | "
                "40049=TWAIN Select... | 40044=TWAIN Read...\\tCtrl+T | - | 40052=Page setup... | "
                "40038=Print...\\tCtrl+P | - | 40033=Property... | - | 8000=}",
                "{40013= | 40014= | - | 40015= | - | 40022= | 40023= | - | {40027= | 40028= | 40029=}}",
                "{7002= | 7003= | - | 40016= | - | 40019= | 40020=}",
                "{7004= | 40005= | 40004= | 40008= | 40009= | 40010= | 40011= | 40021= | 40006= | 40007= | "
                "40012= | 40024= | 40030= | - | 40039=Storage of the consecution mask | "
                "40040=Execute of the storage mask\\tF12}",
                "{7001= | 40017= | 40025= | 40026=}", "{30= | 31= | 32=}"}));
  EXPECT_EQ(menus.docMenu.windowPopupIndex, 5u);
  EXPECT_EQ(FindMenuItem(menus.docMenu, 40042), nullptr);  // resize-and-paste is built-in only
}

TEST(LanguageMenus, HelpPopupOnlyWithAHelpText) {
  LanguageTexts texts = DefaultLanguageTexts();
  texts.languageLoaded = true;
  texts.values[static_cast<size_t>(LangKey::MenuHelp)] = "&Help";
  texts.values[static_cast<size_t>(LangKey::MenuIndex)] = "&Index\tF1";
  texts.values[static_cast<size_t>(LangKey::MenuTurn)] = "&Turn";
  const Menus menus = buildMenus(texts);
  ASSERT_EQ(menus.frameMenu.popups.size(), 5u);
  ASSERT_EQ(menus.docMenu.popups.size(), 7u);
  EXPECT_EQ(DescribeEntry(menus.frameMenu.popups.back()), "&Help{40031=&Index\\tF1}");
  EXPECT_EQ(DescribeEntry(menus.docMenu.popups.back()), "&Help{40031=&Index\\tF1}");
  EXPECT_EQ(menus.docMenu.windowPopupIndex, 5u);
  EXPECT_EQ(DescribeEntry(menus.docMenu.popups[1].children.back()), "&Turn{40027= | 40028= | 40029=}");
}

TEST(BuiltInMenus, DocumentMenuHoldsEveryMenuCommandOnce) {
  const MenuTree doc = BuiltInDocumentMenu();
  std::multiset<int> ids;
  CollectIds(doc.popups, ids);
  const std::multiset<int> expected = {
      8001,  40035, 40034, 40036, 40049, 40044, 40052, 40038, 40033, 8000,  40013, 40014, 40015,
      40022, 40023, 40042, 40027, 40028, 40029, 7002,  7003,  40016, 40019, 40020, 7004,  40005,
      40004, 40008, 40009, 40010, 40011, 40021, 40006, 40007, 40012, 40024, 40030, 40039, 40040,
      7001,  40017, 40025, 40026, 30,    31,    32,    40031};
  EXPECT_EQ(ids, expected);
  EXPECT_EQ(doc.popups.size(), 7u);
  EXPECT_EQ(doc.windowPopupIndex, 5u);
  EXPECT_EQ(doc.popups[doc.windowPopupIndex].children.size(), 3u);
  EXPECT_EQ(FindMenuItem(doc, 40031)->text, "Veilo Help");
  EXPECT_EQ(FindMenuItem(doc, 40006)->text, "正順ﾒｺﾏｽｸ\tF8");
  EXPECT_EQ(FindMenuItem(doc, 40035)->text, "上書き保存(&S)...\tCtrl+S");
  EXPECT_EQ(FindMenuItem(doc, 40042)->text, "拡大・縮小して新イメージへ貼り付け...");
  EXPECT_EQ(FindMenuItem(doc, 40016)->text, "&Quick Zoom...\tShift+F1");
}

TEST(BuiltInMenus, NoDocumentMenu) {
  const MenuTree frame = BuiltInFrameMenu();
  std::multiset<int> ids;
  CollectIds(frame.popups, ids);
  EXPECT_EQ(ids, (std::multiset<int>{8001, 40036, 40049, 40044, 8000, 40023, 7001, 30, 31, 32, 40031}));
  EXPECT_EQ(frame.popups.size(), 5u);
  EXPECT_EQ(frame.popups[frame.windowPopupIndex].children.front().id, 30);
}

TEST(Menus, LanguageFileChoosesTheBuiltMenus) {
  LanguageTexts texts = DefaultLanguageTexts();
  EXPECT_NE(FindMenuItem(MenusFor(texts).docMenu, 40042), nullptr);
  texts.languageLoaded = true;
  EXPECT_EQ(FindMenuItem(MenusFor(texts).docMenu, 40042), nullptr);
}

}  // namespace
}  // namespace veilo
