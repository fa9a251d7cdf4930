#include "formats/png_reduction.h"

#include <algorithm>
#include <new>

#include "formats/colour_quantiser.h"

namespace veilo {
namespace {

constexpr int kChoices[] = {16, 32, 64, 128, 256};

bool IsChoice(int value) { return std::find(std::begin(kChoices), std::end(kChoices), value) != std::end(kChoices); }

bool InPalette(const std::vector<RgbColour>& palette, size_t first, size_t end, const RgbColour& c) {
  return std::find(palette.begin() + static_cast<std::ptrdiff_t>(first),
                   palette.begin() + static_cast<std::ptrdiff_t>(end), c) != palette.begin() + static_cast<std::ptrdiff_t>(end);
}

}  // namespace

int EffectivePngReduction(int requested, const PngColourCount& count) {
  if (!IsChoice(requested)) return 0;
  switch (count.mode) {
    case PngColourMode::kTrueColour: return requested;
    case PngColourMode::kPalette8Bit: return requested == 256 || count.count <= static_cast<size_t>(requested) ? 0 : requested;
    default: return 0;
  }
}

bool PngReductionChoiceOffered(int choice, const PngColourCount& count) {
  return choice == 0 || EffectivePngReduction(choice, count) == choice;
}

void PutTransparentFirst(PngReducedPicture& reduced, size_t usedColours, const PixelBuffer& pixels,
                         const RgbColour& transparent) {
  RgbColour moved = transparent;
  for (int step = 0; InPalette(reduced.palette, 0, usedColours, moved); ++step)
    moved[static_cast<size_t>(step % 3)] = static_cast<uint8_t>(moved[static_cast<size_t>(step % 3)] + 1);

  // Entry 0 comes in front; the palette keeps its length when it had an unused entry.
  reduced.palette.insert(reduced.palette.begin(), moved);
  if (reduced.palette.size() > usedColours + 1) reduced.palette.pop_back();
  reduced.transparentColour = moved;

  uint8_t* index = reduced.indices.get();
  for (int32_t y = 0; y < pixels.height; ++y) {
    const uint8_t* p = pixels.Row(y);
    for (int32_t x = 0; x < pixels.width; ++x, p += 3, ++index) {
      const bool isTransparent = p[kRed] == transparent[0] && p[kGreen] == transparent[1] && p[kBlue] == transparent[2];
      *index = isTransparent ? 0 : static_cast<uint8_t>(*index + 1);
    }
  }
}

std::optional<PngReducedPicture> ReducePngColours(const PixelBuffer& pixels, int colours,
                                                  const std::optional<RgbColour>& transparent) {
  if (colours < 2 || colours > 256) return std::nullopt;
  const int reducedColours = transparent ? colours - 1 : colours;
  PngReducedPicture reduced;
  reduced.indices.reset(new (std::nothrow) uint8_t[static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height)]);
  if (!reduced.indices) return std::nullopt;
  const auto palette = QuantiseImage(pixels, reducedColours, reduced.indices.get());
  if (!palette) return std::nullopt;

  reduced.palette.assign(static_cast<size_t>(colours), RgbColour{});
  const size_t used = static_cast<size_t>(palette->size);
  for (size_t i = 0; i < used; ++i) reduced.palette[i] = {palette->red[i], palette->green[i], palette->blue[i]};
  if (transparent) PutTransparentFirst(reduced, used, pixels, *transparent);
  return reduced;
}

}  // namespace veilo
