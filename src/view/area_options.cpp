#include "view/area_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace veilo {
namespace {

constexpr std::array<int32_t, 3> kUnits = {1, 8, 16};

}  // namespace

int32_t UnitRadioIndex(int32_t unit) { return std::clamp(unit / 8, 0, 2); }

int32_t UnitOfRadioIndex(int32_t index) { return kUnits[static_cast<size_t>(std::clamp(index, 0, 2))]; }

int32_t GlassBoxFromText(std::string_view text, int32_t current) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint32_t digits = 0;
  const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), digits);
  int64_t value = current;
  if (error == std::errc::result_out_of_range) {
    value = negative ? kGlassBoxMin : kGlassBoxMax;  // far beyond either limit
  } else if (error == std::errc{} && end != text.data() + i) {
    value = negative ? -int64_t{digits} : int64_t{digits};
  }
  return static_cast<int32_t>(std::clamp<int64_t>(value, kGlassBoxMin, kGlassBoxMax));
}

int32_t GlassBoxLineUp(int32_t size) { return std::clamp(size + 1, kGlassBoxMin, kGlassBoxMax); }

int32_t GlassBoxLineDown(int32_t size) { return std::clamp(size - 1, kGlassBoxMin, kGlassBoxMax); }

WindowRect AreaOptionsDialogRect(int32_t pointerX, int32_t pointerY, int32_t width, int32_t height,
                                 const WindowRect& frame) {
  int32_t left = pointerX - width / 2;
  int32_t top = pointerY - height / 2;
  left = std::max(std::min(left, frame.right - width), frame.left);
  top = std::max(std::min(top, frame.bottom - height), frame.top);
  return {left, top, left + width, top + height};
}

}  // namespace veilo
