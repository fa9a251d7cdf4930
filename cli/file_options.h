#pragma once
// The command-line options that stand in for the writers' option dialogs
// and the JPEG reading option.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "formats/image_dispatch.h"

namespace veilo::cli {

// One --text (a text to add or replace) or --text-delete (no text), applied in command-line order.
struct PngTextEdit {
  std::string key;
  std::optional<std::string> text;
};

struct FileOptionArgs {
  std::optional<int> quality, smoothing, gifColours, pngReduction, bmpReduction;
  bool progressive = false, noOptimize = false, sampling2x2 = false, noSmoothRead = false;
  bool interlace = false;
  std::optional<float> jp2Rate;
  std::optional<std::array<uint8_t, 3>> transparent;  // red, green, blue
  std::vector<PngTextEdit> textEdits;
};

enum class OptionParse { kNotAnOption, kTaken, kBad };

// Takes args[i] (and its value, advancing i) when it is one of the options.
// On kBad, `error` says why.
OptionParse ParseFileOption(const std::vector<std::string>& args, size_t& i, FileOptionArgs& out,
                            std::string& error);

LoadOptions MakeLoadOptions(const FileOptionArgs& args);
// The dialogs' start values for this document, changed by the options; the
// PNG text edits change the document's own list in order (a key already there
// gets the new text; a deleted key that is not there changes nothing).
SaveOptions MakeSaveOptions(const FileOptionArgs& args, ImageDoc& doc);

}  // namespace veilo::cli
