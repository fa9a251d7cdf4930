#include "formats/file_dialog_rules.h"

#include <array>
#include <cstdio>

namespace veilo {

namespace {

// Every byte searched for here is ASCII, and no byte of a UTF-8 multi-byte
// character is, so plain byte searches are exact on UTF-8 names.
constexpr std::string_view kSeparators = "\\/:";

// Where the file part of a path begins: after its last separator.
size_t FilePartStart(std::string_view path) {
  const size_t sep = path.find_last_of(kSeparators);
  return sep == std::string_view::npos ? 0 : sep + 1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The title without the " :N" that tells documents of the same name apart.
std::string_view WithoutTitleNumber(std::string_view title) {
  size_t digits = title.size();
  while (digits > 0 && IsDigit(title[digits - 1])) --digits;
  if (digits == title.size() || digits < 2 || title.substr(digits - 2, 2) != " :") return title;
  return title.substr(0, digits - 2);
}

constexpr std::array<std::string_view, 5> kTypeExtensions = {".BMP", ".JPG", ".JP2", ".PNG", ".GIF"};
constexpr int kFirstTypeWithExtension = 2;  // filter 1 is the list of every type

}  // namespace

std::string SaveNamePrefill(std::string_view title) {
  // Cutting the window number rather than everything after a blank keeps a
  // name such as "v1.5 final" whole, and a name without a dot loses its
  // number too: "photo :2" would otherwise offer a ':' the file system refuses.
  std::string name(WithoutTitleNumber(title));
  if (!name.empty() && name.find('.') == std::string::npos) name += ".jpg";
  return name;
}

std::optional<std::string> TypeChangedName(std::string_view name, int filterIndex) {
  const int type = filterIndex - kFirstTypeWithExtension;
  if (type < 0 || type >= static_cast<int>(kTypeExtensions.size())) return std::nullopt;
  if (name.empty() || name.front() == '.') return std::nullopt;
  const size_t fileStart = FilePartStart(name);
  const std::string_view file = name.substr(fileStart);
  if (file.empty() || file.front() == '.') return std::nullopt;
  const size_t dot = file.rfind('.');
  std::string changed(name.substr(0, dot == std::string_view::npos ? name.size() : fileStart + dot));
  changed += kTypeExtensions[static_cast<size_t>(type)];
  return changed;
}

std::string FolderOfChosenPath(std::string_view fullPath, std::string_view fileTitle) {
  // The title is the file part when the dialog reports it so; a title that
  // is not the path's end (an extension the shell hides) must not cut into
  // the folder, so then the path is cut after its last separator.
  if (!fileTitle.empty() && fullPath.size() > fileTitle.size() && fullPath.ends_with(fileTitle)) {
    const std::string_view folder = fullPath.substr(0, fullPath.size() - fileTitle.size());
    if (kSeparators.find(folder.back()) != std::string_view::npos) return std::string(folder);
  }
  return std::string(fullPath.substr(0, FilePartStart(fullPath)));
}

PreviewFit FitPreview(int32_t picW, int32_t picH, int32_t areaW, int32_t areaH) {
  if (picW <= 0 || picH <= 0 || areaW <= 0 || areaH <= 0) return {};
  PreviewFit fit;
  // picW / picH > areaW / areaH, compared exactly.
  if (int64_t{picW} * areaH > int64_t{areaW} * picH) {
    fit.width = areaW;
    fit.height = static_cast<int32_t>(int64_t{picH} * areaW / picW);
    fit.y = (areaH - fit.height) / 2;
  } else {
    fit.height = areaH;
    fit.width = static_cast<int32_t>(int64_t{picW} * areaH / picH);
    fit.x = (areaW - fit.width) / 2;
  }
  return fit;
}

std::string PreviewSizeText(int32_t w, int32_t h) {
  char text[32];
  std::snprintf(text, sizeof text, "%d x %d", static_cast<int>(w), static_cast<int>(h));
  return text;
}

}  // namespace veilo
