#pragma once
// Choices of the JPEG 2000 writer (the options dialog's fields) and the rules
// of that dialog.
#include <optional>
#include <string>
#include <string_view>

namespace veilo {

struct Jp2WriteOptions {
  bool lossless = true;  // reversible coding, no rate
  // Target size as a fraction of the uncompressed picture; used when not
  // lossless, and valid only strictly between 0 and 1.
  float rate = 0.1f;
};

inline bool IsValidJp2Rate(float rate) { return rate > 0.0f && rate < 1.0f; }

// Shown (owned by the dialog) when OK is pressed with a rate out of range.
inline constexpr char kJp2RateErrorText[] = "error: rate";

// The rate typed into the dialog's field, read as atof reads it: text without
// a number gives 0, which OK then refuses.
float Jp2RateFromText(std::string_view text);
// The rate as the field and the settings file show it ("%g").
std::string Jp2RateText(float rate);

// OK of the options dialog with its working choice: the options to keep, or
// nullopt when a rate is chosen that is not strictly between 0 and 1 (the
// dialog then stays open). A lossless choice keeps the stored rate.
std::optional<Jp2WriteOptions> AcceptJp2Choice(const Jp2WriteOptions& stored, bool lossless, float rate);

// The codec library the writer uses, with its version, as the dialog names it.
std::string Jp2LibraryText();

}  // namespace veilo
