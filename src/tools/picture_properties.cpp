#include "tools/picture_properties.h"

#include "formats/colour_count.h"

namespace veilo {

namespace {

// Up to 256 colours the first count is complete; beyond it, it may have stopped at its limit.
constexpr uint32_t kFewColoursMax = 256;

}  // namespace

ColourCountDisplay FirstColourCountDisplay(uint32_t countUpToLimit) {
  if (countUpToLimit == 0) return {};
  if (countUpToLimit <= kFewColoursMax) return {ColourCountForm::kCount, countUpToLimit, false};
  return {ColourCountForm::kOrMore, countUpToLimit, true};
}

ColourCountDisplay ExactColourCountDisplay(uint32_t exactCount) {
  if (exactCount == 0) return {};
  return {ColourCountForm::kExact, exactCount, false};
}

ColourCountDisplay CountColoursFirst(ShellNotifications& shell, const PixelBuffer& pixels) {
  return FirstColourCountDisplay(CountDistinctColours(shell, pixels, kFirstColourCountLimit));
}

ColourCountDisplay CountColoursExactly(ShellNotifications& shell, const PixelBuffer& pixels) {
  return ExactColourCountDisplay(CountDistinctColours(shell, pixels, 0));
}

std::string PictureSizeText(int32_t width, int32_t height) {
  return "Size " + std::to_string(width) + " x " + std::to_string(height);
}


}  // namespace veilo
