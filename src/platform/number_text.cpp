#include "platform/number_text.h"

#include <cstdlib>
#include <limits>
#include <string>

namespace veilo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int64_t> LeadingInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || !IsDigit(text[i])) return std::nullopt;
  constexpr uint64_t kLimit = uint64_t{1} << 63;  // one past INT64_MAX: INT64_MIN's magnitude
  uint64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    const auto digit = static_cast<uint64_t>(text[i] - '0');
    magnitude = magnitude > (kLimit - digit) / 10 ? kLimit : magnitude * 10 + digit;
  }
  if (negative) {
    return magnitude >= kLimit ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(magnitude);
  }
  return magnitude >= kLimit ? std::numeric_limits<int64_t>::max() : static_cast<int64_t>(magnitude);
}

double LeadingFloat(std::string_view text) {
  // strtod needs a terminated string; the program never changes the "C" locale, so '.' is the point.
  const std::string terminated(text);
  return std::strtod(terminated.c_str(), nullptr);
}

}  // namespace veilo
