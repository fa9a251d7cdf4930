#include "shell/profile_file.h"

#include <cstdint>

#include "platform/file_io.h"

namespace veilo {

namespace {

// Profile files are small; anything larger is not one of ours.
constexpr uint64_t kMaxProfileBytes = 16u * 1024u * 1024u;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  std::string_view name;   // section name or key name, trimmed
  std::string_view value;  // key value, trimmed (empty when the line has no '=')
};

ParsedLine ParseLine(std::string_view text) {
  ParsedLine parsed;
  const std::string_view line = Trim(text);
  if (line.empty() || line.front() == ';') return parsed;
  if (line.front() == '[') {
    const size_t close = line.rfind(']');
    if (close != std::string_view::npos) {
      parsed.kind = LineKind::Section;
      parsed.name = Trim(line.substr(1, close - 1));
      return parsed;
    }
  }
  parsed.kind = LineKind::Key;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    parsed.name = line;
  } else {
    parsed.name = Trim(line.substr(0, equals));
    parsed.value = Trim(line.substr(equals + 1));
  }
  return parsed;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Line range [first, end) of the body of a section: the lines after its
// header up to the next header. first == npos when the section is absent.
struct SectionRange {
  size_t header = std::string::npos;
  size_t end = 0;
};

SectionRange FindSection(const ProfileText& profile, std::string_view section) {
  SectionRange range;
  for (size_t i = 0; i < profile.lines.size(); ++i) {
    const ParsedLine parsed = ParseLine(profile.lines[i].text);
    if (parsed.kind != LineKind::Section) continue;
    if (range.header != std::string::npos) {
      range.end = i;
      return range;
    }
    if (SameName(parsed.name, section)) range.header = i;
  }
  range.end = profile.lines.size();
  return range;
}

constexpr char kNewLineEnding[] = "\r\n";

}  // namespace

ProfileText ParseProfile(std::string_view bytes) {
  ProfileText profile;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t newline = bytes.find('\n', start);
    ProfileLine line;
    if (newline == std::string_view::npos) {
      line.text = std::string(bytes.substr(start));
      start = bytes.size();
    } else {
      size_t textEnd = newline;
      if (textEnd > start && bytes[textEnd - 1] == '\r') --textEnd;
      line.text = std::string(bytes.substr(start, textEnd - start));
      line.ending = std::string(bytes.substr(textEnd, newline + 1 - textEnd));
      start = newline + 1;
    }
    profile.lines.push_back(std::move(line));
  }
  return profile;
}

std::string SerializeProfile(const ProfileText& profile) {
  std::string out;
  for (const ProfileLine& line : profile.lines) {
    out += line.text;
    out += line.ending;
  }
  return out;
}

std::optional<std::string> FindProfileValue(const ProfileText& profile, std::string_view section,
                                            std::string_view key) {
  const SectionRange range = FindSection(profile, section);
  if (range.header == std::string::npos) return std::nullopt;
  for (size_t i = range.header + 1; i < range.end; ++i) {
    const ParsedLine parsed = ParseLine(profile.lines[i].text);
    if (parsed.kind == LineKind::Key && SameName(parsed.name, key)) return std::string(Unquote(parsed.value));
  }
  return std::nullopt;
}

std::string GetProfileString(const ProfileText& profile, std::string_view section, std::string_view key,
                             std::string_view defaultValue, size_t bufferBytes) {
  std::optional<std::string> value = FindProfileValue(profile, section, key);
  if (!value) {
    while (!defaultValue.empty() && IsBlank(defaultValue.back())) defaultValue.remove_suffix(1);
    value = std::string(defaultValue);
  }
  const size_t limit = bufferBytes == 0 ? 0 : bufferBytes - 1;
  if (value->size() > limit) value->resize(limit);
  return *value;
}

void SetProfileValue(ProfileText& profile, std::string_view section, std::string_view key,
                     std::string_view value) {
  // A line end inside the value would start a line of its own in the file.
  value = value.substr(0, value.find_first_of("\r\n"));
  const SectionRange range = FindSection(profile, section);
  if (range.header == std::string::npos) {
    if (!profile.lines.empty() && profile.lines.back().ending.empty()) {
      profile.lines.back().ending = kNewLineEnding;
    }
    profile.lines.push_back({"[" + std::string(section) + "]", kNewLineEnding});
    profile.lines.push_back({std::string(key) + "=" + std::string(value), kNewLineEnding});
    return;
  }
  size_t lastContent = range.header;
  for (size_t i = range.header + 1; i < range.end; ++i) {
    const std::string& text = profile.lines[i].text;
    if (!Trim(text).empty()) lastContent = i;
    const ParsedLine parsed = ParseLine(text);
    if (parsed.kind == LineKind::Key && SameName(parsed.name, key)) {
      profile.lines[i].text = std::string(parsed.name) + "=" + std::string(value);
      return;
    }
  }
  ProfileLine& before = profile.lines[lastContent];
  if (before.ending.empty()) before.ending = kNewLineEnding;
  profile.lines.insert(profile.lines.begin() + static_cast<std::ptrdiff_t>(lastContent + 1),
                       ProfileLine{std::string(key) + "=" + std::string(value), kNewLineEnding});
}

std::optional<ProfileText> ReadProfileFile(const std::string& path) {
  if (IsDirectory(path)) return std::nullopt;
  if (!FileExists(path)) return ProfileText{};
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, kMaxProfileBytes);
  if (!bytes) return std::nullopt;
  return ParseProfile(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

bool WriteProfileValues(const std::string& path, std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& values) {
  std::optional<ProfileText> profile = ReadProfileFile(path);
  if (!profile) return false;
  for (const auto& [key, value] : values) SetProfileValue(*profile, section, key, value);
  const std::string bytes = SerializeProfile(*profile);
  SafeFileWriter writer(path);
  return writer.Write(bytes.data(), bytes.size()) && writer.Commit();
}

}  // namespace veilo
