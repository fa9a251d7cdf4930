#pragma once
// The texts that exist in two languages, in one place: the built-in messages
// with an English form, the dialog texts that the language file replaces, and
// the file-type lists of the open and save dialogs. Without a language file
// the Japanese text is used; with one, the English text or the file's own.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/language_file.h"

namespace veilo {

enum class TextId : uint16_t {
  // Messages with a fixed English form.
  AskSaveChangedFile,   // next/previous picture of a changed document (Yes/No/Cancel)
  NoMoreFilesInFolder,  // next/previous picture at the end of the folder
  AskDeleteFile,        // "%s": the path
  TooManyDocuments,     // a document beyond the most that can be open

  // Texts whose English form comes from the language file.
  CpTooManyLetters,  // CP code longer than 16 letters
  CpNotALetter,      // "%c": the offending character
  CpNoLetters,       // empty CP code
  SlideFolderTitle,  // folder chooser of the slide show
  SlideNoPictures,
  SlideSubfolders,   // check box of the folder chooser's panel
  SlideHelpButton,   // button of the folder chooser's panel
  SlideOptionsTitle,   // WAIT_DLG's caption
  SlideIntervalLabel,  // WAIT_DLG's label of the interval field
  SpoitTitle,        // colour picker caption
  PropertyTitle,
  PropertyColours,        // "%d": fewer than 257 colours
  PropertyColoursOrMore,  // "%d": the count stopped at its limit
  PropertyExactColours,   // "%u": the exact count
  PropertyExactButton,
  OpenPreview,  // open dialog's preview check box
  AreaStartUnit,
  AreaSizeUnit,
  AreaFlInvert,
  AreaGlassBox,
  Q0Title,
  Q0VerticalGlass,
  Q0HorizontalGlass,
  Q0NegPos,
  Q0UpDown,
  Q0LeftRight,
  Q0Xor,
  RgbTitle,
  RgbNegPos,
  RgbXor,
  RgbExchange,
  GifMaxColours,
  GifColours8,
  GifColours16,
  GifColours32,
  GifColours64,
  GifColours128,
  GifColours256,
  GifTransparent,
  GifTransparentColour,
  GifInterlace,
  GifOptionsTitle,  // the captions of the GIF and PNG option dialogs
  PngOptionsTitle,
  BmpReduction,
  BmpNoReduction,
  BmpReduce256,
  BmpReduce16,
  PngTextGroup,  // the text entries' group of the PNG options dialog, and its two labels
  PngKeyLabel,
  PngNewKeyLabel,
  ButtonDelete,
  ButtonAdd,
  ButtonOk,
  ButtonCancel,
};
inline constexpr size_t kTextIdCount = static_cast<size_t>(TextId::ButtonCancel) + 1;

// The text for the current language; it lives as long as `language`.
std::string_view Text(TextId id, const LanguageTexts& language);

// Formats a message that holds one value: the first conversion ("%d", "%u",
// "%c", "%s", with any flags or width) becomes `value`, "%%" becomes "%", and
// further conversions are dropped. Safe for formats taken from the language
// file, which printf itself is not.
std::string FormatText(std::string_view format, std::string_view value);

struct FileFilter {
  std::string description;
  std::string pattern;
};

std::vector<FileFilter> OpenFileFilters(const LanguageTexts& language);
std::vector<FileFilter> SaveFileFilters(const LanguageTexts& language);
// "description\0pattern\0...\0": the form the file dialogs take.
std::string JoinFileFilters(const std::vector<FileFilter>& filters);

}  // namespace veilo
