#pragma once
// What a toolbar button says: its tip (short text) and the comment the message
// pane shows while the pointer is on it; from the language file when one is
// loaded, else the built-in Japanese texts.
#include <cstdint>
#include <string_view>

#include "shell/language_file.h"

namespace veilo {

std::string_view ToolbarTipText(int32_t row, const LanguageTexts& language);
std::string_view ToolbarComment(int32_t row, const LanguageTexts& language);

}  // namespace veilo
