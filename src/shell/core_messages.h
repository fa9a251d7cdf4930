#pragma once
// The messages of the portable core (masks, PNG text entries) are
// written in Japanese, the program's built-in language; the shell shows their
// English forms while a language file is in use.
#include <string_view>

#include "shell/language_file.h"

namespace veilo {

// The message as the user reads it: the English form of a known core message
// when the language file is loaded; otherwise (and for any other text) the
// text itself.
std::string_view CoreMessageText(std::string_view message, const LanguageTexts& language);

}  // namespace veilo
