#include "file_options.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "formats/png_text_list.h"

namespace veilo::cli {

namespace {

std::optional<int> ParseInt(const std::string& s, int low, int high) {
  int v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size() || v < low || v > high) return std::nullopt;
  return v;
}

bool OneOf(int v, std::initializer_list<int> allowed) {
  for (int a : allowed)
    if (v == a) return true;
  return false;
}

std::optional<std::array<uint8_t, 3>> ParseColour(const std::string& s) {
  if (s.size() != 6) return std::nullopt;
  std::array<uint8_t, 3> rgb{};
  for (size_t c = 0; c < 3; ++c) {
    unsigned v = 0;
    const auto [end, ec] = std::from_chars(s.data() + 2 * c, s.data() + 2 * c + 2, v, 16);
    if (ec != std::errc() || end != s.data() + 2 * c + 2) return std::nullopt;
    rgb[c] = static_cast<uint8_t>(v);
  }
  return rgb;
}

}  // namespace

OptionParse ParseFileOption(const std::vector<std::string>& args, size_t& i, FileOptionArgs& out,
                            std::string& error) {
  const std::string& a = args[i];
  if (a == "--progressive") return out.progressive = true, OptionParse::kTaken;
  if (a == "--no-optimize") return out.noOptimize = true, OptionParse::kTaken;
  if (a == "--sampling-2x2") return out.sampling2x2 = true, OptionParse::kTaken;
  if (a == "--no-smooth-read") return out.noSmoothRead = true, OptionParse::kTaken;
  if (a == "--interlace") return out.interlace = true, OptionParse::kTaken;

  static const char* const kValued[] = {"--quality",    "--smoothing", "--colors",      "--reduce",
                                        "--text",       "--bmp-reduce", "--jp2-rate",   "--transparent",
                                        "--text-delete"};
  bool valued = false;
  for (const char* name : kValued) valued = valued || a == name;
  if (!valued) return OptionParse::kNotAnOption;
  if (i + 1 >= args.size()) {
    error = a + " needs a value";
    return OptionParse::kBad;
  }
  const std::string& v = args[++i];
  auto bad = [&](const char* why) {
    error = a + " " + why;
    return OptionParse::kBad;
  };
  if (a == "--quality") {
    out.quality = ParseInt(v, 0, 100);
    return out.quality ? OptionParse::kTaken : bad("needs a number 0..100");
  }
  if (a == "--smoothing") {
    out.smoothing = ParseInt(v, 1, 100);
    return out.smoothing ? OptionParse::kTaken : bad("needs a number 1..100");
  }
  if (a == "--colors") {
    out.gifColours = ParseInt(v, 8, 256);
    if (!out.gifColours || !OneOf(*out.gifColours, {8, 16, 32, 64, 128, 256}))
      return bad("needs 8, 16, 32, 64, 128 or 256");
    return OptionParse::kTaken;
  }
  if (a == "--reduce") {
    out.pngReduction = ParseInt(v, 0, 256);
    if (!out.pngReduction || !OneOf(*out.pngReduction, {0, 16, 32, 64, 128, 256}))
      return bad("needs 0, 16, 32, 64, 128 or 256");
    return OptionParse::kTaken;
  }
  if (a == "--bmp-reduce") {
    out.bmpReduction = ParseInt(v, 0, 256);
    if (!out.bmpReduction || !IsBmpReduction(*out.bmpReduction)) return bad("needs 0, 16 or 256");
    return OptionParse::kTaken;
  }
  if (a == "--jp2-rate") {
    char* end = nullptr;
    const float rate = std::strtof(v.c_str(), &end);
    if (v.empty() || *end != '\0' || !(rate > 0.0f && rate < 1.0f)) return bad("needs a rate between 0 and 1");
    out.jp2Rate = rate;
    return OptionParse::kTaken;
  }
  if (a == "--transparent") {
    out.transparent = ParseColour(v);
    return out.transparent ? OptionParse::kTaken : bad("needs a colour RRGGBB in hexadecimal");
  }
  if (a == "--text-delete") {
    if (v.empty()) return bad("needs a key");
    if (v.size() > kPngKeyMaxLength) return bad("key is longer than 79 characters");
    out.textEdits.push_back({v, std::nullopt});
    return OptionParse::kTaken;
  }
  // --text KEY=TEXT
  const size_t eq = v.find('=');
  if (eq == std::string::npos || eq == 0) return bad("needs KEY=TEXT with a key");
  if (eq > kPngKeyMaxLength) return bad("key is longer than 79 characters");
  out.textEdits.push_back({v.substr(0, eq), v.substr(eq + 1)});
  return OptionParse::kTaken;
}

LoadOptions MakeLoadOptions(const FileOptionArgs& args) {
  LoadOptions o;
  o.noSmoothRead = args.noSmoothRead;
  o.englishMessages = true;
  return o;
}

SaveOptions MakeSaveOptions(const FileOptionArgs& args, ImageDoc& doc) {
  SaveOptions o = StartingSaveOptions(doc);
  o.englishMessages = true;
  if (args.quality) o.jpeg.quality = *args.quality;
  if (args.smoothing) {
    o.jpeg.smoothing = *args.smoothing;
    o.jpeg.smoothingOn = true;
  }
  o.jpeg.progressive = args.progressive;
  o.jpeg.optimize = !args.noOptimize;
  o.jpeg.sampling1x1 = !args.sampling2x2;
  if (args.gifColours) o.gif.maxColours = *args.gifColours;
  o.gif.interlace = o.png.interlace = args.interlace;
  if (args.pngReduction) o.png.reduction = *args.pngReduction;
  if (args.bmpReduction) o.bmpReduction = *args.bmpReduction;
  if (args.jp2Rate) {
    o.jp2.lossless = false;
    o.jp2.rate = *args.jp2Rate;
  }
  if (args.transparent) {
    o.gif.transparent = o.png.transparent = true;
    o.gif.transparentColour = o.png.transparentColour = *args.transparent;
  }
  for (const PngTextEdit& edit : args.textEdits) {
    PngTextList& list = doc.pngTextList;
    const auto own =
        std::find_if(list.begin(), list.end(), [&](const PngTextEntry& e) { return e.key == edit.key; });
    if (!edit.text) {
      if (own != list.end()) RemovePngText(list, static_cast<size_t>(own - list.begin()));
    } else if (own != list.end()) {
      own->text = *edit.text;
    } else {
      AppendPngText(list, edit.key, *edit.text);
    }
  }
  return o;
}

}  // namespace veilo::cli
