#include "shell/png_text_display.h"

#include "shell/language_encoding.h"

namespace veilo {

std::string PngTextForDisplay(std::string_view stored) {
  const std::string text = ToUtf8(stored, DetectTextEncoding(stored));
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      shown += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      shown += c;
    }
  }
  return shown;
}

std::string PngTextFromEdit(std::string_view edited) {
  std::string text;
  text.reserve(edited.size());
  for (size_t i = 0; i < edited.size(); ++i) {
    if (edited[i] == '\r' && i + 1 < edited.size() && edited[i + 1] == '\n') continue;
    text += edited[i];
  }
  return text;
}

}  // namespace veilo
