#include "formats/jp2_options.h"

#include <openjpeg.h>

#include <cstdio>

#include "platform/number_text.h"

namespace veilo {

float Jp2RateFromText(std::string_view text) { return static_cast<float>(LeadingFloat(text)); }

std::string Jp2RateText(float rate) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(rate));
  if (n <= 0 || static_cast<size_t>(n) >= sizeof buffer) return std::string();
  return std::string(buffer, static_cast<size_t>(n));
}

std::optional<Jp2WriteOptions> AcceptJp2Choice(const Jp2WriteOptions& stored, bool lossless, float rate) {
  if (lossless) return Jp2WriteOptions{true, stored.rate};
  if (!IsValidJp2Rate(rate)) return std::nullopt;
  return Jp2WriteOptions{false, rate};
}

std::string Jp2LibraryText() { return std::string("OpenJPEG ") + opj_version(); }

}  // namespace veilo
