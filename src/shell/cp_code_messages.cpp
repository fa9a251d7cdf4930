#include "shell/cp_code_messages.h"

#include "shell/texts.h"

namespace veilo {

std::string CpRefusalText(const CpCodeCheck& check, const LanguageTexts& language) {
  if (!language.languageLoaded) return CpCodeErrorText(check);
  switch (check.error) {
    case CpCodeError::kBadCharacter:
      return FormatText(Text(TextId::CpNotALetter, language), check.badCharacter);
    case CpCodeError::kTooLong: return std::string(Text(TextId::CpTooManyLetters, language));
    case CpCodeError::kEmpty: return std::string(Text(TextId::CpNoLetters, language));
    case CpCodeError::kNone: break;
  }
  return {};
}

}  // namespace veilo
