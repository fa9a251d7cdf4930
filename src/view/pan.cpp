#include "view/pan.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace veilo {
namespace {

constexpr double kDeadRadius = 23;
constexpr int32_t kMarkerHalfSize = 16;

// Farther from the marker, more and larger steps per tick.
struct SpeedBand {
  double below;
  int32_t repeat, step;
};
constexpr std::array<SpeedBand, 10> kSpeeds = {{
    {30, 1, 2}, {40, 2, 2}, {50, 3, 2}, {60, 2, 4}, {70, 3, 5},
    {80, 3, 6}, {90, 3, 7}, {100, 3, 8}, {110, 2, 15}, {120, 2, 20},
}};
constexpr SpeedBand kFastest = {0, 3, 25};

// Cursors of the sectors 0, 45, ..., 315 degrees.
constexpr std::array<CursorId, 8> kSectorCursors = {
    CursorId::kPanUp,   CursorId::kPanUpRight,  CursorId::kPanRight, CursorId::kPanDownRight,
    CursorId::kPanDown, CursorId::kPanDownLeft, CursorId::kPanLeft,  CursorId::kPanUpLeft,
};

// Bearing in degrees clockwise from up, 0 <= a < 360.
double Bearing(double dx, double dy, double r) {
  double a = std::asin(std::clamp(dx / r, -1.0, 1.0)) * 180.0 / 3.14159265358979323846;
  if (dy > 0) {
    a = 180.0 - a;
  } else if (dx < 0) {
    a += 360.0;
  }
  return a;
}

// The 45-degree sector a bearing falls into, 0..7; the sectors are centred
// on the eight directions, each border belonging to the sector before it.
int32_t SectorOf(double a) {
  if (a > 337.5 || a <= 22.5) return 0;
  static constexpr std::array<double, 6> kUpperBounds = {67.5, 112.5, 157.5, 202.5, 247.5, 292.5};
  for (size_t i = 0; i < kUpperBounds.size(); ++i) {
    if (a <= kUpperBounds[i]) return static_cast<int32_t>(i) + 1;
  }
  return 7;
}

// Unit steps of a direction code: the sector codes 0, 45, ..., 315 and the
// codes 1, 46, ..., 316 used once the pointer has left the window.
void DirectionSigns(int32_t direction, int32_t& sx, int32_t& sy) {
  static constexpr std::array<int32_t, 8> kX = {0, 1, 1, 1, 0, -1, -1, -1};
  static constexpr std::array<int32_t, 8> kY = {-1, -1, 0, 1, 1, 1, 0, -1};
  const int32_t sector = (direction / 45) % 8;
  sx = kX[static_cast<size_t>(sector)];
  sy = kY[static_cast<size_t>(sector)];
}

void Apply(ImageDoc& doc, const PanSetting& s, int32_t direction) {
  doc.panDirection = direction;
  doc.panRepeat = s.repeat;
  doc.panStep = s.step;
}

bool Contains(const WindowRect& r, int32_t x, int32_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

PanSetting PanSettingFor(int32_t dx, int32_t dy) {
  const double x = dx, y = dy;
  const double r = std::sqrt(x * x + y * y);
  if (r < kDeadRadius) return {};
  SpeedBand speed = kFastest;
  for (const SpeedBand& band : kSpeeds) {
    if (r < band.below) {
      speed = band;
      break;
    }
  }
  const int32_t sector = SectorOf(Bearing(x, y, r));
  return {sector * 45, speed.repeat, speed.step, kSectorCursors[static_cast<size_t>(sector)]};
}

MiddleButtonAction PanOnMiddleDown(ImageDoc& doc, int32_t clientX, int32_t clientY, int32_t screenX,
                                   int32_t screenY, const WindowRect& windowRect) {
  if (doc.panWindow != 0) return MiddleButtonAction::kStopPan;
  doc.panDirection = -1;
  doc.panRepeat = 0;
  doc.panStep = 0;
  doc.panAnchorX = clientX;
  doc.panAnchorY = clientY;
  doc.panCursorX = screenX;
  doc.panCursorY = screenY;
  doc.panWindowRect = windowRect;
  return MiddleButtonAction::kStartPan;
}

WindowRect PanMarkerRect(const ImageDoc& doc) {
  return {doc.panAnchorX - kMarkerHalfSize, doc.panAnchorY - kMarkerHalfSize, doc.panAnchorX + kMarkerHalfSize,
          doc.panAnchorY + kMarkerHalfSize};
}

void EndPan(ImageDoc& doc) {
  doc.panWindow = 0;
  doc.panRepeat = 0;
  doc.panDirection = -1;
}

SelectionEffects PanOnPointerMove(ImageDoc& doc, int32_t dx, int32_t dy) {
  SelectionEffects effects;
  const PanSetting s = PanSettingFor(dx, dy);
  if (s.direction != doc.panDirection) AppendCursor(effects, s.cursor);
  Apply(doc, s, s.direction);
  return effects;
}

SelectionEffects PanOnTick(ImageDoc& doc, int32_t screenX, int32_t screenY) {
  SelectionEffects effects;
  if (doc.panWindow == 0 || doc.panRepeat <= 0 || doc.panDirection < 0) return effects;
  const int32_t step = std::max(doc.zoomPercent / 100, doc.panStep);
  int32_t sx = 0, sy = 0;
  DirectionSigns(doc.panDirection, sx, sy);
  for (int32_t i = 0; i < doc.panRepeat; ++i) {
    if (sx != 0) AppendScroll(effects, doc, ScrollBarKind::kHorizontal, sx * step);
    if (sy != 0) AppendScroll(effects, doc, ScrollBarKind::kVertical, sy * step);
  }
  if (!Contains(doc.panWindowRect, screenX, screenY)) {
    // Codes one above the sector's own tell that the window no longer sees
    // the pointer; they scroll the same way.
    const PanSetting s = PanSettingFor(screenX - doc.panCursorX, screenY - doc.panCursorY);
    Apply(doc, s, s.direction < 0 ? -1 : s.direction + 1);
  }
  return effects;
}

}  // namespace veilo
