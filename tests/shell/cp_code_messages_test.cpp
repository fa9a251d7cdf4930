#include "shell/cp_code_messages.h"

#include <gtest/gtest.h>

namespace veilo {
namespace {

LanguageTexts English() {
  LanguageTexts texts = DefaultLanguageTexts();
  texts.languageLoaded = true;
  texts.values[static_cast<size_t>(LangKey::EtcCPInputErr1)] = "More than 16 letters.";
  texts.values[static_cast<size_t>(LangKey::EtcCPInputErr2)] = "'%c' is not a letter (100%%).";
  texts.values[static_cast<size_t>(LangKey::EtcCPInputErr3)] = "Type a code.";
  return texts;
}

struct Case {
  const char* typed;
  const char* japanese;
  const char* english;
};

TEST(CpRefusalText, EachRefusalInBothLanguages) {
  const Case cases[] = {
      {"AB1", "アルファベット以外の文字 1 が含まれています。", "'1' is not a letter (100%)."},
      {"AB漢C", "アルファベット以外の文字 漢 が含まれています。", "'漢' is not a letter (100%)."},
      {"ABCDEFGHIJKLMNOPQ", "文字数が16を越えています。", "More than 16 letters."},
      {" ", "コードパターンを入力してください。", "Type a code."},
      {"a b c", "", ""},
  };
  const LanguageTexts japanese = DefaultLanguageTexts();
  const LanguageTexts english = English();
  for (const Case& c : cases) {
    const CpCodeCheck check = CheckCpCode(c.typed);
    EXPECT_EQ(CpRefusalText(check, japanese), c.japanese) << c.typed;
    EXPECT_EQ(CpRefusalText(check, english), c.english) << c.typed;
  }
}

}  // namespace
}  // namespace veilo
