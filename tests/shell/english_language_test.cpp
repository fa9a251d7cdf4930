// The English language file that ships with the program (resources/lang/veilolng.ini): it is
// read by the program's own reader, gives every key of the language file a text of its own,
// and its menus name the keys the accelerator table really binds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.h"
#include "shell/accelerators.h"
#include "shell/language_file.h"
#include "shell/menu_tree.h"
#include "shell/profile_file.h"
#include "shell/texts.h"
#include "shell/toolbar.h"
#include "shell/toolbar_texts.h"
#include "test_pictures.h"

namespace veilo {
namespace {

std::string EnglishFilePath() { return testing::SourcePath("resources/lang/veilolng.ini"); }

std::string EnglishFileBytes() {
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(EnglishFilePath(), 1u << 20);
  if (!bytes) return {};
  return std::string(bytes->begin(), bytes->end());
}

const LanguageTexts& English() {
  static const LanguageTexts texts = loadLanguage(EnglishFilePath());
  return texts;
}

bool IsPlainAscii(std::string_view text) {
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80 || (u < 0x20 && c != '\t' && c != '\r')) return false;  // a tab or a message's line break
  }
  return true;
}

TEST(EnglishLanguageFile, SetsEveryKeyItselfWithATextThatFitsItsBuffer) {
  const std::string bytes = EnglishFileBytes();
  ASSERT_FALSE(bytes.empty()) << EnglishFilePath();
  const ProfileText profile = ParseProfile(bytes);
  // Plain ASCII reads the same whichever encoding the reader takes it for.
  for (const ProfileLine& line : profile.lines) EXPECT_TRUE(IsPlainAscii(line.text)) << line.text;
  for (size_t i = 0; i < kLanguageKeyCount; ++i) {
    const LanguageKeyInfo& info = InfoOf(static_cast<LangKey>(i));
    SCOPED_TRACE(std::string(info.section) + " / " + info.key);
    // Given in the file, not left to a built-in default: a key added to the program later
    // fails here until the English file has a text for it.
    const std::optional<std::string> raw = FindProfileValue(profile, info.section, info.key);
    ASSERT_TRUE(raw.has_value());
    EXPECT_FALSE(raw->empty());
    EXPECT_LE(raw->size(), info.bufferBytes - 1u) << *raw;  // nothing is cut off
    EXPECT_TRUE(IsPlainAscii(*raw)) << *raw;
  }
}

TEST(EnglishLanguageFile, ParsesWithTheProgramsReaderAndFillsEveryKey) {
  const LanguageTexts& texts = English();
  ASSERT_TRUE(texts.languageLoaded);
  EXPECT_EQ(texts.encoding, TextEncoding::Utf8);
  for (size_t i = 0; i < kLanguageKeyCount; ++i) {
    const LanguageKeyInfo& info = InfoOf(static_cast<LangKey>(i));
    SCOPED_TRACE(std::string(info.section) + " / " + info.key);
    const std::string_view value = texts.values[i];
    EXPECT_FALSE(value.empty());
    // The built-in English texts are the program's own: the file keeps them word for word.
    if (*info.defaultText) {
      EXPECT_EQ(value, info.defaultText);
    }
    // Only menu items carry a key text after a tab, and the reader has made the tab of "\t".
    EXPECT_EQ(value.find('\\'), std::string_view::npos) << value;
    if (!info.menuText) {
      EXPECT_EQ(value.find('\t'), std::string_view::npos) << value;
    }
  }
}

TEST(EnglishLanguageFile, HoldsNoSectionOrKeyTheProgramDoesNotRead) {
  // A misspelt key would be ignored and its default shown: every key line must be a known one.
  const ProfileText profile = ParseProfile(EnglishFileBytes());
  std::string section;
  std::map<std::string, std::set<std::string>> seen;
  for (const ProfileLine& line : profile.lines) {
    const std::string& text = line.text;
    if (text.empty() || text[0] == ';') continue;
    if (text[0] == '[') {
      ASSERT_EQ(text.back(), ']') << text;
      section = text.substr(1, text.size() - 2);
      continue;
    }
    const size_t equals = text.find('=');
    ASSERT_NE(equals, std::string::npos) << text;
    const std::string key = text.substr(0, equals);
    EXPECT_TRUE(English().find(section, key).has_value()) << "[" << section << "] " << key;
    EXPECT_TRUE(seen[section].insert(key).second) << "twice: [" << section << "] " << key;
  }
}

