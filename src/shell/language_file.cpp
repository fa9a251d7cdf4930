#include "shell/language_file.h"

#include <cstdint>
#include <string_view>

#include "platform/file_io.h"
#include "shell/profile_file.h"

namespace veilo {

namespace {

constexpr uint64_t kMaxLanguageFileBytes = 4u * 1024u * 1024u;

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

constexpr bool IsPopupTitle(std::string_view section, std::string_view key) {
  if (section != "MENU") return false;
  for (const std::string_view title : {"Edit", "View", "Mask", "Opt", "Win", "Help"}) {
    if (key == title) return true;
  }
  return false;
}

constexpr uint16_t BufferBytesOf(std::string_view section, std::string_view key) {
  return (section == "SS HELP DLG" && key == "Key8Cmt") ? 110 : 80;
}

constexpr std::array<LanguageKeyInfo, kLanguageKeyCount> kKeys = {{
#define VEILO_LANGUAGE_KEY_INFO(name, section, key, fallback) \
  {section, key, fallback, BufferBytesOf(section, key),       \
   std::string_view(section) == "MENU" && !IsPopupTitle(section, key)},
    VEILO_LANGUAGE_KEYS(VEILO_LANGUAGE_KEY_INFO)
#undef VEILO_LANGUAGE_KEY_INFO
}};

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::string JoinPath(const std::string& folder, const char* name) {
  std::string path = folder;
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += kPathSeparator;
  return path + name;
}

}  // namespace

const LanguageKeyInfo& InfoOf(LangKey key) { return kKeys[static_cast<size_t>(key)]; }

std::optional<std::string_view> LanguageTexts::find(std::string_view section, std::string_view key) const {
  for (size_t i = 0; i < kKeys.size(); ++i) {
    if (SameName(kKeys[i].section, section) && SameName(kKeys[i].key, key)) return values[i];
  }
  return std::nullopt;
}

LanguageTexts DefaultLanguageTexts() {
  LanguageTexts texts;
  for (size_t i = 0; i < kKeys.size(); ++i) texts.values[i] = kKeys[i].defaultText;
  return texts;
}

std::string ExpandMenuTabs(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
    } else if (i + 1 == text.size()) {
      break;  // a backslash at the very end is dropped
    } else if (text[i + 1] == 't') {
      out += '\t';
      ++i;
    } else {
      out += '\\';
    }
  }
  return out;
}

LanguageTexts loadLanguage(const std::string& path) {
  LanguageTexts texts = DefaultLanguageTexts();
  if (!FileExists(path)) return texts;
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, kMaxLanguageFileBytes);
  if (!bytes) return texts;

  const std::string_view raw(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  texts.encoding = DetectTextEncoding(raw);
  const ProfileText profile = ParseProfile(WithoutByteOrderMark(raw));
  for (size_t i = 0; i < kKeys.size(); ++i) {
    const LanguageKeyInfo& info = kKeys[i];
    const std::optional<std::string> value = FindProfileValue(profile, info.section, info.key);
    if (!value) continue;  // keeps the default
    std::string text = ToUtf8(CutAtCharacter(*value, info.bufferBytes - 1u, texts.encoding), texts.encoding);
    texts.values[i] = info.menuText ? ExpandMenuTabs(text) : std::move(text);
  }
  texts.languageLoaded = true;
  const size_t slash = path.find_last_of("\\/");
  texts.folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
  return texts;
}

std::optional<LanguageFileLocation> LocateLanguageFile(const std::string& startDir,
                                                       const std::string& pathSetting) {
  if (const std::string file = JoinPath(startDir, kLanguageFileName); FileExists(file)) {
    return LanguageFileLocation{file, startDir};
  }
  if (!pathSetting.empty()) {
    if (const std::string file = JoinPath(pathSetting, kLanguageFileName); FileExists(file)) {
      return LanguageFileLocation{file, pathSetting};
    }
  }
  return std::nullopt;
}

std::optional<std::string_view> LanguageOverride(const LanguageTexts& texts, LangKey key) {
  if (!texts.languageLoaded) return std::nullopt;
  return texts.get(key);
}

}  // namespace veilo
