#pragma once
// The command-line tool's stand-in for the window system: messages go to
// stderr, and a shown error marks the operation as failed.
#include <cstdio>
#include <string>

#include "platform/shell_notifications.h"

namespace veilo::cli {

class CliShell : public ShellNotifications {
 public:
  void ShowError(std::string_view text) override {
    std::string line(text);
    for (char& c : line)
      if (c == '\r' || c == '\n') c = ' ';
    std::fprintf(stderr, "veilo-cli: %s\n", line.c_str());
    ++errorCount;
  }
  int errorCount = 0;
};

}  // namespace veilo::cli
