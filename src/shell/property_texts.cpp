#include "shell/property_texts.h"

#include "shell/texts.h"

namespace veilo {

std::string ColourCountText(const ColourCountDisplay& display, const LanguageTexts& language) {
  TextId format = TextId::PropertyColours;
  switch (display.form) {
    case ColourCountForm::kNotCounted: return {};
    case ColourCountForm::kCount: format = TextId::PropertyColours; break;
    case ColourCountForm::kOrMore: format = TextId::PropertyColoursOrMore; break;
    case ColourCountForm::kExact: format = TextId::PropertyExactColours; break;
  }
  return FormatText(Text(format, language), std::to_string(display.count));
}

}  // namespace veilo
