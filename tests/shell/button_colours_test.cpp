#include "shell/button_colours.h"

#include <gtest/gtest.h>

#include "test_pictures.h"

namespace veilo {
namespace {

using testing::Rgb;

// A row of the three classic colours, a glyph colour and a near-miss of the face colour.
ImageDoc ClassicRow() {
  const Rgb row[] = {{0x80, 0x80, 0x80}, {0xC0, 0xC0, 0xC0}, {0xFF, 0xFF, 0xFF}, {0x20, 0x40, 0xE0}, {0xC0, 0xC0, 0xC1}};
  return testing::MakeDoc(5, 1, [&](int32_t x, int32_t) { return row[x]; });
}

TEST(FitButtonColours, ReplacesExactlyTheClassicColours) {
  ImageDoc doc = ClassicRow();
  // Dark theme: the system's highlight is the classic shadow colour, which must not be replaced again.
  const ButtonColours dark{0x202020, 0x404040, 0x808080};
  EXPECT_TRUE(FitButtonColours(DocPixels(doc), dark));
  EXPECT_EQ(testing::PixelOf(doc, 0, 0), (Rgb{0x20, 0x20, 0x20}));
  EXPECT_EQ(testing::PixelOf(doc, 1, 0), (Rgb{0x40, 0x40, 0x40}));
  EXPECT_EQ(testing::PixelOf(doc, 2, 0), (Rgb{0x80, 0x80, 0x80}));
  EXPECT_EQ(testing::PixelOf(doc, 3, 0), (Rgb{0x20, 0x40, 0xE0}));
  EXPECT_EQ(testing::PixelOf(doc, 4, 0), (Rgb{0xC0, 0xC0, 0xC1}));
}

TEST(FitButtonColours, LeavesThePictureAloneWithClassicColours) {
  ImageDoc doc = ClassicRow();
  ImageDoc before = ClassicRow();
  EXPECT_FALSE(FitButtonColours(DocPixels(doc), kClassicButtonColours));
  EXPECT_EQ(testing::DescribePixelDifference(doc, before), "");
}

}  // namespace
}  // namespace veilo
