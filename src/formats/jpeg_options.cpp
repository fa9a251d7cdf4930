#include "formats/jpeg_options.h"

#include <algorithm>

#include "platform/number_text.h"

namespace veilo {

namespace {

int32_t NumberInRange(std::string_view text, int32_t current, int32_t low, int32_t high) {
  const int64_t value = LeadingInteger(text).value_or(current);
  return static_cast<int32_t>(std::clamp<int64_t>(value, low, high));
}

}  // namespace

int32_t JpegQualityFromText(std::string_view text, int32_t current) {
  return NumberInRange(text, current, kJpegQualityMin, kJpegQualityMax);
}

int32_t JpegSmoothingFromText(std::string_view text, int32_t current) {
  return NumberInRange(text, current, kJpegSmoothingMin, kJpegSmoothingMax);
}

}  // namespace veilo
