#include "shell/png_text_display.h"

#include <gtest/gtest.h>

namespace veilo {
namespace {

TEST(PngTextDisplay, StoredTextsShowWithTheEditControlsLineBreaks) {
  struct Case {
    const char* stored;
    const char* shown;
  };
  const Case cases[] = {
      {"", ""},
      {"one line", "one line"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\r\nb", "a\r\nb"},  // already CR LF: not doubled
      {"a\rb", "a\r\nb"},
      {"\xE5\x86\x99\xE7\x9C\x9F", "\xE5\x86\x99\xE7\x9C\x9F"},  // UTF-8 as it is
      {"\x8E\xCA\x90\x5E", "\xE5\x86\x99\xE7\x9C\x9F"},          // Shift-JIS "写真"
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(PngTextForDisplay(c.stored), c.shown);
  }
}

TEST(PngTextDisplay, EditedTextsAreStoredWithSingleLineFeeds) {
  EXPECT_EQ(PngTextFromEdit("a\r\nb\r\n"), "a\nb\n");
  EXPECT_EQ(PngTextFromEdit("plain"), "plain");
  EXPECT_EQ(PngTextFromEdit(PngTextForDisplay("x\ny")), "x\ny");
}

}  // namespace
}  // namespace veilo
