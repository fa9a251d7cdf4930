#include "formats/file_messages.h"

#include <string>

#include "doc/picture_limits.h"
#include "formats/image_dispatch.h"
#include "formats/image_files.h"
#include "formats/reader_flags.h"

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

std::string ContentMismatchText(std::string_view utf8Path, const ContentMismatch& m, bool english) {
  const std::string named = FormatName(m.named);
  const std::string found = FormatName(m.found);
  std::string text(utf8Path);
  text += '\r';
  if (english) {
    text += m.namedByExtension ? "The extension says this is a " + named + " file"
                               : "The extension names no picture format, so this was read as a " + named + " file";
    text += ", but the content does not match: it is a " + found + " file.";
  } else {
    text += m.namedByExtension ? "拡張子からは " + named + " ファイルですが"
                               : "拡張子が画像の形式を示していないため " + named + " ファイルとして読み込みましたが";
    text += "、内容が一致しません。このファイルの内容は " + found + " です。";
  }
  return text;
}

std::string OpenAsFoundQuestion(std::string_view utf8Path, const ContentMismatch& m, bool english) {
  const std::string found = FormatName(m.found);
  return ContentMismatchText(utf8Path, m, english) + '\r' +
         (english ? "Do you wish to open it as " + found + "?" : found + " として開きますか？");
}

std::string PictureTooLargeText(uint32_t width, uint32_t height, bool english, unsigned pointerBits) {
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  std::string text = english ? "This picture (" + size + " pixels) is too large to open."
                             : "この画像 (" + size + " ピクセル) は大きすぎて開けません。";
  if (pointerBits < 64)
    text += english ? "\nThe 32-bit Veilo cannot hold it; open it with the 64-bit Veilo."
                    : "\n32 ビット版の Veilo では扱えない大きさです。64 ビット版で開いてください。";
  return text;
}

void ReportPictureTooLarge(ShellNotifications& shell, uint32_t width, uint32_t height) {
  ReportError(shell, PictureTooLargeText(width, height, CurrentReaderFlags().englishMessages, kBuildPointerBits));
}

}  // namespace veilo
