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

ButtonSlot SlotFor(int32_t row, int32_t x, int32_t dpi) {
  const int32_t top = ScaleToDpi(kButtonTop, dpi);
  const int32_t size = ScaleToDpi(kButtonSize, dpi);
  const int32_t half = ScaleToDpi(kHalfButton, dpi);
  const CommandId id = ToolbarTable()[static_cast<size_t>(row)].command;
  switch (id) {
    case cmd::kButtonAreaUp:  // upper half; the down button shares the column
      return {{x, top, size, half}, 0};
    case cmd::kButtonAreaDown:
      return {{x, top + half, size, size - half}, size};
    case cmd::kButtonAreaLeft:
    case cmd::kButtonAreaRight:
    case cmd::kMacroRecord:
    case cmd::kMacroRun:
      return {{x, top, half, size}, half};
    default:
      return {{x, top, size, size}, size};
  }
}

}  // namespace

FrameLayout ComputeFrameLayout(int32_t clientWidth, int32_t clientHeight, const FontMetrics& font, int32_t dpi) {
  const auto s = [dpi](int32_t value) { return ScaleToDpi(value, dpi); };
  const int32_t w = clientWidth;
  const int32_t h = clientHeight;
  const int32_t cw = font.charWidth;
  const int32_t lh = font.lineHeight;

  FrameLayout out;
  out.mdiClient = Rect(0, s(33), w, h - lh - s(37));
  out.topLine = Rect(0, 0, w, s(2));
  out.toolbarStrip = Rect(0, s(2), w, s(30));
  out.blackLine = Rect(0, s(32), w, s(1));

  const int32_t paneTop = h - lh - s(4);
  const int32_t paneHeight = lh + s(4);
  out.zoomPane = Rect(0, paneTop, 10 * cw, paneHeight);
  out.messagePane = Rect(10 * cw + s(2), paneTop, w - 34 * cw - s(4), paneHeight);
  out.positionPane = Rect(w - 24 * cw, paneTop, 24 * cw, paneHeight);

  int32_t x = s(kFirstButtonX);
  for (int32_t row = 0; row < kToolbarRowCount; ++row) {
    const auto index = static_cast<size_t>(row);
    out.buttonPlaced[index] = IsPlacedRow(row);
    if (!out.buttonPlaced[index]) continue;
    const ButtonSlot slot = SlotFor(row, x, dpi);
    out.buttons[index] = slot.rect;
    x += slot.advance;
  }
  return out;
}

TipPlacement PlaceTip(const ChildRect& buttonOnScreen, int32_t frameOriginX, int32_t frameOriginY,
                      int32_t textWidth, int32_t textHeight, int32_t dpi) {
  const auto s = [dpi](int32_t value) { return ScaleToDpi(value, dpi); };
  const int32_t x = buttonOnScreen.x - frameOriginX;
  const int32_t y = buttonOnScreen.y - frameOriginY;
  TipPlacement tip;
  tip.border = {x - s(1), y - s(11), textWidth + s(2), textHeight + s(2)};
  tip.text = {x, y - s(10), textWidth, textHeight};
  return tip;
}

}  // namespace veilo
