#pragma once
// The status-bar progress of the readers other than JPEG's, in its form:
// "PNG 40% 読み込み中..." / "PNG 40% Read...", in whole tens of percent,
// shown once each time the value changes, from 0 % on.
#include <cstdint>
#include <string>

namespace veilo {

class ShellNotifications;

std::string ReadProgressText(const char* format, int32_t percent, bool english);

class ReadProgress {
 public:
  // In the language of the current load (CurrentReaderFlags).
  ReadProgress(ShellNotifications& shell, const char* format);
  void Done(uint64_t done, uint64_t total);

 private:
  ShellNotifications& shell_;
  const char* format_;
  bool english_;
  int32_t lastShown_ = -1;
};

}  // namespace veilo
