#pragma once
// The program's own help: how to use it and every key, in the menus' language.
#include <string>

#include "shell/language_file.h"

namespace veilo {

std::string HelpText(const LanguageTexts& language);

}  // namespace veilo
