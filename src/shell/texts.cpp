#include "shell/texts.h"

#include <array>
#include <optional>

namespace veilo {

namespace {

struct TextEntry {
  TextId id;
  const char* japanese;
  const char* english;           // used when no language key is given
  std::optional<LangKey> key;    // the language file's text replaces the English
};

constexpr TextEntry Fixed(TextId id, const char* japanese, const char* english) {
  return {id, japanese, english, std::nullopt};
}

constexpr TextEntry Keyed(TextId id, const char* japanese, LangKey key) { return {id, japanese, "", key}; }

constexpr std::array kTexts = {
    Fixed(TextId::AskSaveChangedFile, "このファイルは変更されています\r同じファイルに上書き保管しますか？",
          "This file has been changed\rDo you wish to save it?"),
    Fixed(TextId::NoMoreFilesInFolder, "このフォルダにはもうファイルがありません。", "No more files in this folder"),
    Fixed(TextId::AskDeleteFile, "%s\rこのファイルを削除しても良いですか?", "%s\rDo you really want to remove it ?"),
    Fixed(TextId::TooManyDocuments, "これ以上画像を開くことはできません。画像を閉じてから開いてください。",
          "No more pictures can be opened. Close a picture first."),

    Keyed(TextId::CpTooManyLetters, "文字数が16を越えています。", LangKey::EtcCPInputErr1),
    Keyed(TextId::CpNotALetter, "アルファベット以外の文字 %c が含まれています。", LangKey::EtcCPInputErr2),
    Keyed(TextId::CpNoLetters, "コードパターンを入力してください。", LangKey::EtcCPInputErr3),
    Keyed(TextId::SlideFolderTitle, "スライドショウをするフォルダの選択", LangKey::SsHelpSelFolder),
    Keyed(TextId::SlideNoPictures, "有効な画像データがありません。", LangKey::SsHelpErrMsg),
    Keyed(TextId::SlideSubfolders, "ｻﾌﾞﾌｫﾙﾀﾞ有効", LangKey::SsHelpChkSubFolder),
    Keyed(TextId::SlideHelpButton, "ｽﾗｲﾄﾞｼｮｳ 操作方法", LangKey::SsHelpTitle),
    Fixed(TextId::SlideOptionsTitle, "スライドショウ オプション", "Slide Show Option"),
    Fixed(TextId::SlideIntervalLabel, "表示間隔 (ミリ秒)", "Interval (ms)"),
    Keyed(TextId::SpoitTitle, "スポイトで色を選択", LangKey::PngDlgTitleSP),
    Keyed(TextId::PropertyTitle, "画像のプロパティ", LangKey::PropDlgTitle),
    Keyed(TextId::PropertyColours, "%d 色", LangKey::PropDlgColors),
    Keyed(TextId::PropertyColoursOrMore, "%d 色以上", LangKey::PropDlgColorsMore),
    Keyed(TextId::PropertyExactColours, "%u 色", LangKey::PropDlgColors),
    Keyed(TextId::PropertyExactButton, "正確な色数取得", LangKey::PropDlgGetColorBtn),
    Keyed(TextId::OpenPreview, "プレビュー", LangKey::OpenDlgPreV),
    Keyed(TextId::AreaStartUnit, "範囲指定開始単位", LangKey::AreaDlgStart),
    Keyed(TextId::AreaSizeUnit, "範囲サイズの単位", LangKey::AreaDlgSize),
    Keyed(TextId::AreaFlInvert, "FLﾏｽｸ 色反転有り", LangKey::AreaDlgFLChk),
    Keyed(TextId::AreaGlassBox, "ガラス処理Box単位", LangKey::AreaDlgGlass),
    Keyed(TextId::Q0Title, "Q0 Mask Option", LangKey::Q0DlgTitle),
    Keyed(TextId::Q0VerticalGlass, "縦ガラス処理(&V)", LangKey::Q0DlgQvg),
    Keyed(TextId::Q0HorizontalGlass, "横ガラス処理(&H)", LangKey::Q0DlgQhg),
    Keyed(TextId::Q0NegPos, "ネガポジ反転(&R)", LangKey::Q0DlgQcr),
    Keyed(TextId::Q0UpDown, "上下の入替え(&T)", LangKey::Q0DlgQtb),
    Keyed(TextId::Q0LeftRight, "左右の入替え(&L)", LangKey::Q0DlgQrl),
    Keyed(TextId::Q0Xor, "XOR 0x80 処理(&X)", LangKey::Q0DlgQxor),
    Keyed(TextId::RgbTitle, "RGB Option", LangKey::RgbDlgTitle),
    Keyed(TextId::RgbNegPos, "ネガポジ反転", LangKey::RgbDlgRevCol),
    Keyed(TextId::RgbXor, "XOR 0x80", LangKey::RgbDlgXor),
    Keyed(TextId::RgbExchange, "RGB 入替え", LangKey::RgbDlgRGB),
    Keyed(TextId::GifMaxColours, "最大色数", LangKey::PngDlgMaxCol),
    Keyed(TextId::GifColours8, "８色", LangKey::PngDlg8),
    Keyed(TextId::GifColours16, "１６色", LangKey::PngDlg16),
    Keyed(TextId::GifColours32, "３２色", LangKey::PngDlg32),
    Keyed(TextId::GifColours64, "６４色", LangKey::PngDlg64),
    Keyed(TextId::GifColours128, "１２８色", LangKey::PngDlg128),
    Keyed(TextId::GifColours256, "２５６色", LangKey::PngDlg256),
    Keyed(TextId::GifTransparent, "透過色の使用", LangKey::PngDlgTrans),
    Keyed(TextId::GifTransparentColour, "透過色", LangKey::PngDlgTransCol),
    Keyed(TextId::GifInterlace, "インターレース", LangKey::PngDlgInterlace),
    Fixed(TextId::GifOptionsTitle, "Gif 書き込みオプション", "GIF Write Option"),
    Fixed(TextId::PngOptionsTitle, "PNG 書き込みオプション", "PNG Write Option"),
    Keyed(TextId::BmpReduction, "減色", LangKey::PngDlgReduction),
    Keyed(TextId::BmpNoReduction, "減色しない", LangKey::PngDlgNoReduce),
    Keyed(TextId::BmpReduce256, "256色に減色", LangKey::PngDlg256),
    Keyed(TextId::BmpReduce16, "16色に減色", LangKey::PngDlg16),
    Fixed(TextId::PngTextGroup, "テキスト", "Text"),
    Fixed(TextId::PngKeyLabel, "キー", "Key"),
    Fixed(TextId::PngNewKeyLabel, "新しいキー", "New key"),
    Keyed(TextId::ButtonDelete, "削除", LangKey::EtcDelete),
    Keyed(TextId::ButtonAdd, "追加", LangKey::EtcAdd),
    Keyed(TextId::ButtonOk, "OK", LangKey::EtcOK),
    Keyed(TextId::ButtonCancel, "ｷｬﾝｾﾙ", LangKey::EtcCancel),
};

constexpr bool EntriesInEnumOrder() {
  for (size_t i = 0; i < kTexts.size(); ++i) {
    if (static_cast<size_t>(kTexts[i].id) != i) return false;
  }
  return kTexts.size() == kTextIdCount;
}
static_assert(EntriesInEnumOrder(), "one entry per TextId, in enum order");

bool IsFlagOrWidth(char c) {
  return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0' || (c >= '1' && c <= '9') || c == '.';
}
bool IsLengthModifier(char c) { return c == 'h' || c == 'l' || c == 'L' || c == 'j' || c == 'z' || c == 't'; }
bool IsConversion(char c) { return std::string_view("diucsxXoeEfgGp").find(c) != std::string_view::npos; }

// The default entry names the set of formats each dialog can read. Opening
// also lists JPEG 2000 code streams and JPX files under their other names,
// which are read but never written.
constexpr const char* kOpenDefaultTypes = "(*.BMP;*.DIB;*.JPG;*.JPEG;*.JPE;*.JP2;*.JPC;*.PNG;*.GIF;*.TIF)";
constexpr const char* kOpenDefaultPattern =
    "*.BMP;*.DIB;*.JPG;*.JPEG;*.JPE;*.JFIF;*.JP2;*.JPC;*.J2K;*.J2C;*.JPF;*.JPX;*.PNG;*.GIF;*.TIF;*.TIFF";
constexpr const char* kOpenJpeg2000Pattern = "*.JP2;*.JPC;*.J2K;*.J2C;*.JPF;*.JPX";
constexpr const char* kSaveDefaultTypes = "(*.BMP;*.DIB;*.JPG;*.JPEG;*.JP2;*.JPC;*.PNG;*.GIF)";
constexpr const char* kSaveDefaultPattern = "*.BMP;*.DIB;*.JPG;*.JPEG;*.JPE;*.JFIF;*.JP2;*.JPC;*.PNG;*.GIF";

std::string DefaultWord(const LanguageTexts& language) {
  return language.languageLoaded ? std::string(language.get(LangKey::OpenDlgDef)) : std::string("ﾃﾞﾌｫﾙﾄ");
}

FileFilter AllFiles(const LanguageTexts& language) {
  const std::string word =
      language.languageLoaded ? std::string(language.get(LangKey::OpenDlgAll)) : std::string("すべてのﾌｧｲﾙ");
  return {word + "(*.*)", "*.*"};
}

}  // namespace

std::string_view Text(TextId id, const LanguageTexts& language) {
  const TextEntry& entry = kTexts[static_cast<size_t>(id)];
  if (!language.languageLoaded) return entry.japanese;
  if (entry.key) return language.get(*entry.key);
  return entry.english;
}

std::string FormatText(std::string_view format, std::string_view value) {
  std::string out;
  bool used = false;
  for (size_t i = 0; i < format.size();) {
    if (format[i] != '%') {
      out += format[i++];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    size_t j = i + 1;
    while (j < format.size() && IsFlagOrWidth(format[j])) ++j;
    while (j < format.size() && IsLengthModifier(format[j])) ++j;
    if (j < format.size() && IsConversion(format[j])) {
      if (!used) out += value;
      used = true;
      i = j + 1;
    } else {
      out += format[i++];  // not a conversion: the percent sign stays as text
    }
  }
  return out;
}

std::vector<FileFilter> OpenFileFilters(const LanguageTexts& language) {
  return {
      {DefaultWord(language) + kOpenDefaultTypes, kOpenDefaultPattern},
      {"BITMAP(*.BMP;*.DIB)", "*.BMP;*.DIB"},
      {"JPEG(*.JPG;*.JPEG;*.JPE)", "*.JPG;*.JPEG;*.JPE;*.JFIF"},
      {"JPEG2000(*.JP2;*.JPC)", kOpenJpeg2000Pattern},
      {"PNG(*.PNG)", "*.PNG"},
      {"GIF(*.GIF)", "*.GIF"},
      {language.languageLoaded ? "TIFF(*.TIF;*.TIFF)" : "TIF(*.TIF;*.TIFF)", "*.TIF;*.TIFF"},
      AllFiles(language),
  };
}

std::vector<FileFilter> SaveFileFilters(const LanguageTexts& language) {
  return {
      {DefaultWord(language) + kSaveDefaultTypes, kSaveDefaultPattern},
      {"BITMAP(*.BMP;*.DIB)", "*.BMP;*.DIB"},
      {"JPEG(*.JPG;*.JPEG;*.JPE)", "*.JPG;*.JPEG;*.JPE;*.JFIF"},
      {"JPEG2000(*.JP2;*.JPC)", "*.JP2;*.JPC"},
      {"PNG(*.PNG)", "*.PNG"},
      {"GIF(*.GIF)", "*.GIF"},
      AllFiles(language),
  };
}

std::string JoinFileFilters(const std::vector<FileFilter>& filters) {
  std::string joined;
  for (const FileFilter& filter : filters) {
    joined += filter.description;
    joined += '\0';
    joined += filter.pattern;
    joined += '\0';
  }
  joined += '\0';
  return joined;
}

}  // namespace veilo