// Access keys ("&x") of the entries of one popup, in order; "&&" is a plain ampersand.
void CheckPopup(const std::vector<MenuEntry>& entries, const std::string& where) {
  std::set<char> accessKeys;
  for (const MenuEntry& entry : entries) {
    if (entry.kind == MenuEntryKind::Separator) continue;
    SCOPED_TRACE(where + " > " + entry.text);
    EXPECT_FALSE(entry.text.empty());
    const size_t tab = entry.text.find('\t');
    const std::string label = entry.text.substr(0, tab);
    int marks = 0;
    for (size_t i = 0; i + 1 < label.size(); ++i) {
      if (label[i] != '&') continue;
      if (label[i + 1] == '&') {
        ++i;
        continue;
      }
      ++marks;
      const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(label[i + 1])));
      EXPECT_TRUE(accessKeys.insert(key).second) << "access key '" << key << "' used twice";
    }
    EXPECT_LE(marks, 1);
    if (entry.kind == MenuEntryKind::Popup) {
      EXPECT_EQ(tab, std::string::npos);
      CheckPopup(entry.children, where + " > " + label);
      continue;
    }
    // The key text names one of the keys bound to the item's command, and an item whose
    // command has a key shows it.
    const std::string bound = AcceleratorTextFor(entry.id);
    if (tab == std::string::npos) {
      EXPECT_EQ(bound, "") << "the item does not show its key";
      continue;
    }
    const std::string shown = entry.text.substr(tab + 1);
    std::vector<std::string> keys;
    for (size_t from = 0; from <= bound.size();) {
      const size_t comma = bound.find(", ", from);
      keys.push_back(bound.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
      if (comma == std::string::npos) break;
      from = comma + 2;
    }
    EXPECT_NE(std::find(keys.begin(), keys.end(), shown), keys.end()) << shown << " is not bound; " << bound;
  }
}

TEST(EnglishLanguageFile, MenusNameTheBoundKeysAndHaveDistinctAccessKeys) {
  const Menus menus = buildMenus(English());
  for (const auto& [name, tree] : {std::pair{"no document", &menus.frameMenu}, std::pair{"document", &menus.docMenu}}) {
    SCOPED_TRACE(name);
    ASSERT_FALSE(tree->popups.empty());
    EXPECT_EQ(tree->popups.back().text, "&Help");  // the Help popup is there
    CheckPopup(tree->popups, name);
  }
}

TEST(EnglishLanguageFile, EveryToolbarTipCommentAndBilingualTextIsEnglish) {
  const LanguageTexts& texts = English();
  for (int32_t row = 0; row < kToolbarRowCount; ++row) {
    SCOPED_TRACE(ToolbarTable()[static_cast<size_t>(row)].bitmapBase);
    const std::string_view tip = ToolbarTipText(row, texts);
    const std::string_view comment = ToolbarComment(row, texts);
    EXPECT_FALSE(tip.empty());
    EXPECT_FALSE(comment.empty());
    EXPECT_TRUE(IsPlainAscii(tip)) << tip;
    EXPECT_TRUE(IsPlainAscii(comment)) << comment;
  }
  for (size_t id = 0; id < kTextIdCount; ++id) {
    const std::string_view text = Text(static_cast<TextId>(id), texts);
    EXPECT_FALSE(text.empty()) << "text " << id;
    EXPECT_TRUE(IsPlainAscii(text)) << "text " << id << ": " << text;
  }
  // The formats keep their one value.
  EXPECT_EQ(FormatText(Text(TextId::CpNotALetter, texts), "#"),
            "The code holds #, which is not a letter of the alphabet.");
  EXPECT_EQ(FormatText(Text(TextId::PropertyColoursOrMore, texts), "1000"), "1000 colors or more");
  EXPECT_EQ(OpenFileFilters(texts).back().description, "All files(*.*)");
}

}  // namespace
}  // namespace veilo
