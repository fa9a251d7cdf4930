#include "progress_line.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace veilo::cli {

namespace {

// Characters, not bytes: a UTF-8 name takes one column per code point.
size_t Width(std::string_view text) {
  size_t n = 0;
  for (const char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

bool StderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return ::isatty(::fileno(stderr)) != 0;
#endif
}

std::string ProgressLine::Show(size_t done, size_t total, std::string_view name) {
  std::string line = "[" + std::to_string(done) + "/" + std::to_string(total) + "] " + std::string(name);
  const size_t width = Width(line);
  if (width < shownWidth_) line.append(shownWidth_ - width, ' ');
  shownWidth_ = width;
  // Built by appending: "\r" + line trips a false -Wrestrict warning of GCC 12.
  std::string text(1, '\r');
  text += line;
  return text;
}

std::string ProgressLine::Clear() {
  if (shownWidth_ == 0) return {};
  std::string text(1, '\r');
  text.append(shownWidth_, ' ');
  text += '\r';
  shownWidth_ = 0;
  return text;
}

}  // namespace veilo::cli
