#include "formats/gif_palette.h"

#include <cstring>
#include <new>

#include "platform/checked_math.h"
#include "formats/colour_index.h"
#include "formats/colour_quantiser.h"

namespace veilo {

namespace {

inline uint32_t PixelRgb(const uint8_t* bgr) { return PackRgb(bgr[2], bgr[1], bgr[0]); }

uint32_t ColourRgb(const std::array<uint8_t, 3>& c) { return PackRgb(c[0], c[1], c[2]); }

// Distinct colours in order of first appearance, top row first, each row
// left to right, stopping at the 257th.
ColourIndex CollectColoursTopDown(const PixelBuffer& pixels) {
  ColourIndex index;
  for (int32_t y = 0; y < pixels.height; ++y) {
    const uint8_t* p = pixels.Row(y);
    uint32_t previous = PixelRgb(p) ^ 1;  // differs from the first pixel
    for (int32_t x = 0; x < pixels.width; ++x, p += 3) {
      const uint32_t rgb = PixelRgb(p);
      if (rgb == previous) continue;
      previous = rgb;
      if (index.Find(rgb) < 0 && !index.Add(rgb)) return index;
    }
  }
  return index;
}

int PowerOfTwoAtLeast(size_t n) {
  int entries = 2;
  while (static_cast<size_t>(entries) < n) entries *= 2;
  return entries;
}

void SetEntry(std::vector<uint8_t>& palette, int i, uint32_t rgb) {
  const auto u = static_cast<size_t>(i) * 3;
  palette[u] = static_cast<uint8_t>(rgb >> 16);
  palette[u + 1] = static_cast<uint8_t>(rgb >> 8);
  palette[u + 2] = static_cast<uint8_t>(rgb);
}

void BuildExact(const PixelBuffer& pixels, const ColourIndex& colours, const GifSaveOptions& options,
                GifIndexedImage& out) {
  out.entries = PowerOfTwoAtLeast(colours.size());
  out.palette.assign(static_cast<size_t>(out.entries) * 3, 0);
  for (size_t i = 0; i < colours.size(); ++i) SetEntry(out.palette, static_cast<int>(i), colours.colours()[i]);
  const auto width = static_cast<size_t>(pixels.width);
  for (int32_t y = 0; y < pixels.height; ++y) {
    const uint8_t* p = pixels.Row(y);
    uint8_t* dst = out.indices.get() + static_cast<size_t>(y) * width;
    uint32_t previous = PixelRgb(p) ^ 1;
    uint8_t previousIndex = 0;
    for (size_t x = 0; x < width; ++x, p += 3) {
      const uint32_t rgb = PixelRgb(p);
      if (rgb != previous) {
        previous = rgb;
        previousIndex = static_cast<uint8_t>(colours.Find(rgb));
      }
      dst[x] = previousIndex;
    }
  }
  if (!options.transparent) return;
  // The first equal entry, padding included: a colour that no pixel has still
  // gets its index, which simply matches nothing.
  const uint32_t wanted = ColourRgb(options.transparentColour);
  for (int i = 0; i < out.entries; ++i) {
    const uint8_t* e = &out.palette[static_cast<size_t>(i) * 3];
    if (PackRgb(e[0], e[1], e[2]) == wanted) {
      out.transparent = true;
      out.transparentIndex = static_cast<uint8_t>(i);
      return;
    }
  }
}

// Compares with all `entries` quantiser entries, the unused black ones included.
bool EqualsAnyEntry(const QuantPalette& palette, int entries, const std::array<uint8_t, 3>& c) {
  for (size_t i = 0; i < static_cast<size_t>(entries); ++i)
    if (palette.red[i] == c[0] && palette.green[i] == c[1] && palette.blue[i] == c[2]) return true;
  return false;
}

// A colour for the reserved entry that no quantised entry has: the wanted
// colour, nudged by one step at a time in red, green, blue, red, green, blue.
std::optional<std::array<uint8_t, 3>> DistinctTransparentColour(const QuantPalette& palette, int entries,
                                                                 std::array<uint8_t, 3> c) {
  for (int step = 0; step < 6 && EqualsAnyEntry(palette, entries, c); ++step) {
    uint8_t& channel = c[static_cast<size_t>(step % 3)];
    channel = channel != 0 ? static_cast<uint8_t>(channel - 1) : 1;
  }
  if (EqualsAnyEntry(palette, entries, c)) return std::nullopt;
  return c;
}

bool BuildReduced(const PixelBuffer& pixels, const GifSaveOptions& options, GifIndexedImage& out) {
  out.entries = options.maxColours;
  const bool reserve = options.transparent && options.maxColours > 8;
  const auto width = static_cast<uint32_t>(pixels.width);
  auto quantiser = ColourQuantiser::Create(width, reserve ? out.entries - 1 : out.entries);
  std::unique_ptr<uint8_t[]> substitute(reserve ? new (std::nothrow) uint8_t[size_t{width} * 3] : nullptr);
  if (!quantiser || (reserve && !substitute)) return false;

  // Transparent pixels go in as black so that they do not pull the palette
  // towards a colour that is never shown.
  const uint32_t transparentRgb = ColourRgb(options.transparentColour);
  auto rowFor = [&](int32_t y) -> const uint8_t* {
    const uint8_t* row = pixels.Row(y);
    if (!reserve) return row;
    std::memcpy(substitute.get(), row, size_t{width} * 3);
    uint8_t* p = substitute.get();
    for (uint32_t x = 0; x < width; ++x, p += 3)
      if (PixelRgb(p) == transparentRgb) p[0] = p[1] = p[2] = 0;
    return substitute.get();
  };

  for (int32_t y = 0; y < pixels.height; ++y) quantiser->AddRow(rowFor(y));
  quantiser->BuildPalette();
  const QuantPalette& q = quantiser->palette();
  out.palette.assign(static_cast<size_t>(out.entries) * 3, 0);
  for (int i = 0; i < q.size; ++i) {
    const auto u = static_cast<size_t>(i);
    out.palette[3 * u] = q.red[u];
    out.palette[3 * u + 1] = q.green[u];
    out.palette[3 * u + 2] = q.blue[u];
  }
  std::optional<std::array<uint8_t, 3>> reserved;
  if (reserve) reserved = DistinctTransparentColour(q, out.entries - 1, options.transparentColour);
  const auto reservedIndex = static_cast<uint8_t>(out.entries - 1);
  if (reserved) {
    SetEntry(out.palette, reservedIndex, ColourRgb(*reserved));
    out.transparent = true;
    out.transparentIndex = reservedIndex;
  }

  quantiser->BeginMapping();
  for (int32_t y = 0; y < pixels.height; ++y) {
    uint8_t* dst = out.indices.get() + static_cast<size_t>(y) * width;
    quantiser->MapRow(rowFor(y), dst);
    if (!reserved) continue;
    const uint8_t* p = pixels.Row(y);
    for (uint32_t x = 0; x < width; ++x, p += 3)
      if (PixelRgb(p) == transparentRgb) dst[x] = reservedIndex;
  }
  return true;
}

}  // namespace

std::optional<GifIndexedImage> BuildGifIndexedImage(const PixelBuffer& pixels, const GifSaveOptions& options) {
  if (pixels.width <= 0 || pixels.height <= 0) return std::nullopt;
  GifSaveOptions opts = options;
  opts.maxColours = NormalisedGifMaxColours(options.maxColours);
  auto count = CheckedMul(static_cast<size_t>(pixels.width), static_cast<size_t>(pixels.height));
  if (!count) return std::nullopt;
  GifIndexedImage out;
  out.indices.reset(new (std::nothrow) uint8_t[*count]);
  if (!out.indices) return std::nullopt;
  const ColourIndex colours = CollectColoursTopDown(pixels);
  if (colours.size() < static_cast<size_t>(opts.maxColours)) {
    BuildExact(pixels, colours, opts, out);
  } else if (!BuildReduced(pixels, opts, out)) {
    return std::nullopt;
  }
  return out;
}

}  // namespace veilo
