#include "shell/language_encoding.h"

#include <gtest/gtest.h>

namespace veilo {
namespace {

TEST(TextEncoding, StrictUtf8) {
  struct Case {
    std::string_view bytes;
    bool valid;
  };
  const Case cases[] = {
      {"plain ASCII", true},
      {"あ①ⅰ😀", true},
      {"\xC0\xAF", false},          // overlong '/'
      {"\xE0\x80\xAF", false},      // overlong
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF4\x90\x80\x80", false},  // above U+10FFFF
      {"\xE3\x81", false},          // cut short
      {"\x83\x74\x83\x40", false},  // ファ in code page 932
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(TextEncoding, DetectionPrefersTheMarkThenValidUtf8) {
  EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBF[MENU]"), TextEncoding::Utf8WithBom);
  EXPECT_EQ(DetectTextEncoding("[MENU]\r\nFile=File"), TextEncoding::Utf8);
  EXPECT_EQ(DetectTextEncoding("[MENU]\r\nFile=ファイル"), TextEncoding::Utf8);
  EXPECT_EQ(DetectTextEncoding("[MENU]\r\nFile=\x83\x74\x83\x40\x83\x43\x83\x8B"), TextEncoding::Cp932);
  EXPECT_EQ(WithoutByteOrderMark("\xEF\xBB\xBFx"), "x");
  EXPECT_EQ(WithoutByteOrderMark("x"), "x");
}

TEST(TextEncoding, CodePage932ToUtf8) {
  struct Case {
    std::string_view bytes;
    std::string_view utf8;
  };
  const Case cases[] = {
      {"abc", "abc"},
      {"\x82\xA0", "あ"},
      {"\x95\x5C", "表"},          // second byte is a backslash
      {"\xB1\xDF", "ｱﾟ"},          // half-width katakana
      {"\x87\x40", "①"},          // NEC row 13
      {"\xFA\x40", "ⅰ"},          // IBM extension
      {"\x81\x5F", "＼"},
      {"\x80", "\xC2\x80"},
      {"\x82", "\xEF\xBF\xBD"},     // lead byte at the end
      {"\x82\x20", "\xEF\xBF\xBD "},  // lead byte without a valid second byte
      {"\x85\x40", "\xEF\xBF\xBD"},   // unmapped pair
  };
  for (const Case& c : cases) EXPECT_EQ(Cp932ToUtf8(c.bytes), c.utf8);
}

TEST(TextEncoding, CutsNeverSplitACharacter) {
  EXPECT_EQ(CutAtCharacter("a\x82\xA0\x82\xA0", 4, TextEncoding::Cp932), "a\x82\xA0");
  EXPECT_EQ(CutAtCharacter("a\x82\xA0\x82\xA0", 5, TextEncoding::Cp932), "a\x82\xA0\x82\xA0");
  EXPECT_EQ(CutAtCharacter("\xB1\xB1\xB1", 2, TextEncoding::Cp932), "\xB1\xB1");
  EXPECT_EQ(CutAtCharacter("aあい", 5, TextEncoding::Utf8), "aあ");
  EXPECT_EQ(CutAtCharacter("aあい", 7, TextEncoding::Utf8WithBom), "aあい");
  EXPECT_EQ(CutAtCharacter("abc", 0, TextEncoding::Utf8), "");
}

}  // namespace
}  // namespace veilo
