#pragma once
// The CP dialog's refusals in the current language: the built-in Japanese
// messages, or with a language file its own texts (the offending character
// put into the one for a character that is not a letter).
#include <string>

#include "masks/cp_mask.h"
#include "shell/language_file.h"

namespace veilo {

// Empty when the check found nothing to refuse.
std::string CpRefusalText(const CpCodeCheck& check, const LanguageTexts& language);

}  // namespace veilo
