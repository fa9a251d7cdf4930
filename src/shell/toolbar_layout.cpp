#include "shell/toolbar_layout.h"

#include <algorithm>

namespace veilo {

namespace {

constexpr int32_t kFirstButtonX = 15;
constexpr int32_t kButtonTop = 3;
constexpr int32_t kButtonSize = 28;
constexpr int32_t kHalfButton = 14;

ChildRect Rect(int32_t x, int32_t y, int32_t width, int32_t height) {
  return {x, y, std::max(width, 0), std::max(height, 0)};
}

// Each button's place, and how far it moves the next one along.
struct ButtonSlot {
  ChildRect rect;
  int32_t advance;
};

ButtonSlot SlotFor(int32_t row, int32_t x) {
  const CommandId id = ToolbarTable()[static_cast<size_t>(row)].command;
  switch (id) {
    case cmd::kButtonAreaUp:  // upper half; the down button shares the column
      return {{x, kButtonTop, kButtonSize, kHalfButton}, 0};
    case cmd::kButtonAreaDown:
      return {{x, kButtonTop + kHalfButton, kButtonSize, kHalfButton}, kButtonSize};
    case cmd::kButtonAreaLeft:
    case cmd::kButtonAreaRight:
    case cmd::kMacroRecord:
    case cmd::kMacroRun:
      return {{x, kButtonTop, kHalfButton, kButtonSize}, kHalfButton};
    default:
      return {{x, kButtonTop, kButtonSize, kButtonSize}, kButtonSize};
  }
}

}  // namespace

FrameLayout ComputeFrameLayout(int32_t clientWidth, int32_t clientHeight, const FontMetrics& font) {
  const int32_t w = clientWidth;
  const int32_t h = clientHeight;
  const int32_t cw = font.charWidth;
  const int32_t lh = font.lineHeight;

  FrameLayout out;
  out.mdiClient = Rect(0, 33, w, h - lh - 37);
  out.topLine = Rect(0, 0, w, 2);
  out.toolbarStrip = Rect(0, 2, w, 30);
  out.blackLine = Rect(0, 32, w, 1);

  const int32_t paneTop = h - lh - 4;
  const int32_t paneHeight = lh + 4;
  out.zoomPane = Rect(0, paneTop, 10 * cw, paneHeight);
  out.messagePane = Rect(10 * cw + 2, paneTop, w - 34 * cw - 4, paneHeight);
  out.positionPane = Rect(w - 24 * cw, paneTop, 24 * cw, paneHeight);

  int32_t x = kFirstButtonX;
  for (int32_t row = 0; row < kToolbarRowCount; ++row) {
    const auto index = static_cast<size_t>(row);
    out.buttonPlaced[index] = IsPlacedRow(row);
    if (!out.buttonPlaced[index]) continue;
    const ButtonSlot slot = SlotFor(row, x);
    out.buttons[index] = slot.rect;
    x += slot.advance;
  }
  return out;
}

}  // namespace veilo
