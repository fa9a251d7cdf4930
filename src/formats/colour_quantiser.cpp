#include "formats/colour_quantiser.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "platform/checked_math.h"
#include "formats/median_cut.h"

namespace veilo {

namespace {

// The diffused error a pixel takes: small errors in full, larger ones damped,
// none beyond 32.
constexpr int LimitError(int e) {
  const int a = e < 0 ? -e : e;
  const int limited = a < 16 ? a : a < 48 ? 16 + (a - 16) / 2 : 32;
  return e < 0 ? -limited : limited;
}

// Errors reaching a pixel lie within -255..255 (16 sixteenths of at most 255).
constexpr int kErrorOffset = 512;
constexpr std::array<int16_t, 2 * kErrorOffset> kErrorLimit = [] {
  std::array<int16_t, 2 * kErrorOffset> t{};
  for (int e = -kErrorOffset; e < kErrorOffset; ++e)
    t[static_cast<size_t>(e + kErrorOffset)] = static_cast<int16_t>(LimitError(e));
  return t;
}();

inline int Clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

}  // namespace

std::unique_ptr<ColourQuantiser> ColourQuantiser::Create(uint32_t width, int colours) {
  if (colours < 1 || colours > 256 || width == 0) return nullptr;
  auto entries = CheckedMul(size_t{width} + 2, 3);
  if (!entries) return nullptr;
  std::unique_ptr<int16_t[]> errors(new (std::nothrow) int16_t[*entries]());
  if (!errors) return nullptr;
  return std::unique_ptr<ColourQuantiser>(new (std::nothrow) ColourQuantiser(width, colours, std::move(errors)));
}

ColourQuantiser::ColourQuantiser(uint32_t width, int colours, std::unique_ptr<int16_t[]> errors)
    : width_(width), colours_(colours), errors_(std::move(errors)) {}

void ColourQuantiser::AddRow(const uint8_t* bgr) {
  for (uint32_t x = 0; x < width_; ++x, bgr += 3) {
    uint16_t& count = cells_[HistogramCellOf(bgr[2], bgr[1], bgr[0])];
    count = static_cast<uint16_t>(count + (count != 0xFFFF));
  }
}

void ColourQuantiser::BuildPalette() {
  palette_ = MedianCutPalette(cells_, colours_);
  cells_.fill(0);
  BeginMapping();
}

void ColourQuantiser::BeginMapping() {
  std::memset(errors_.get(), 0, (size_t{width_} + 2) * 3 * sizeof(int16_t));
  leftToRight_ = true;
}

// Maps every cell of the 4 x 8 x 4 block around `cell` to its nearest palette
// entry (distance 4 dr^2 + 9 dg^2 + db^2 from the cell centre; lowest index on ties).
void ColourQuantiser::FillBlock(size_t cell) {
  const int rc0 = static_cast<int>(cell >> 11) & ~3;
  const int gc0 = static_cast<int>((cell >> 5) & 63) & ~7;
  const int bc0 = static_cast<int>(cell & 31) & ~3;
  const int n = palette_.size > 0 ? palette_.size : 1;
  for (int rc = rc0; rc < rc0 + 4; ++rc)
    for (int gc = gc0; gc < gc0 + 8; ++gc)
      for (int bc = bc0; bc < bc0 + 4; ++bc) {
        const int r = RedCentre(rc), g = GreenCentre(gc), b = BlueCentre(bc);
        int best = 0;
        int bestDistance = 0x7FFFFFFF;
        for (int i = 0; i < n; ++i) {
          const auto u = static_cast<size_t>(i);
          const int dr = r - palette_.red[u], dg = g - palette_.green[u], db = b - palette_.blue[u];
          const int d = 4 * dr * dr + 9 * dg * dg + db * db;
          if (d < bestDistance) {
            bestDistance = d;
            best = i;
          }
        }
        cells_[HistogramCell(rc, gc, bc)] = static_cast<uint16_t>(best + 1);
      }
}

inline uint8_t ColourQuantiser::LookUp(size_t cell) {
  if (cells_[cell] == 0) FillBlock(cell);
  return static_cast<uint8_t>(cells_[cell] - 1);
}

void ColourQuantiser::MapRow(const uint8_t* bgr, uint8_t* indices) {
  const int width = static_cast<int>(width_);
  const int dir = leftToRight_ ? 1 : -1;
  int col = leftToRight_ ? 0 : width - 1;
  // Error-row entry of column c: errors_[3 * (c + 1) + channel], channel 0 red.
  int16_t* entry = errors_.get() + 3 * (col + 1);
  const int step = 3 * dir;
  int carried[3] = {0, 0, 0}, below[3] = {0, 0, 0}, belowPrev[3] = {0, 0, 0};
  const int16_t* limit = kErrorLimit.data() + kErrorOffset;
  for (int n = 0; n < width; ++n, col += dir, entry += step) {
    const uint8_t* px = bgr + 3 * col;
    int value[3];
    value[0] = Clamp255(px[2] + limit[(carried[0] + entry[0] + 8) >> 4]);
    value[1] = Clamp255(px[1] + limit[(carried[1] + entry[1] + 8) >> 4]);
    value[2] = Clamp255(px[0] + limit[(carried[2] + entry[2] + 8) >> 4]);
    const uint8_t index = LookUp(HistogramCellOf(static_cast<uint8_t>(value[0]), static_cast<uint8_t>(value[1]),
                                                 static_cast<uint8_t>(value[2])));
    indices[col] = index;
    const int err[3] = {value[0] - palette_.red[index], value[1] - palette_.green[index],
                        value[2] - palette_.blue[index]};
    int16_t* behind = entry - step;  // the column just passed
    for (int c = 0; c < 3; ++c) {
      behind[c] = static_cast<int16_t>(belowPrev[c] + 3 * err[c]);
      belowPrev[c] = below[c] + 5 * err[c];
      below[c] = err[c];
      carried[c] = 7 * err[c];
    }
  }
  int16_t* last = entry - step;
  for (int c = 0; c < 3; ++c) last[c] = static_cast<int16_t>(belowPrev[c]);
  leftToRight_ = !leftToRight_;
}

std::optional<QuantPalette> QuantiseImage(const PixelBuffer& pixels, int colours, uint8_t* indicesOut) {
  if (pixels.width <= 0 || pixels.height <= 0) return std::nullopt;
  auto quantiser = ColourQuantiser::Create(static_cast<uint32_t>(pixels.width), colours);
  if (!quantiser) return std::nullopt;
  for (int32_t y = 0; y < pixels.height; ++y) quantiser->AddRow(pixels.Row(y));
  quantiser->BuildPalette();
  const auto width = static_cast<size_t>(pixels.width);
  for (int32_t y = 0; y < pixels.height; ++y)
    quantiser->MapRow(pixels.Row(y), indicesOut + static_cast<size_t>(y) * width);
  return quantiser->palette();
}

}  // namespace veilo
