#pragma once
// The one-line progress a batch shows on a terminal: "\r[12/200] name.jpg",
// each line written over the one before.
#include <cstddef>
#include <string>
#include <string_view>

namespace veilo::cli {

// Whether stderr is a terminal (a progress line in a log file is noise).
bool StderrIsTerminal();

class ProgressLine {
 public:
  // The text that shows `done` of `total` files, the last being `name`;
  // blanks cover whatever a longer line before it left.
  std::string Show(size_t done, size_t total, std::string_view name);
  // The text that removes the line, so that a message can take its place.
  std::string Clear();

 private:
  size_t shownWidth_ = 0;  // characters of the line on the terminal
};

}  // namespace veilo::cli
