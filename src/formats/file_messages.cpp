#include "formats/file_messages.h"

#include "formats/image_dispatch.h"

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

}  // namespace veilo
