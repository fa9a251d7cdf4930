// CMYK samples to blue, green, red: plain files store ink amounts, Adobe's
// store them inverted.
#include <gtest/gtest.h>

#include <array>

#include "formats/jpeg_cmyk.h"

namespace veilo {
namespace {

struct CmykCase {
  std::array<uint8_t, 4> cmyk;
  bool adobeInverted;
  std::array<uint8_t, 3> bgr;
};

TEST(CmykToBgr, InkAmountsAndAdobesInvertedSamples) {
  const CmykCase cases[] = {
      {{0, 0, 0, 0}, false, {255, 255, 255}},      // no ink: white
      {{0, 0, 0, 255}, false, {0, 0, 0}},          // full black
      {{255, 0, 0, 0}, false, {255, 255, 0}},      // cyan ink: no red
      {{0, 255, 255, 0}, false, {0, 0, 255}},      // magenta + yellow: red
      {{255, 255, 255, 255}, true, {255, 255, 255}},  // Adobe: 255 = no ink
      {{255, 255, 255, 0}, true, {0, 0, 0}},
      {{0, 255, 255, 255}, true, {255, 255, 0}},   // Adobe cyan
      {{128, 64, 32, 128}, true, {16, 32, 64}},    // products rounded: 32*128/255 = 16.06
      {{127, 191, 223, 127}, false, {16, 32, 64}},  // the same colour as ink amounts
  };
  for (const CmykCase& c : cases) {
    std::array<uint8_t, 3> bgr{};
    CmykRowToBgr(c.cmyk.data(), bgr.data(), 1, c.adobeInverted);
    EXPECT_EQ(bgr, c.bgr) << int(c.cmyk[0]) << " " << int(c.cmyk[1]) << " " << int(c.cmyk[2]) << " "
                          << int(c.cmyk[3]) << (c.adobeInverted ? " Adobe" : "");
  }
}

TEST(CmykToBgr, RoundsEveryProductToNearest) {
  for (uint32_t a = 0; a < 256; ++a)
    for (uint32_t k = 0; k < 256; k += 5) {
      const uint8_t cmyk[4] = {static_cast<uint8_t>(a), 0, 0, static_cast<uint8_t>(k)};
      uint8_t bgr[3];
      CmykRowToBgr(cmyk, bgr, 1, true);
      ASSERT_EQ(bgr[2], (a * k + 127) / 255) << a << " " << k;
    }
}

}  // namespace
}  // namespace veilo
