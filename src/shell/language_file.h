#pragma once
// The language file veilolng.ini: when present it replaces the built-in
// Japanese texts of the menus, the toolbar and several dialogs, and switches
// the built-in messages to English (`languageLoaded`). Values are held as
// UTF-8 whatever encoding the file was written in.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "shell/language_encoding.h"
#include "shell/language_keys.h"

namespace veilo {

inline constexpr char kLanguageFileName[] = "veilolng.ini";

struct LanguageTexts {
  bool languageLoaded = false;
  std::string folder;  // folder of the file that was read
  TextEncoding encoding = TextEncoding::Utf8;
  std::array<std::string, kLanguageKeyCount> values;  // every key, defaults filled in

  std::string_view get(LangKey key) const { return values[static_cast<size_t>(key)]; }
  // By section and key name (ASCII case ignored); nullopt for a key that is
  // not one of the language file's keys.
  std::optional<std::string_view> find(std::string_view section, std::string_view key) const;
};

// All keys at their defaults, `languageLoaded` clear.
LanguageTexts DefaultLanguageTexts();

// Reads the file. A file that is missing, a folder or unreadable leaves
// `languageLoaded` clear. Each value is cut to its buffer (79 bytes, 109 for
// Key8Cmt, counted in the file's own encoding and never inside a character)
// and, for the menu texts other than the popup titles, "\t" becomes a tab.
LanguageTexts loadLanguage(const std::string& path);

// The menu-text rule: backslash and t become a tab, a backslash before any
// other character stays, a backslash at the very end is dropped.
std::string ExpandMenuTabs(std::string_view text);

// Where the language file is: `startDir` first, then the folder of the
// settings' Path value. nullopt when neither folder holds the file.
struct LanguageFileLocation {
  std::string file;
  std::string folder;  // becomes the start-up folder when found through Path
};
std::optional<LanguageFileLocation> LocateLanguageFile(const std::string& startDir,
                                                       const std::string& pathSetting);

// When the language file is in use, the text that replaces a dialog control's
// template text; nullopt keeps the template's own (Japanese) text.
std::optional<std::string_view> LanguageOverride(const LanguageTexts& texts, LangKey key);

}  // namespace veilo
