#include "shell/help_text.h"

#include <gtest/gtest.h>

namespace veilo {
namespace {

TEST(HelpText, ListsEveryKeyWithItsMenuTextInTheMenusLanguage) {
  const std::string japanese = HelpText(DefaultLanguageTexts());
  EXPECT_NE(japanese.find("F8\t正順ﾒｺﾏｽｸ\r\n"), std::string::npos) << japanese;
  EXPECT_NE(japanese.find("Ctrl+S\t上書き保存...\r\n"), std::string::npos) << japanese;
  EXPECT_NE(japanese.find("Ctrl+Z\t元に戻す\r\n"), std::string::npos) << japanese;
  EXPECT_EQ(japanese.find('&'), std::string::npos);

  LanguageTexts english = DefaultLanguageTexts();
  english.languageLoaded = true;
  english.values[static_cast<size_t>(LangKey::MenuMekoP)] = "Meko &forward\tF8";
  const std::string text = HelpText(english);
  EXPECT_NE(text.find("F8\tMeko forward\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Keys:"), std::string::npos);
}

}  // namespace
}  // namespace veilo
