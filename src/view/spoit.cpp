#include "view/spoit.h"

#include <algorithm>
#include <cstdlib>

#include "view/float_trunc.h"

namespace veilo {

namespace {

// The window system's scroll-bar codes.
enum : int32_t {
  kLineUp = 0,
  kLineDown = 1,
  kPageUp = 2,
  kPageDown = 3,
  kThumbPosition = 4,
  kThumbTrack = 5,
  kTop = 6,
  kBottom = 7,
};

bool IsMagnification(int32_t m) {
  return std::find(kSpoitMagnifications.begin(), kSpoitMagnifications.end(), m) != kSpoitMagnifications.end();
}

int32_t RangeMax(int32_t m, int32_t size, int32_t client) {
  return ClampToInt32(std::max<int64_t>(0, int64_t{m} * size - client));
}

// SetZoom's centring rule with m for the percent: the visible extent grows
// by the new factor around its middle.
int32_t KeepCentre(int32_t pos, int32_t size, int32_t client, int32_t oldM, int32_t newM) {
  const int64_t visible = std::min<int64_t>(int64_t{oldM} * size, client);
  const int64_t grown = TruncToInt32(static_cast<double>(newM) * static_cast<double>(visible) / oldM);
  const int64_t p = (grown - visible) / 2 + int64_t{pos} * newM / oldM;
  return ClampToInt32(std::max<int64_t>(0, p));
}

struct AxisRefs {
  int32_t& pos;
  int32_t max;
  int32_t client;
};

AxisRefs Axis(SpoitState& s, SpoitAxis axis) {
  if (axis == SpoitAxis::kVertical) return {s.vOffset, s.vMax, s.clientHeight};
  return {s.hOffset, s.hMax, s.clientWidth};
}

int64_t RoundDown(int64_t v, int64_t m) { return FloorDiv(v, m) * m; }
int64_t RoundUp(int64_t v, int64_t m) { return -FloorDiv(-v, m) * m; }

}  // namespace

int32_t SpoitMagnificationOf(int32_t radioIndex) {
  if (radioIndex < 0 || radioIndex >= static_cast<int32_t>(kSpoitMagnifications.size())) return 0;
  return kSpoitMagnifications[static_cast<size_t>(radioIndex)];
}

int32_t SpoitRadioIndexOf(int32_t magnification) {
  const auto it = std::find(kSpoitMagnifications.begin(), kSpoitMagnifications.end(), magnification);
  return it == kSpoitMagnifications.end() ? -1 : static_cast<int32_t>(it - kSpoitMagnifications.begin());
}

bool SpoitBegin(SpoitState& s, const ColourPickTarget& target) {
  if (s.open) return false;
  const int32_t m = IsMagnification(s.magnification) ? s.magnification : 1;
  s = SpoitState{};
  s.magnification = m;
  if (target.pixels.bits != nullptr) {
    s.pictureWidth = std::max(target.pixels.width, 0);
    s.pictureHeight = std::max(target.pixels.height, 0);
  }
  s.open = true;
  return true;
}

int32_t SpoitEnd(SpoitState& s) {
  s.open = false;
  return s.picked ? 1 : 0;
}

void SpoitUpdateRanges(SpoitState& s) {
  s.vMax = RangeMax(s.magnification, s.pictureHeight, s.clientHeight);
  s.vOffset = std::clamp(s.vOffset, 0, s.vMax);
  s.hMax = RangeMax(s.magnification, s.pictureWidth, s.clientWidth);
  s.hOffset = std::clamp(s.hOffset, 0, s.hMax);
}

bool SpoitSetMagnification(SpoitState& s, int32_t magnification) {
  if (!IsMagnification(magnification)) return false;
  const int32_t old = s.magnification;
  s.vOffset = KeepCentre(s.vOffset, s.pictureHeight, s.clientHeight, old, magnification);
  s.hOffset = KeepCentre(s.hOffset, s.pictureWidth, s.clientWidth, old, magnification);
  s.magnification = magnification;
  SpoitUpdateRanges(s);
  return true;
}

SpoitMove SpoitScroll(SpoitState& s, SpoitAxis axis, int32_t scrollCode, int32_t thumbPosition) {
  AxisRefs a = Axis(s, axis);
  int64_t step = 0;
  switch (scrollCode) {
    case kLineUp: step = -kSpoitLineStep; break;
    case kLineDown: step = kSpoitLineStep; break;
    case kPageUp: step = -int64_t{a.client}; break;
    case kPageDown: step = a.client; break;
    case kThumbTrack: step = int64_t{thumbPosition} - a.pos; break;
    case kTop: step = -int64_t{a.pos}; break;
    case kBottom: step = int64_t{a.max} - a.pos; break;
    case kThumbPosition:  // the thumb was followed while it was tracked
    default: break;
  }
  const int64_t most = std::max<int64_t>(0, int64_t{a.max} - a.pos);
  step = std::clamp<int64_t>(step, std::min<int64_t>(-int64_t{a.pos}, most), most);
  if (step == 0) return {false, a.pos};
  a.pos = static_cast<int32_t>(a.pos + step);
  return {true, a.pos};
}

SpoitMove SpoitWheel(SpoitState& s, int32_t wheelDelta) {
  const int64_t steps = std::llabs(int64_t{wheelDelta}) / 8;
  const int32_t size = std::max(s.magnification, 2);
  const int32_t direction = wheelDelta > 0 ? -1 : 1;
  bool moved = false;
  for (int64_t i = 0; i < steps; ++i) {
    const int32_t next = std::clamp(s.vOffset + direction * size, 0, std::max(s.vMax, 0));
    if (next == s.vOffset) break;
    s.vOffset = next;
    moved = true;
  }
  return {moved, s.vOffset};
}

bool SpoitResize(SpoitState& s, int32_t clientWidth, int32_t clientHeight) {
  s.prevClientWidth = s.clientWidth;
  s.prevClientHeight = s.clientHeight;
  s.clientWidth = clientWidth;
  s.clientHeight = clientHeight;
  const int64_t oldH = s.hOffset;
  const int64_t oldV = s.vOffset;
  SpoitUpdateRanges(s);
  const int64_t m = s.magnification;
  if (m == 1) return false;
  const bool grew = clientWidth > s.prevClientWidth || clientHeight > s.prevClientHeight;
  const bool overhangs = oldV + m * s.pictureHeight >= clientHeight || oldH + m * s.pictureWidth >= clientWidth;
  return grew && overhangs;
}

SpoitPaint SpoitPaintPlan(const SpoitState& s, const WindowRect& update) {
  SpoitPaint p;
  const int64_t m = std::max(s.magnification, 1);
  // The update rectangle in magnified picture coordinates, clipped to the picture.
  int64_t left = std::max<int64_t>(0, int64_t{update.left} + s.hOffset);
  int64_t top = std::max<int64_t>(0, int64_t{update.top} + s.vOffset);
  int64_t right = std::min<int64_t>(m * s.pictureWidth, int64_t{update.right} + s.hOffset);
  int64_t bottom = std::min<int64_t>(m * s.pictureHeight, int64_t{update.bottom} + s.vOffset);
  if (left >= right || top >= bottom) return p;
  if (m > 1) {
    // The magnified picture's extent is a multiple of m, so rounding up stays inside it.
    left = RoundDown(left, m);
    top = RoundDown(top, m);
    right = RoundUp(right, m);
    bottom = RoundUp(bottom, m);
  }
  p.kind = m == 1 ? SpoitPaint::Kind::kDirect : SpoitPaint::Kind::kStretch;
  p.destX = ClampToInt32(left - s.hOffset);
  p.destY = ClampToInt32(top - s.vOffset);
  p.destWidth = ClampToInt32(right - left);
  p.destHeight = ClampToInt32(bottom - top);
  p.srcX = ClampToInt32(left / m);
  p.srcWidth = ClampToInt32((right - left) / m);
  p.srcHeight = ClampToInt32((bottom - top) / m);
  p.srcY = ClampToInt32(s.pictureHeight - (top / m + p.srcHeight));
  return p;
}

SpoitPixel SpoitPictureAt(const SpoitState& s, int32_t clientX, int32_t clientY) {
  const int64_t m = std::max(s.magnification, 1);
  // Rounded towards minus infinity: a point left of or above the view is off the picture.
  const int64_t x = FloorDiv(int64_t{clientX} + s.hOffset, m);
  const int64_t y = FloorDiv(int64_t{clientY} + s.vOffset, m);
  SpoitPixel p;
  p.x = ClampToInt32(x);
  p.y = ClampToInt32(y);
  p.inside = x >= 0 && y >= 0 && x < s.pictureWidth && y < s.pictureHeight;
  return p;
}

std::optional<std::array<uint8_t, 3>> SpoitColourAt(const SpoitState& s, const ColourPickTarget& target,
                                                    int32_t clientX, int32_t clientY) {
  const SpoitPixel p = SpoitPictureAt(s, clientX, clientY);
  const PixelBuffer& px = target.pixels;
  if (!p.inside || px.bits == nullptr || p.x >= px.width || p.y >= px.height) return std::nullopt;
  const uint8_t* pixel = px.At(p.x, p.y);
  return std::array<uint8_t, 3>{pixel[kRed], pixel[kGreen], pixel[kBlue]};
}

bool SpoitLeftDown(SpoitState& s, ColourPickTarget& target, int32_t clientX, int32_t clientY) {
  const auto colour = SpoitColourAt(s, target, clientX, clientY);
  if (!colour) return false;
  target.colour = *colour;
  target.colourChosen = true;
  s.picked = true;
  return true;
}

bool SpoitLeftUp(const SpoitState& s) { return s.picked; }

SpoitLayout SpoitPickerLayout(int32_t clientWidth, int32_t clientHeight, int32_t charWidth, int32_t lineHeight,
                              int32_t dpi) {
  const auto s = [dpi](int32_t length) { return ScaleToDpi(length, dpi); };
  SpoitLayout l;
  l.swatch = {s(10), s(6), 6 * charWidth, lineHeight + s(8)};
  for (size_t i = 0; i < l.radios.size(); ++i) {
    const int32_t x = 6 * charWidth + s(30) + static_cast<int32_t>(i) * (8 * charWidth + s(10));
    l.radios[i] = {x, s(10), 8 * charWidth, lineHeight};
  }
  const int32_t viewTop = lineHeight + s(20);
  l.view = {0, viewTop, std::max(clientWidth, 0), std::max(clientHeight - viewTop, 0)};
  return l;
}

ControlBox SpoitPickerPlacement(int32_t ownerLeft, int32_t ownerTop, int32_t charWidth, int32_t lineHeight,
                                int32_t dpi) {
  return {ownerLeft + 10 * charWidth, ownerTop + 5 * lineHeight, ScaleToDpi(kSpoitWidth, dpi),
          ScaleToDpi(kSpoitHeight, dpi)};
}

}  // namespace veilo
