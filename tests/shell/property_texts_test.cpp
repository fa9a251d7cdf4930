// The colour-count line of the properties dialog in both languages.
#include <gtest/gtest.h>

#include "shell/language_file.h"
#include "shell/property_texts.h"

namespace veilo {
namespace {

TEST(PropertyTexts, EachFormOfTheCountHasItsText) {
  LanguageTexts japanese = DefaultLanguageTexts();
  LanguageTexts english = DefaultLanguageTexts();
  english.languageLoaded = true;
  LanguageTexts own = english;
  own.values[static_cast<size_t>(LangKey::PropDlgColorsMore)] = "at least %d (%%)";
  own.values[static_cast<size_t>(LangKey::PropDlgColors)] = "%u";
  struct Case {
    ColourCountDisplay display;
    const LanguageTexts* language;
    const char* text;
  };
  const Case cases[] = {
      {{ColourCountForm::kCount, 256, false}, &japanese, "256 色"},
      {{ColourCountForm::kOrMore, 300, true}, &japanese, "300 色以上"},
      {{ColourCountForm::kOrMore, 1000, true}, &japanese, "1000 色以上"},
      {{ColourCountForm::kExact, 5000, false}, &japanese, "5000 色"},
      {{ColourCountForm::kNotCounted, 0, true}, &japanese, ""},
      {{ColourCountForm::kCount, 2, false}, &english, "2 colors"},
      {{ColourCountForm::kOrMore, 1000, true}, &english, "1000 colors or more"},
      {{ColourCountForm::kExact, 4294967295u, false}, &english, "4294967295 colors"},
      {{ColourCountForm::kOrMore, 300, true}, &own, "at least 300 (%)"},
      {{ColourCountForm::kCount, 7, false}, &own, "7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ColourCountText(c.display, *c.language), c.text);
  }
}

}  // namespace
}  // namespace veilo
