#include "shell/command_line.h"

#include <algorithm>

namespace veilo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "/c", "/C:1234", "/s" ...: a switch is "/" and its letter.
bool IsSwitch(std::string_view line, char letter) {
  return line.size() >= 2 && line[0] == '/' && Lower(line[1]) == letter;
}

void AddIfNotEmpty(std::vector<std::string>& out, std::string_view part) {
  if (!part.empty()) out.emplace_back(part);
}

std::vector<std::string> SplitQuoted(std::string_view line) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ') {
      ++i;
      continue;
    }
    if (line[i] == '"') {
      const size_t close = line.find('"', i + 1);
      const size_t end = close == std::string_view::npos ? line.size() : close;
      AddIfNotEmpty(out, line.substr(i + 1, end - i - 1));
      i = close == std::string_view::npos ? line.size() : close + 1;
      continue;
    }
    const size_t space = std::min(line.find(' ', i), line.size());
    AddIfNotEmpty(out, line.substr(i, space - i));
    i = space;
  }
  return out;
}

std::vector<std::string> SplitAtSpaces(std::string_view line) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= line.size()) {
    const size_t space = std::min(line.find(' ', start), line.size());
    AddIfNotEmpty(out, line.substr(start, space - start));
    start = space + 1;
  }
  return out;
}

}  // namespace

std::string_view TrimCommandLine(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  return line;
}

std::vector<std::string> SplitArguments(std::string_view line) {
  line = TrimCommandLine(line);
  if (line.empty()) return {};
  return line.front() == '"' ? SplitQuoted(line) : SplitAtSpaces(line);
}

ArgumentUse UseArguments(std::string_view commandLine, const IsFolderFn& isFolder) {
  ArgumentUse use;
  const std::string_view line = TrimCommandLine(commandLine);
  std::vector<std::string> args = SplitArguments(line);
  const bool anyFolder = std::any_of(args.begin(), args.end(),
                                     [&](const std::string& a) { return isFolder && isFolder(a); });
  if (anyFolder) {
    use.slideShow = true;
    use.slideShowLine = std::string(line);
  } else {
    use.files = std::move(args);
  }
  return use;
}

StartupDecision DecideStartup(std::string_view commandLine, bool anotherInstanceRunning,
                              const IsFolderFn& isFolder) {
  StartupDecision d;
  const std::string_view line = TrimCommandLine(commandLine);
  if (IsSwitch(line, 'c')) {
    d.kind = StartupKind::kShowScreenSaverSettings;
    return d;
  }
  if (IsSwitch(line, 's')) {
    if (anotherInstanceRunning) {
      d.kind = StartupKind::kEnd;
    } else {
      d.kind = StartupKind::kStartNormally;
      d.screenSaverMode = true;
    }
    return d;
  }
  if (!line.empty() && line.front() == '/') {
    d.kind = StartupKind::kEnd;
    return d;
  }
  if (anotherInstanceRunning) {
    d.kind = StartupKind::kHandOver;
    d.handOver = UseArguments(line, isFolder);
    return d;
  }
  d.kind = StartupKind::kStartNormally;
  d.pendingCommandLine = std::string(line);
  return d;
}

FirstTickAction DecideFirstTick(std::string_view pendingCommandLine, bool screenSaverMode,
                                std::string_view savedSlideFolder, const IsFolderFn& isFolder) {
  FirstTickAction action;
  if (screenSaverMode) {
    // The slide show splits its line at spaces unless it starts with a
    // quote, so a folder such as "C:\My Pictures" is passed quoted.
    const std::string_view folder = TrimCommandLine(savedSlideFolder);
    action.kind = FirstTickKind::kSlideShow;
    const bool quote = !folder.empty() && folder.front() != '"';
    if (quote) action.slideShowLine.push_back('"');
    action.slideShowLine.append(folder);
    if (quote) action.slideShowLine.push_back('"');
    return action;
  }
  ArgumentUse use = UseArguments(pendingCommandLine, isFolder);
  if (use.slideShow) {
    action.kind = FirstTickKind::kSlideShow;
    action.slideShowLine = std::move(use.slideShowLine);
  } else if (!use.files.empty()) {
    action.kind = FirstTickKind::kOpenFiles;
    action.files = std::move(use.files);
  }
  return action;
}

DroppedPathUse UseDroppedPath(const std::string& path, const IsFolderFn& isFolder) {
  return isFolder && isFolder(path) ? DroppedPathUse::kSlideShowOfFolder : DroppedPathUse::kOpenFile;
}

}  // namespace veilo
