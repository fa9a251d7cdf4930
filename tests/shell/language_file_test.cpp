#include "shell/language_file.h"

#include <gtest/gtest.h>

#include "profile_temp_dir.h"
#include "test_pictures.h"

namespace veilo {
namespace {

struct EscapeCase {
  const char* in;
  const char* out;
};

TEST(MenuTabs, BackslashTBecomesATabOtherBackslashesStayAndAFinalOneIsDropped) {
  const EscapeCase cases[] = {
      {"&Open...\\tCtrl+O", "&Open...\tCtrl+O"},
      {"a\\nb", "a\\nb"},
      {"C:\\\\tmp", "C:\\\tmp"},  // the first backslash stays, the second pairs with t
      {"end\\", "end"},
      {"\\", ""},
      {"\\t", "\t"},
      {"", ""},
      {"表\\t示", "表\t示"},
  };
  for (const EscapeCase& c : cases) EXPECT_EQ(ExpandMenuTabs(c.in), c.out) << c.in;
}

TEST(LanguageFile, MissingFileOrFolderLeavesTheLanguageUnloaded) {
  testing::ProfileTempDir dir;
  EXPECT_FALSE(loadLanguage(dir.Path("veilolng.ini")).languageLoaded);
  std::filesystem::create_directory(dir.Path("folder.ini"));
  EXPECT_FALSE(loadLanguage(dir.Path("folder.ini")).languageLoaded);
}

TEST(LanguageFile, WithoutMenuSectionEveryKeyTakesItsDefault) {
  testing::ProfileTempDir dir;
  dir.Write("veilolng.ini", "[ETC]\r\nOK=Fine\r\n");
  const LanguageTexts texts = loadLanguage(dir.Path("veilolng.ini"));
  EXPECT_TRUE(texts.languageLoaded);
  EXPECT_EQ(texts.folder, dir.Folder());
  EXPECT_EQ(texts.get(LangKey::EtcOK), "Fine");
  EXPECT_EQ(texts.get(LangKey::EtcCancel), "&Cancel");
  EXPECT_EQ(texts.get(LangKey::MenuFile), "");
  EXPECT_EQ(texts.get(LangKey::MenuSaveOverWrite), "&Save\tCtrl+S");
  EXPECT_EQ(texts.get(LangKey::MenuMacroRun), "Execute of the storage mask\tF12");
  EXPECT_EQ(texts.get(LangKey::ToolMacroRec2C), "The storage of the consecution mask is stopped.");
  EXPECT_EQ(texts.get(LangKey::SsHelpKey8Cmt), "Stop the slide show. And restart at same place by next slide show.");
  EXPECT_EQ(texts.get(LangKey::PropDlgColors), "%u colors");
}

TEST(LanguageFile, TabRuleAppliesToMenuTextsButNotToPopupTitlesOrOtherSections) {
  testing::ProfileTempDir dir;
  dir.Write("veilolng.ini",
            "[MENU]\r\nFile=&File\\t\r\nOpen=&Open\\tCtrl+O\r\nEdit=&Edit\\t\r\nHelp=Help\\\r\nTurn=T\\tu\r\n"
            "Index=Contents\\\r\n[TOOL BAR]\r\nOpen=Open\\tnow\r\n");
  const LanguageTexts texts = loadLanguage(dir.Path("veilolng.ini"));
  EXPECT_EQ(texts.get(LangKey::MenuFile), "&File\t");  // File is not among the exempt titles
  EXPECT_EQ(texts.get(LangKey::MenuOpen), "&Open\tCtrl+O");
  EXPECT_EQ(texts.get(LangKey::MenuEdit), "&Edit\\t");
  EXPECT_EQ(texts.get(LangKey::MenuHelp), "Help\\");
  EXPECT_EQ(texts.get(LangKey::MenuTurn), "T\tu");
  EXPECT_EQ(texts.get(LangKey::MenuIndex), "Contents");
  EXPECT_EQ(texts.get(LangKey::ToolOpen), "Open\\tnow");
}

TEST(LanguageFile, ValuesAreCutToTheirBuffersWithoutSplittingACharacter) {
  testing::ProfileTempDir dir;
  const std::string ascii(100, 'x');
  const std::string longComment(120, 'y');
  // 40 two-byte code page 932 characters after one ASCII letter: the cut at
  // 79 bytes falls inside the 40th character, which is left out whole.
  std::string sjis = "a";
  for (int i = 0; i < 40; ++i) sjis += "\x82\xA0";  // あ
  // 30 three-byte UTF-8 characters: 79 bytes hold 26 of them.
  std::string utf8;
  for (int i = 0; i < 30; ++i) utf8 += "あ";

  dir.Write("sjis.ini", "[ETC]\r\nOK=" + ascii + "\r\nCancel=" + sjis + "\r\n[SS HELP DLG]\r\nKey8Cmt=" +
                            longComment + "\r\nKey7Cmt=" + longComment + "\r\n");
  const LanguageTexts fromSjis = loadLanguage(dir.Path("sjis.ini"));
  EXPECT_EQ(fromSjis.encoding, TextEncoding::Cp932);
  EXPECT_EQ(fromSjis.get(LangKey::EtcOK), std::string(79, 'x'));
  std::string expectedSjis = "a";
  for (int i = 0; i < 39; ++i) expectedSjis += "あ";
  EXPECT_EQ(fromSjis.get(LangKey::EtcCancel), expectedSjis);
  EXPECT_EQ(fromSjis.get(LangKey::SsHelpKey8Cmt), std::string(109, 'y'));
  EXPECT_EQ(fromSjis.get(LangKey::SsHelpKey7Cmt), std::string(79, 'y'));

  dir.Write("utf8.ini", "[ETC]\r\nCancel=" + utf8 + "\r\n");
  const LanguageTexts fromUtf8 = loadLanguage(dir.Path("utf8.ini"));
  EXPECT_EQ(fromUtf8.encoding, TextEncoding::Utf8);
  EXPECT_EQ(fromUtf8.get(LangKey::EtcCancel), utf8.substr(0, 26 * 3));
}

TEST(LanguageFile, ShiftJisAndUtf8WithAndWithoutMarkReadAlike) {
  struct Fixture {
    const char* file;
    TextEncoding encoding;
  };
  for (const Fixture& f : {Fixture{"lang/sjis.ini", TextEncoding::Cp932}, Fixture{"lang/utf8.ini", TextEncoding::Utf8},
                           Fixture{"lang/utf8_bom.ini", TextEncoding::Utf8WithBom}}) {
    SCOPED_TRACE(f.file);
    const LanguageTexts texts = loadLanguage(testing::TestDataPath(f.file));
    ASSERT_TRUE(texts.languageLoaded);
    EXPECT_EQ(texts.encoding, f.encoding);
    EXPECT_EQ(texts.get(LangKey::MenuFile), "ファイル(&F)");  // first key after the mark
    EXPECT_EQ(texts.get(LangKey::MenuOpen), "開く(&O)...\tCtrl+O");
    EXPECT_EQ(texts.get(LangKey::MenuAllImg), "一覧表");  // 表 ends in the byte of a backslash
    EXPECT_EQ(texts.get(LangKey::MenuRealSz), "表\t示");
    EXPECT_EQ(texts.get(LangKey::MenuEdit), "編集\\t(&E)");
    EXPECT_EQ(texts.get(LangKey::MenuHelp), "ヘルプ(&H)");
    EXPECT_EQ(texts.get(LangKey::OpenDlgDef), "ﾃﾞﾌｫﾙﾄ");
    EXPECT_EQ(texts.get(LangKey::ToolOpenC), "ソ\\t①ⅰ");
    EXPECT_EQ(texts.get(LangKey::EtcCPInputErr2), "アルファベット以外の文字 %c が含まれています。");
  }
}

TEST(LanguageFile, QuotedValuesLoseTheirQuotesAndKeysAreFoundByName) {
  testing::ProfileTempDir dir;
  dir.Write("veilolng.ini", "[png option dlg]\r\nmaxcol=\" Most \"\r\n");
  const LanguageTexts texts = loadLanguage(dir.Path("veilolng.ini"));
  EXPECT_EQ(texts.get(LangKey::PngDlgMaxCol), " Most ");
  EXPECT_EQ(texts.find("PNG OPTION DLG", "MaxCol"), " Most ");
  EXPECT_EQ(texts.find("tool bar", "macrorun"), "Execute of the storage mask");
  EXPECT_EQ(texts.find("TOOL BAR", "NoSuchKey"), std::nullopt);
}

TEST(LanguageFile, OverridesApplyOnlyWhenLoaded) {
  LanguageTexts texts = DefaultLanguageTexts();
  EXPECT_EQ(LanguageOverride(texts, LangKey::PropDlgTitle), std::nullopt);
  texts.languageLoaded = true;
  EXPECT_EQ(LanguageOverride(texts, LangKey::PropDlgTitle), "Property");
}

TEST(LanguageFile, LocatedInTheStartFolderFirstThenThroughPath) {
  testing::ProfileTempDir start;
  testing::ProfileTempDir other;
  EXPECT_EQ(LocateLanguageFile(start.Folder(), other.Folder()), std::nullopt);
  EXPECT_EQ(LocateLanguageFile(start.Folder(), ""), std::nullopt);

  other.Write("veilolng.ini", "");
  auto found = LocateLanguageFile(start.Folder(), other.Folder());
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->file, other.Path("veilolng.ini"));
  EXPECT_EQ(found->folder, other.Folder());

  start.Write("veilolng.ini", "");
  found = LocateLanguageFile(start.Folder(), other.Folder());
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->file, start.Path("veilolng.ini"));
}

TEST(LanguageKeys, EveryKeyOnceWithItsBuffer) {
  EXPECT_EQ(kLanguageKeyCount, 54u + 54u + 3u + 4u + 7u + 4u + 13u + 4u + 20u + 7u);
  for (size_t i = 0; i < kLanguageKeyCount; ++i) {
    const LanguageKeyInfo& a = InfoOf(static_cast<LangKey>(i));
    EXPECT_LE(std::string_view(a.defaultText).size(), a.bufferBytes - 1u) << a.key;
    for (size_t j = i + 1; j < kLanguageKeyCount; ++j) {
      const LanguageKeyInfo& b = InfoOf(static_cast<LangKey>(j));
      EXPECT_FALSE(std::string_view(a.section) == b.section && std::string_view(a.key) == b.key) << a.key;
    }
  }
  EXPECT_EQ(InfoOf(LangKey::SsHelpKey8Cmt).bufferBytes, 110);
  EXPECT_EQ(InfoOf(LangKey::SsHelpKey7Cmt).bufferBytes, 80);
}

}  // namespace
}  // namespace veilo
