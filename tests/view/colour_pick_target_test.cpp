#include "view/colour_pick_target.h"

#include <gtest/gtest.h>

#include "test_pictures.h"

namespace veilo {
namespace {

using testing::Rgb;
using Colour = std::array<uint8_t, 3>;

// A 3 x 2 picture whose bottom-left pixel is (9, 8, 7) and whose top-left one is (1, 2, 3).
ImageDoc SmallDoc() {
  return testing::MakeDoc(3, 2, [](int32_t x, int32_t y) {
    if (x == 0) return y == 1 ? Rgb{9, 8, 7} : Rgb{1, 2, 3};
    return Rgb{50, 50, 50};
  });
}

TEST(SetTransparencyChecked, TheFirstCheckTakesTheBottomLeftPixelAndLaterChecksKeepTheColour) {
  ImageDoc doc = SmallDoc();
  ColourPickTarget t = PickTargetOf(doc);  // the document has no transparent colour
  SetTransparencyChecked(t, true);
  EXPECT_TRUE(t.useTransparent);
  EXPECT_EQ(t.colour, (Colour{9, 8, 7}));
  t.colour = {4, 5, 6};  // as if picked
  SetTransparencyChecked(t, false);
  EXPECT_FALSE(t.useTransparent);
  EXPECT_TRUE(t.colourChosen);
  SetTransparencyChecked(t, true);
  EXPECT_EQ(t.colour, (Colour{4, 5, 6}));
}

TEST(SetTransparencyChecked, ADocumentsOwnTransparentColourSurvivesUncheckingAndChecking) {
  ImageDoc doc = SmallDoc();
  doc.useTransparent = 1;
  doc.transparentColor = {20, 30, 40};
  ColourPickTarget t = PickTargetOf(doc);
  SetTransparencyChecked(t, false);
  SetTransparencyChecked(t, true);
  EXPECT_TRUE(t.useTransparent);
  EXPECT_EQ(t.colour, (Colour{20, 30, 40}));
}

TEST(SetTransparencyChecked, APickedColourIsKept) {
  ImageDoc doc = SmallDoc();
  ColourPickTarget t = PickTargetOf(doc);
  t.colour = {4, 5, 6};
  t.colourChosen = true;
  SetTransparencyChecked(t, true);
  EXPECT_EQ(t.colour, (Colour{4, 5, 6}));
}

TEST(SetTransparencyChecked, WithoutAPictureTheColourStays) {
  ImageDoc doc;
  ColourPickTarget t = PickTargetOf(doc);
  t.colour = {1, 1, 1};
  SetTransparencyChecked(t, true);
  EXPECT_TRUE(t.useTransparent);
  EXPECT_EQ(t.colour, (Colour{1, 1, 1}));
}

}  // namespace
}  // namespace veilo
