#include "shell/texts.h"

#include <gtest/gtest.h>

namespace veilo {
namespace {

LanguageTexts Loaded() {
  LanguageTexts texts = DefaultLanguageTexts();
  texts.languageLoaded = true;
  return texts;
}

TEST(Texts, JapaneseWithoutLanguageFileEnglishOrTheFilesTextWithIt) {
  const LanguageTexts none = DefaultLanguageTexts();
  LanguageTexts loaded = Loaded();
  loaded.values[static_cast<size_t>(LangKey::EtcCPInputErr1)] = "Too long";

  EXPECT_EQ(Text(TextId::NoMoreFilesInFolder, none), "このフォルダにはもうファイルがありません。");
  EXPECT_EQ(Text(TextId::NoMoreFilesInFolder, loaded), "No more files in this folder");
  EXPECT_EQ(Text(TextId::CpTooManyLetters, none), "文字数が16を越えています。");
  EXPECT_EQ(Text(TextId::CpTooManyLetters, loaded), "Too long");
  EXPECT_EQ(Text(TextId::CpNoLetters, loaded), "");  // absent from the file, no default
  EXPECT_EQ(Text(TextId::SlideNoPictures, loaded), "There is no valid graphic file.");
  EXPECT_EQ(Text(TextId::SlideHelpButton, none), "ｽﾗｲﾄﾞｼｮｳ 操作方法");
  EXPECT_EQ(Text(TextId::SlideHelpButton, loaded), "Usage Slide Show");
  EXPECT_EQ(Text(TextId::PropertyColoursOrMore, loaded), "%d colors or more");
  EXPECT_EQ(Text(TextId::BmpReduce256, none), "256色に減色");
  EXPECT_EQ(Text(TextId::BmpReduce256, loaded), "256");
}

TEST(Texts, FormatTakesOneValueAndIgnoresHostileConversions) {
  struct Case {
    const char* format;
    const char* value;
    const char* out;
  };
  const Case cases[] = {
      {"%d 色", "256", "256 色"},
      {"JPEG %d%% Read...", "40", "JPEG 40% Read..."},
      {"%s\rDo you really want to remove it ?", "C:\\a%d.bmp", "C:\\a%d.bmp\rDo you really want to remove it ?"},
      {"アルファベット以外の文字 %c が含まれています。", "#", "アルファベット以外の文字 # が含まれています。"},
      {"%5u colors", "7", "7 colors"},
      {"%s %s %n %d", "x", "x  %n "},
      {"100%", "1", "100%"},
      {"no value", "1", "no value"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatText(c.format, c.value), c.out) << c.format;
}

TEST(Texts, FileTypeListsWithoutLanguageFile) {
  const LanguageTexts none = DefaultLanguageTexts();
  const std::vector<FileFilter> open = OpenFileFilters(none);
  ASSERT_EQ(open.size(), 8u);
  EXPECT_EQ(open[0].description, "ﾃﾞﾌｫﾙﾄ(*.BMP;*.DIB;*.JPG;*.JPEG;*.JPE;*.JP2;*.JPC;*.PNG;*.GIF;*.TIF)");
  EXPECT_EQ(open[0].pattern,
            "*.BMP;*.DIB;*.JPG;*.JPEG;*.JPE;*.JFIF;*.JP2;*.JPC;*.J2K;*.J2C;*.JPF;*.JPX;*.PNG;*.GIF;*.TIF;*.TIFF");
  // Code streams and JPX files are listed for opening only: they are never written.
  EXPECT_EQ(open[3].pattern, "*.JP2;*.JPC;*.J2K;*.J2C;*.JPF;*.JPX");
  EXPECT_EQ(open[6].description, "TIF(*.TIF;*.TIFF)");
  EXPECT_EQ(open[7].description, "すべてのﾌｧｲﾙ(*.*)");
  EXPECT_EQ(open[7].pattern, "*.*");

  const std::vector<FileFilter> save = SaveFileFilters(none);
  ASSERT_EQ(save.size(), 7u);
  EXPECT_EQ(save[0].description, "ﾃﾞﾌｫﾙﾄ(*.BMP;*.DIB;*.JPG;*.JPEG;*.JP2;*.JPC;*.PNG;*.GIF)");
  EXPECT_EQ(save[0].pattern, "*.BMP;*.DIB;*.JPG;*.JPEG;*.JPE;*.JFIF;*.JP2;*.JPC;*.PNG;*.GIF");
  const char* const types[] = {"BITMAP(*.BMP;*.DIB)", "JPEG(*.JPG;*.JPEG;*.JPE)", "JPEG2000(*.JP2;*.JPC)",
                               "PNG(*.PNG)", "GIF(*.GIF)"};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(save[i + 1].description, types[i]);
    EXPECT_EQ(open[i + 1].description, types[i]);
  }
  EXPECT_EQ(save[2].pattern, "*.JPG;*.JPEG;*.JPE;*.JFIF");
  EXPECT_EQ(save[3].pattern, "*.JP2;*.JPC");
  EXPECT_EQ(save[6].description, "すべてのﾌｧｲﾙ(*.*)");
}

TEST(Texts, FileTypeListsTakeTheLanguageFilesWords) {
  LanguageTexts loaded = Loaded();
  loaded.values[static_cast<size_t>(LangKey::OpenDlgDef)] = "Default";
  loaded.values[static_cast<size_t>(LangKey::OpenDlgAll)] = "All files";
  const std::vector<FileFilter> open = OpenFileFilters(loaded);
  EXPECT_EQ(open[0].description, "Default(*.BMP;*.DIB;*.JPG;*.JPEG;*.JPE;*.JP2;*.JPC;*.PNG;*.GIF;*.TIF)");
  EXPECT_EQ(open[6].description, "TIFF(*.TIF;*.TIFF)");
  EXPECT_EQ(open[7].description, "All files(*.*)");
  EXPECT_EQ(SaveFileFilters(loaded)[6].description, "All files(*.*)");

  const std::string joined = JoinFileFilters({{"A", "*.a"}, {"B", "*.b"}});
  EXPECT_EQ(joined, std::string("A\0*.a\0B\0*.b\0\0", 13));
}

}  // namespace
}  // namespace veilo
