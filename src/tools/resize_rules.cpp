#include "tools/resize_rules.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace veilo {

namespace {

struct TypedSide {
  int32_t value = 0;
  bool heldToLimit = false;  // the text says more (or less) than a side can be
};

TypedSide ParseSide(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint64_t digits = 0;
  const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), digits);
  if (end == text.data() + i) return {};  // no number: atoi's 0
  if (negative && digits != 0) return {0, true};
  if (error == std::errc::result_out_of_range || digits > static_cast<uint64_t>(kResizeSideMax))
    return {kResizeSideMax, true};
  return {static_cast<int32_t>(digits), false};
}

// `side` scaled by numerator / denominator with the division truncated, in 64
// bits so that no product of two sides overflows.
int32_t ScaledSide(int32_t side, int32_t numerator, int32_t denominator) {
  if (denominator <= 0) return 0;
  const int64_t scaled = int64_t{side} * numerator / denominator;
  return static_cast<int32_t>(std::clamp<int64_t>(scaled, 0, kResizeSideMax));
}

void HeightFollowsWidth(ResizeState& s, ResizeDialogEffects& e) {
  if (!s.keepAspect) return;
  const int32_t height = ScaledSide(s.newWidth, s.pictureHeight, s.pictureWidth);
  if (height == s.newHeight) return;
  s.newHeight = height;
  e.showHeight = e.moveHeightArrows = true;
}

void WidthFollowsHeight(ResizeState& s, ResizeDialogEffects& e) {
  if (!s.keepAspect) return;
  const int32_t width = ScaledSide(s.newHeight, s.pictureWidth, s.pictureHeight);
  if (width == s.newWidth) return;
  s.newWidth = width;
  e.showWidth = e.moveWidthArrows = true;
}

int32_t ArrowSide(int32_t position) { return std::clamp(position, 0, kResizeSideMax); }

}  // namespace

int32_t GdiStretchModeOf(StretchMode mode) {
  switch (mode) {
    case StretchMode::kDeleteScans: return 3;  // COLORONCOLOR
    case StretchMode::kAndScans: return 1;     // BLACKONWHITE
    case StretchMode::kOrScans: return 2;      // WHITEONBLACK
    case StretchMode::kHalfTone: break;
  }
  return 4;  // HALFTONE
}

StretchMode StretchModeOf(int32_t number) {
  if (number < 0 || number >= kStretchModeCount) return StretchMode::kHalfTone;
  return static_cast<StretchMode>(number);
}

ResizeState StartResize(int32_t pictureWidth, int32_t pictureHeight, bool keepAspect) {
  return {pictureWidth, pictureHeight, pictureWidth, pictureHeight, keepAspect};
}

int32_t ResizeArrowMax(int32_t pictureSide) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{pictureSide} * 16, 0, kResizeSideMax));
}

int32_t ResizeSideFromText(std::string_view text) { return ParseSide(text).value; }

ResizeDialogEffects ResizeWidthTyped(ResizeState& state, std::string_view text) {
  const TypedSide typed = ParseSide(text);
  ResizeDialogEffects effects;
  effects.showWidth = typed.heldToLimit;
  if (typed.value != state.newWidth) {
    state.newWidth = typed.value;
    effects.moveWidthArrows = true;
    HeightFollowsWidth(state, effects);
  }
  return effects;
}

ResizeDialogEffects ResizeHeightTyped(ResizeState& state, std::string_view text) {
  const TypedSide typed = ParseSide(text);
  ResizeDialogEffects effects;
  effects.showHeight = typed.heldToLimit;
  if (typed.value != state.newHeight) {
    state.newHeight = typed.value;
    effects.moveHeightArrows = true;
    WidthFollowsHeight(state, effects);
  }
  return effects;
}

ResizeDialogEffects ResizeWidthArrowMoved(ResizeState& state, int32_t position) {
  ResizeDialogEffects effects;
  const int32_t value = ArrowSide(position);
  if (value != state.newWidth) {
    state.newWidth = value;
    effects.showWidth = true;
    HeightFollowsWidth(state, effects);
  }
  return effects;
}

ResizeDialogEffects ResizeHeightArrowMoved(ResizeState& state, int32_t position) {
  ResizeDialogEffects effects;
  const int32_t value = ArrowSide(position);
  if (value != state.newHeight) {
    state.newHeight = value;
    effects.showHeight = true;
    WidthFollowsHeight(state, effects);
  }
  return effects;
}

ResizeDialogEffects ResizeKeepAspectChanged(ResizeState& state, bool keepAspect) {
  ResizeDialogEffects effects;
  const bool wasOn = state.keepAspect;
  state.keepAspect = keepAspect;
  if (keepAspect && !wasOn) HeightFollowsWidth(state, effects);
  return effects;
}

bool ResizeSizeAccepted(const ResizeState& state) { return state.newWidth > 0 && state.newHeight > 0; }

}  // namespace veilo
