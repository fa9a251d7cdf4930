#include "shell/settings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "formats/jp2_options.h"
#include "platform/file_io.h"
#include "shell/profile_file.h"

namespace veilo {

namespace {

// Buffer sizes of the values as read (the value keeps one byte less).
constexpr size_t kValueBytes = 80;
constexpr size_t kDirBytes = 256;
constexpr size_t kPathBytes = 260;
// The screen saver's folder is typed into a field of 259 characters, which take up to four bytes
// each in UTF-8; it is read whole and cut to that many characters, never inside one.
constexpr size_t kSlideFolderChars = 259;
constexpr size_t kSlideFolderBytes = kSlideFolderChars * 4 + 1;

// The first `maxUnits` UTF-16 units of UTF-8 text, cut between characters (a character beyond
// the Basic Multilingual Plane takes two units).
std::string CutToCharacters(std::string_view utf8, size_t maxUnits) {
  size_t units = 0, at = 0;
  while (at < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const size_t bytes = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    const size_t width = bytes == 4 ? 2 : 1;
    if (units + width > maxUnits) break;
    units += width;
    at = std::min(utf8.size(), at + bytes);
  }
  return std::string(utf8.substr(0, at));
}

// Reads the numbers of a "%d %d ..." value the way sscanf does: blanks are
// skipped, each number is an optional sign and digits, and scanning stops at
// the first thing that is not a number. Numbers written with "%u" that exceed
// the signed range wrap around to their 32-bit signed value, so a negative
// window position saved as an unsigned number comes back as itself.
class NumberScanner {
 public:
  explicit NumberScanner(std::string_view text) : text_(text) {}

  std::optional<int32_t> NextInt() {
    SkipBlanks();
    size_t i = pos_;
    bool negative = false;
    if (i < text_.size() && (text_[i] == '+' || text_[i] == '-')) negative = text_[i++] == '-';
    if (i >= text_.size() || !IsDigit(text_[i])) return Fail();
    constexpr uint64_t kCap = uint64_t{1} << 33;
    uint64_t magnitude = 0;
    while (i < text_.size() && IsDigit(text_[i])) {
      magnitude = std::min(kCap, magnitude * 10 + static_cast<uint64_t>(text_[i] - '0'));
      ++i;
    }
    pos_ = i;
    if (negative) {
      if (magnitude >= uint64_t{1} << 31) return INT32_MIN;
      return static_cast<int32_t>(-static_cast<int64_t>(magnitude));
    }
    if (magnitude > UINT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(static_cast<uint32_t>(magnitude));
  }

  std::optional<float> NextFloat() {
    SkipBlanks();
    if (failed_ || pos_ >= text_.size()) return Fail<float>();
    const std::string rest(text_.substr(pos_));
    char* end = nullptr;
    const double value = std::strtod(rest.c_str(), &end);
    if (end == rest.c_str()) return Fail<float>();
    pos_ += static_cast<size_t>(end - rest.c_str());
    // Not a usable float (nan, inf, 1e300): the field keeps its value.
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(value);
  }

 private:
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  void SkipBlanks() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }

  template <typename T = int32_t>
  std::optional<T> Fail() {
    failed_ = true;
    pos_ = text_.size();
    return std::nullopt;
  }

