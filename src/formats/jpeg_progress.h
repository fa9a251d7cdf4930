#pragma once
// The status-bar progress of a JPEG read or write: the completed share of the
// rows in whole tens of percent, shown once each time it changes.
#include <cstdint>
#include <string>

namespace veilo {

class ShellNotifications;

enum class JpegProgressKind { kRead, kWrite };

// "JPEG 40% 読み込み中..." / "JPEG 40% Read..." and the writing forms.
std::string JpegProgressText(JpegProgressKind kind, int32_t percent, bool english);

class JpegProgress {
 public:
  // A read starts as if 100 % had been shown, so its first row shows 0 %; a
  // write starts at 0 %, so it first shows 10 %.
  JpegProgress(ShellNotifications& shell, JpegProgressKind kind, bool english);
  void RowsDone(uint32_t done, uint32_t total);

 private:
  ShellNotifications& shell_;
  JpegProgressKind kind_;
  bool english_;
  int32_t lastShown_;
};

}  // namespace veilo
