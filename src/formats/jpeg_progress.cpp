#include "formats/jpeg_progress.h"

#include "platform/shell_notifications.h"

namespace veilo {

std::string JpegProgressText(JpegProgressKind kind, int32_t percent, bool english) {
  const char* tail = nullptr;
  if (kind == JpegProgressKind::kRead)
    tail = english ? "% Read..." : "% 読み込み中...";
  else
    tail = english ? "% Write..." : "% 書き込み中...";
  return "JPEG " + std::to_string(percent) + tail;
}

JpegProgress::JpegProgress(ShellNotifications& shell, JpegProgressKind kind, bool english)
    : shell_(shell), kind_(kind), english_(english), lastShown_(kind == JpegProgressKind::kRead ? 100 : 0) {}

void JpegProgress::RowsDone(uint32_t done, uint32_t total) {
  if (total == 0) return;
  const auto percent = static_cast<int32_t>(uint64_t{done} * 100 / total / 10 * 10);
  if (percent == lastShown_) return;
  lastShown_ = percent;
  shell_.SetMessagePane(JpegProgressText(kind_, percent, english_));
}

}  // namespace veilo
