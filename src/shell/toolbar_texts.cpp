#include "shell/toolbar_texts.h"

#include "shell/toolbar.h"

namespace veilo {

namespace {

constexpr std::string_view kToolbarSection = "TOOL BAR";

std::string_view FromLanguage(const LanguageTexts& language, std::string_view key, std::string_view builtIn) {
  if (!language.languageLoaded) return builtIn;
  return language.find(kToolbarSection, key).value_or(std::string_view{});
}

}  // namespace

std::string_view ToolbarTipText(int32_t row, const LanguageTexts& language) {
  const ToolbarRow& r = ToolbarTable()[static_cast<size_t>(row)];
  return FromLanguage(language, r.shortKey, r.shortText);
}

std::string_view ToolbarComment(int32_t row, const LanguageTexts& language) {
  const ToolbarRow& r = ToolbarTable()[static_cast<size_t>(row)];
  return FromLanguage(language, r.commentKey, r.comment);
}

}  // namespace veilo
