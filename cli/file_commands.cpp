// convert, info and next: the file side of the command-line tool.
#include <cstdio>

#include "batch_commands.h"
#include "batch_plan.h"
#include "cli_shell.h"
#include "commands.h"
#include "file_options.h"
#include "formats/folder_list.h"
#include "formats/image_files.h"
#include "picture_io.h"
#include "picture_jobs.h"
#include "platform/file_io.h"
#include "shell/property_texts.h"
#include "shell/texts.h"
#include "tools/picture_properties.h"

namespace veilo::cli {

namespace {

// One entry per output line: line breaks inside a text are shown escaped.
std::string OneLine(const std::string& text) {
  std::string line;
  for (const char c : text) {
    if (c == '\n') line += "\\n";
    else if (c == '\r') line += "\\r";
    else if (c == '\\') line += "\\\\";
    else line += c;
  }
  return line;
}

}  // namespace

int RunConvert(const std::vector<std::string>& args) {
  if (IsBatchForm(args)) return RunConvertBatch(args);
  FileOptionArgs fileOptions;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string error;
    const OptionParse option = ParseFileOption(args, i, fileOptions, error);
    if (option == OptionParse::kBad) return UsageError(error);
    if (option == OptionParse::kNotAnOption) {
      if (args[i].size() > 1 && args[i][0] == '-') return UsageError("unknown option '" + args[i] + "'");
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) return UsageError("convert needs IN and OUT");

  CliShell shell;
  return ConvertFile(shell, positional[0], positional[1], fileOptions) ? kExitOk : kExitFailed;
}

int RunInfo(const std::vector<std::string>& args) {
  if (args.size() != 1) return UsageError("info needs FILE");
  CliShell shell;
  ImageDoc doc;
  LoadOptions load;
  load.englishMessages = true;
  if (!LoadPicture(shell, args[0], doc, load)) return kExitFailed;
  // What the properties dialog shows once its exact count has run, in its English texts.
  const ColourCountDisplay colours = CountColoursExactly(shell, DocPixels(doc));
  if (colours.form == ColourCountForm::kNotCounted) {
    std::fprintf(stderr, "veilo-cli: not enough memory to count the colours\n");
    return kExitFailed;
  }
  LanguageTexts english = DefaultLanguageTexts();
  english.languageLoaded = true;
  std::printf("%s\n", ResolveLongPath(args[0]).value_or(args[0]).c_str());
  std::printf("%s\n", PictureSizeText(doc.width, doc.height).c_str());
  std::printf("%s\n", ColourCountText(colours, english).c_str());
  for (const PngTextEntry& entry : doc.pngTextList)
    std::printf("text %s=%s\n", OneLine(entry.key).c_str(), OneLine(entry.text).c_str());
  for (int slot = 0; slot < kCpSlotCount; ++slot)
    if (doc.cpCodes[slot][0] != '\0') std::printf("cp%d %s\n", slot + 1, doc.cpCodes[slot].data());
  return kExitOk;
}

int RunNext(const std::vector<std::string>& args) {
  bool back = false;
  std::vector<std::string> positional;
  for (const std::string& a : args) {
    if (a == "--back") back = true;
    else if (a.size() > 1 && a[0] == '-') return UsageError("unknown option '" + a + "'");
    else positional.push_back(a);
  }
  if (positional.size() != 1) return UsageError("next needs FILE");
  // A name without a folder still has one: the current folder.
  const std::optional<std::string> full = ResolveLongPath(positional[0]);
  if (!full) {
    std::fprintf(stderr, "veilo-cli: cannot open %s\n", positional[0].c_str());
    return kExitFailed;
  }
  const std::optional<std::string> next = NextFileInFolder(*full, back);
  if (!next) {
    LanguageTexts english;
    english.languageLoaded = true;
    std::fprintf(stderr, "veilo-cli: %s\n", std::string(Text(TextId::NoMoreFilesInFolder, english)).c_str());
    return kExitFailed;
  }
  std::printf("%s\n", next->c_str());
  return kExitOk;
}

}  // namespace veilo::cli
