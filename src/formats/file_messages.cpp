#include "formats/file_messages.h"

namespace veilo {

std::string_view FileMessageText(FileMessage message, bool english) {
  switch (message) {
    case FileMessage::kWriteErrorReadOnly:
      return english ? "Write Error! (READONLY FILE)" : "読み込み専用ファイルのため上書きできません。";
    case FileMessage::kWriteError:
      return english ? "Write Error!" : "書き込みに失敗しました。";
  }
  return {};
}

}  // namespace veilo
