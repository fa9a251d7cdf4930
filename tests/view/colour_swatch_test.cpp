#include "view/colour_swatch.h"

#include <gtest/gtest.h>

namespace veilo {
namespace {

using Op = SwatchStroke::Op;
constexpr WindowRect kButton{0, 0, 40, 20};
constexpr std::array<uint8_t, 3> kColour{10, 20, 30};

TEST(SwatchButtonStrokes, ADisabledButtonShowsOnlyTheFace) {
  const auto strokes = SwatchButtonStrokes(kButton, false, false, true, kColour);
  ASSERT_EQ(strokes.size(), 1u);
  EXPECT_EQ(strokes[0].op, Op::kFill);
  EXPECT_EQ(strokes[0].rect, kButton);
  EXPECT_EQ(strokes[0].ink, SwatchInk::kFace);
}

TEST(SwatchButtonStrokes, TheColourSitsFourPixelsInsideFramedBlack) {
  const auto strokes = SwatchButtonStrokes(kButton, false, true, true, kColour);
  ASSERT_GE(strokes.size(), 4u);
  EXPECT_EQ(strokes[0].ink, SwatchInk::kFace);
  EXPECT_EQ(strokes[1].op, Op::kFrame);
  EXPECT_EQ(strokes[1].ink, SwatchInk::kDarkGrey);
  EXPECT_EQ(strokes[2].op, Op::kFill);
  EXPECT_EQ(strokes[2].ink, SwatchInk::kColour);
  EXPECT_EQ(strokes[2].rect, (WindowRect{4, 4, 36, 16}));
  EXPECT_EQ(strokes[2].colour, kColour);
  EXPECT_EQ(strokes[3].op, Op::kFrame);
  EXPECT_EQ(strokes[3].ink, SwatchInk::kBlack);
  EXPECT_EQ(strokes[3].rect, strokes[2].rect);

  // Without transparency there is no colour at all.
  for (const SwatchStroke& s : SwatchButtonStrokes(kButton, false, true, false, kColour)) {
    EXPECT_NE(s.ink, SwatchInk::kColour);
    EXPECT_NE(s.ink, SwatchInk::kBlack);
  }
}

TEST(SwatchButtonStrokes, PressingExchangesTheLightAndShadowEdges) {
  // The edges are the last four strokes: top, left, right, bottom, inside the frame.
  const WindowRect edges[] = {{1, 1, 39, 2}, {1, 1, 2, 19}, {38, 1, 39, 19}, {1, 18, 39, 19}};
  for (bool pressed : {false, true}) {
    const auto strokes = SwatchButtonStrokes(kButton, pressed, true, false, kColour);
    ASSERT_EQ(strokes.size(), 6u);
    const SwatchInk lit = pressed ? SwatchInk::kShadow : SwatchInk::kHighlight;
    const SwatchInk dark = pressed ? SwatchInk::kHighlight : SwatchInk::kShadow;
    const SwatchInk inks[] = {lit, lit, dark, dark};
    for (size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(strokes[2 + i].rect, edges[i]) << "edge " << i << (pressed ? " pressed" : "");
      EXPECT_EQ(strokes[2 + i].ink, inks[i]) << "edge " << i << (pressed ? " pressed" : "");
    }
  }
}

TEST(SwatchButtonStrokes, ATinyButtonGetsNoEmptyOrInvertedRectangles) {
  for (const SwatchStroke& s : SwatchButtonStrokes({0, 0, 6, 3}, false, true, true, kColour)) {
    EXPECT_LT(s.rect.left, s.rect.right);
    EXPECT_LT(s.rect.top, s.rect.bottom);
  }
}

}  // namespace
}  // namespace veilo
