#pragma once
// The command-line tool's stand-in for the window system: messages go to
// stderr (or, for one file of a batch, into that file's report), and a shown
// error marks the operation as failed.
#include <cstdio>
#include <string>

#include "platform/shell_notifications.h"

namespace veilo::cli {

class CliShell : public ShellNotifications {
 public:
  CliShell() = default;
  // Lines are appended to `*collected`, one per message, instead of being
  // printed: files done side by side must not mix their lines.
  explicit CliShell(std::string* collected) : collected_(collected) {}

  void ShowError(std::string_view text) override {
    Say(text);
    ++errorCount;
  }
  // A message of the tool's own, e.g. a file that cannot be opened.
  void Say(std::string_view text) {
    std::string line(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    for (char& c : line)
      if (c == '\r' || c == '\n') c = ' ';
    if (collected_ != nullptr) {
      *collected_ += line + '\n';
      return;
    }
    std::fprintf(stderr, "veilo-cli: %s\n", line.c_str());
  }
  int errorCount = 0;

 private:
  std::string* collected_ = nullptr;
};

}  // namespace veilo::cli
