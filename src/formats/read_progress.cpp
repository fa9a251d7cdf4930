#include "formats/read_progress.h"

#include "formats/reader_flags.h"
#include "platform/shell_notifications.h"

namespace veilo {

std::string ReadProgressText(const char* format, int32_t percent, bool english) {
  return std::string(format) + " " + std::to_string(percent) + (english ? "% Read..." : "% 読み込み中...");
}

ReadProgress::ReadProgress(ShellNotifications& shell, const char* format)
    : shell_(shell), format_(format), english_(CurrentReaderFlags().englishMessages) {}

void ReadProgress::Done(uint64_t done, uint64_t total) {
  if (total == 0) return;
  if (done > total) done = total;
  const auto percent = static_cast<int32_t>(done * 100 / total / 10 * 10);
  if (percent == lastShown_) return;
  lastShown_ = percent;
  shell_.SetMessagePane(ReadProgressText(format_, percent, english_));
}

}  // namespace veilo
