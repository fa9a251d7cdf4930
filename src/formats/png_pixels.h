#pragma once
// Pixel rules of the PNG reader that need no library: the background colour
// taken from a bKGD chunk, and the conversion of decoded rows into the
// bottom-up 24-bit rows of a document.
#include <array>
#include <cstdint>

namespace veilo {

struct PngBackground {
  uint8_t red = 0, green = 0, blue = 0;  // black without a bKGD chunk
};

// The bKGD chunk's values as the library reports them: for palette pictures
// the palette entry's colour, for gray pictures the gray level in all three
// of red, green and blue.
struct PngBkgdValues {
  uint16_t red = 0, green = 0, blue = 0;
};

// The 8-bit background colour: the high byte of 16-bit samples, gray levels
// of 1-, 2- and 4-bit pictures scaled to 0..255, other values as given.
PngBackground BackgroundFromBkgd(int colourType, int bitDepth, const PngBkgdValues& v);

// The first fully transparent pixel met fixes the document's transparent colour.
struct PngTransparentPick {
  bool found = false;
  std::array<uint8_t, 3> colour{};  // red, green, blue
};

// Converts one decoded row of blue, green, red, alpha pixels into blue,
// green, red. Pixels with alpha strictly between 0 and 255 are blended over
// the background; opaque and fully transparent pixels keep their colour.
void ConvertBgraRow(const uint8_t* bgra, uint8_t* bgr, uint32_t width, const PngBackground& bg,
                    PngTransparentPick& pick);

// One channel blended over the background: t = c*a + bg*(255-a) + 128,
// (t + t/256) / 256, which rounds c*a/255 + bg*(255-a)/255 to nearest.
constexpr uint8_t BlendOverBackground(uint8_t c, uint8_t alpha, uint8_t bg) {
  const uint32_t t = uint32_t{c} * alpha + uint32_t{bg} * (255u - alpha) + 128u;
  return static_cast<uint8_t>((t + t / 256) / 256);
}

}  // namespace veilo
