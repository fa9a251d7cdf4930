#include "view/area_options.h"

#include <algorithm>
#include <array>

#include "platform/number_text.h"

namespace veilo {
namespace {

constexpr std::array<int32_t, 3> kUnits = {1, 8, 16};

}  // namespace

int32_t UnitRadioIndex(int32_t unit) { return std::clamp(unit / 8, 0, 2); }

int32_t UnitOfRadioIndex(int32_t index) { return kUnits[static_cast<size_t>(std::clamp(index, 0, 2))]; }

int32_t GlassBoxFromText(std::string_view text, int32_t current) {
  const int64_t value = LeadingInteger(text).value_or(current);
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
