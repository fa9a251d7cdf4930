#pragma once
// The colour-count line of the properties dialog in the current language
// (the built-in Japanese formats, or the language file's).
#include <string>

#include "shell/language_file.h"
#include "tools/picture_properties.h"

namespace veilo {

// "%d 色", "%d 色以上" or "%u 色" with the count; empty when nothing was counted.
std::string ColourCountText(const ColourCountDisplay& display, const LanguageTexts& language);

}  // namespace veilo