  std::string_view text_;
  size_t pos_ = 0;
  bool failed_ = false;
};

// The leading numbers of `text`, at most maxCount of them.
std::vector<int32_t> ScanNumbers(std::string_view text, size_t maxCount) {
  std::vector<int32_t> numbers;
  NumberScanner scanner(text);
  while (numbers.size() < maxCount) {
    const std::optional<int32_t> n = scanner.NextInt();
    if (!n) break;
    numbers.push_back(*n);
  }
  return numbers;
}

int32_t NormalisedUnit(int32_t unit) { return (unit == 1 || unit == 8 || unit == 16) ? unit : 8; }

// Values outside the ranges the dialogs allow would make the masks and the
// area grid divide by zero or loop without end; a hand-edited or damaged file
// must not do that.
void KeepInRange(AppOptions& o) {
  o.areaStartUnit = NormalisedUnit(o.areaStartUnit);
  o.areaSizeUnit = NormalisedUnit(o.areaSizeUnit);
  o.mask.glassBoxSize = std::clamp(o.mask.glassBoxSize, 2, 999);
  o.jpegQuality = std::clamp(o.jpegQuality, 0, 100);
  o.jpegSmoothing = std::clamp(o.jpegSmoothing, 1, 100);
  if (o.mask.rgbExchangeMode > 3) o.mask.rgbExchangeMode = 0;
}

std::string JoinNumbers(std::initializer_list<int64_t> numbers) {
  std::string text;
  for (const int64_t n : numbers) {
    if (!text.empty()) text += ' ';
    text += std::to_string(n);
  }
  return text;
}

int32_t Flag(bool on) { return on ? 1 : 0; }
int32_t Flag(int32_t value) { return value != 0 ? 1 : 0; }

void ReadOptions(const ProfileText& file, AppOptions& o) {
  // The numbers of a key (none when the key is absent).
  const auto numbers = [&](const char* key, size_t count) {
    if (!FindProfileValue(file, kSettingsSection, key)) return std::vector<int32_t>();
    return ScanNumbers(GetProfileString(file, kSettingsSection, key, "", kValueBytes), count);
  };
  const auto assign = [](const std::vector<int32_t>& values, std::initializer_list<int32_t*> fields) {
    size_t i = 0;
    for (int32_t* field : fields) {
      if (i < values.size()) *field = values[i++];
    }
  };
  const auto text = [&](const char* key, size_t bufferBytes, std::string& field) {
    if (FindProfileValue(file, kSettingsSection, key)) {
      field = GetProfileString(file, kSettingsSection, key, "", bufferBytes);
    }
  };

  assign(numbers("Window Dimensions", 4), {&o.frameLeft, &o.frameWidth, &o.frameTop, &o.frameHeight});
  assign(numbers("Zoomed", 1), {&o.frameMaximized});
  assign(numbers("ViewWin", 4), {&o.quickZoomX, &o.quickZoomY, &o.quickZoomWidth, &o.quickZoomHeight});
  assign(numbers("AreaUnit", 2), {&o.areaStartUnit, &o.areaSizeUnit});
  assign(numbers("FLMaskFlg", 1), {&o.mask.flInvert});
  assign(numbers("GRSBoxSZ", 1), {&o.mask.glassBoxSize});

  const std::vector<int32_t> jpeg = numbers("JpegOption", 7);
  assign(jpeg, {&o.jpegQuality, &o.jpegSmoothing});
  bool* const jpegFlags[] = {&o.jpegSmoothingOn, &o.jpegNoSmoothRead, &o.jpegProgressive, &o.jpegOptimize,
                             &o.jpegSampling1x1};
  for (size_t i = 2; i < jpeg.size(); ++i) *jpegFlags[i - 2] = jpeg[i] != 0;

  text("Path", kPathBytes, o.languagePath);
  text("SaveDir", kDirBytes, o.saveDir);
  text("LoadDir", kDirBytes, o.loadDir);

  if (const auto preview = numbers("preView", 1); !preview.empty()) o.openPreview = preview[0] != 0;

  const std::vector<int32_t> q0 = numbers("Q0Option", 6);
  int32_t* const q0Flags[] = {&o.mask.q0VerticalGlass, &o.mask.q0HorizontalGlass, &o.mask.q0NegPos,
                              &o.mask.q0LeftRight, &o.mask.q0UpDown, &o.mask.q0Xor};
  for (size_t i = 0; i < q0.size(); ++i) *q0Flags[i] = Flag(q0[i]);

  const std::vector<int32_t> rgb = numbers("RGBOption", 3);
  uint8_t* const rgbFields[] = {&o.mask.rgbNegChannels, &o.mask.rgbXorChannels, &o.mask.rgbExchangeMode};
  for (size_t i = 0; i < rgb.size(); ++i) *rgbFields[i] = static_cast<uint8_t>(static_cast<uint32_t>(rgb[i]) & 0xFFu);

  if (FindProfileValue(file, kSettingsSection, "JP2")) {
    const std::string jp2 = GetProfileString(file, kSettingsSection, "JP2", "", kValueBytes);
    NumberScanner scanner(jp2);
    if (const auto lossless = scanner.NextInt()) {
      o.jp2Lossless = *lossless != 0;
      if (const auto rate = scanner.NextFloat()) o.jp2Rate = *rate;
    }
  }
}

}  // namespace

void CopyJpegOptions(const AppOptions& from, AppOptions& to) {
  to.jpegQuality = from.jpegQuality;
  to.jpegSmoothing = from.jpegSmoothing;
  to.jpegSmoothingOn = from.jpegSmoothingOn;
  to.jpegNoSmoothRead = from.jpegNoSmoothRead;
  to.jpegProgressive = from.jpegProgressive;
  to.jpegOptimize = from.jpegOptimize;
  to.jpegSampling1x1 = from.jpegSampling1x1;
}

void ResetJpegOptions(AppOptions& options) { CopyJpegOptions(AppOptions{}, options); }

LoadedSettings loadSettings(const std::string& settingsFile, const std::string& winIniFile) {
  LoadedSettings loaded;
  const std::string& source =
      (FileExists(settingsFile) && !IsDirectory(settingsFile)) ? settingsFile : winIniFile;
  const std::optional<ProfileText> file = ReadProfileFile(source);
  if (file && FileExists(source)) {
    loaded.readFrom = source;
    ReadOptions(*file, loaded.options);
  }
  KeepInRange(loaded.options);
  return loaded;
}

bool saveSettings(const std::string& settingsFile, const AppOptions& o, const FrameState& frame,
                  const std::optional<std::string>& languageFolder) {
  std::vector<std::pair<std::string, std::string>> values;
  if (!frame.minimized && !frame.maximized) {
    // Written unsigned ("%u"), as the file has always held them; the
    // arithmetic wraps like the 32-bit values it stands for.
    const auto u = [](int32_t v) { return static_cast<uint32_t>(v); };
    values.emplace_back("Window Dimensions",
                        JoinNumbers({u(frame.left), u(frame.right) - u(frame.left), u(frame.top),
                                     u(frame.bottom) - u(frame.top)}));
  }
  values.emplace_back("Zoomed", JoinNumbers({Flag(frame.maximized)}));
  values.emplace_back("ViewWin", JoinNumbers({o.quickZoomX, o.quickZoomY, o.quickZoomWidth, o.quickZoomHeight}));
  values.emplace_back("AreaUnit", JoinNumbers({o.areaStartUnit, o.areaSizeUnit}));
  values.emplace_back("FLMaskFlg", JoinNumbers({o.mask.flInvert}));
  values.emplace_back("GRSBoxSZ", JoinNumbers({o.mask.glassBoxSize}));
  values.emplace_back("JpegOption", JoinNumbers({o.jpegQuality, o.jpegSmoothing, Flag(o.jpegSmoothingOn),
                                                 Flag(o.jpegNoSmoothRead), Flag(o.jpegProgressive),
                                                 Flag(o.jpegOptimize), Flag(o.jpegSampling1x1)}));
  values.emplace_back("SaveDir", o.saveDir);
  values.emplace_back("LoadDir", o.loadDir);
  values.emplace_back("preView", JoinNumbers({Flag(o.openPreview)}));
  values.emplace_back("Q0Option", JoinNumbers({Flag(o.mask.q0VerticalGlass), Flag(o.mask.q0HorizontalGlass),
                                               Flag(o.mask.q0NegPos), Flag(o.mask.q0LeftRight),
                                               Flag(o.mask.q0UpDown), Flag(o.mask.q0Xor)}));
  values.emplace_back("RGBOption", JoinNumbers({o.mask.rgbNegChannels, o.mask.rgbXorChannels,
                                                o.mask.rgbExchangeMode}));
  if (languageFolder) values.emplace_back("Path", *languageFolder);
  values.emplace_back("JP2", JoinNumbers({Flag(o.jp2Lossless)}) + " " + Jp2RateText(o.jp2Rate));
  return WriteProfileValues(settingsFile, kSettingsSection, values);
}

void loadSlideSettings(const std::string& winIniFile, AppOptions& options) {
  const std::optional<ProfileText> file = ReadProfileFile(winIniFile);
  const ProfileText empty;
  const ProfileText& profile = file ? *file : empty;
  options.slideFolder = CutToCharacters(
      GetProfileString(profile, kSettingsSection, "SLD_PATH", "", kSlideFolderBytes), kSlideFolderChars);
  const std::string seconds = GetProfileString(profile, kSettingsSection, "SLD_TM", "", kValueBytes);
  // Converted like atoi: text that is not a number gives 0.
  if (!seconds.empty()) options.slideSeconds = NumberScanner(seconds).NextInt().value_or(0);
}

bool saveSlideSettings(const std::string& winIniFile, const AppOptions& options) {
  return WriteProfileValues(winIniFile, kSettingsSection,
                            {{"SLD_PATH", options.slideFolder}, {"SLD_TM", JoinNumbers({options.slideSeconds})}});
}

}  // namespace veilo
