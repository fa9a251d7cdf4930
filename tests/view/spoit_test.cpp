#include "view/spoit.h"

#include <gtest/gtest.h>

#include <random>

#include "test_pictures.h"

namespace veilo {
namespace {

// The window system's scroll-bar codes.
constexpr int32_t kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4,
                  kThumbTrack = 5, kTop = 6, kBottom = 7;

// The picker open over a picture of the given size, magnified m times, its
// view of the given client size.
SpoitState OpenSpoit(int32_t picW, int32_t picH, int32_t m, int32_t clientW, int32_t clientH) {
  static uint8_t pixel[4];
  ColourPickTarget target;
  target.pixels = {pixel, picW, picH, RowStride24(static_cast<uint32_t>(picW))};
  SpoitState s;
  s.magnification = m;
  EXPECT_TRUE(SpoitBegin(s, target));
  SpoitResize(s, clientW, clientH);
  return s;
}

TEST(SpoitRadios, MapIndicesToMagnifications) {
  const int32_t expected[] = {1, 2, 4, 8, 16};
  for (int32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(SpoitMagnificationOf(i), expected[i]);
    EXPECT_EQ(SpoitRadioIndexOf(expected[i]), i);
  }
  EXPECT_EQ(SpoitMagnificationOf(5), 0);
  EXPECT_EQ(SpoitMagnificationOf(-1), 0);
  EXPECT_EQ(SpoitRadioIndexOf(3), -1);
}

TEST(SpoitSession, OnePickerAtATimeAndTheMagnificationIsKept) {
  SpoitState s = OpenSpoit(100, 80, 8, 200, 150);
  ASSERT_TRUE(SpoitScroll(s, SpoitAxis::kHorizontal, kBottom, 0).moved);
  ColourPickTarget target;
  EXPECT_FALSE(SpoitBegin(s, target));  // a second request while one is open
  EXPECT_EQ(s.hOffset, 600);            // and it changed nothing
  EXPECT_EQ(SpoitEnd(s), 0);
  ASSERT_TRUE(SpoitBegin(s, target));
  EXPECT_EQ(s.magnification, 8);
  EXPECT_EQ(s.hOffset, 0);
  EXPECT_EQ(s.hMax, 0);
}

TEST(SpoitRanges, MagnifiedSizeLessTheViewNeverNegative) {
  SpoitState s = OpenSpoit(100, 80, 4, 150, 100);
  EXPECT_EQ(s.hMax, 250);
  EXPECT_EQ(s.vMax, 220);
  s.hOffset = 250;
  s.vOffset = 220;
  SpoitResize(s, 300, 500);  // the offsets come back within the new maxima
  EXPECT_EQ(s.hMax, 100);
  EXPECT_EQ(s.vMax, 0);
  EXPECT_EQ(s.hOffset, 100);
  EXPECT_EQ(s.vOffset, 0);
}

TEST(SpoitScroll, StepsByCode) {
  struct Case {
    int32_t m, code, thumb, startPos;
    SpoitMove expected;
  };
  // A 100 x 80 picture in a 150 x 100 view: horizontal maximum m * 100 - 150.
  const Case cases[] = {
      {8, kLineDown, 0, 40, {true, 56}},  // still 16 pixels at 8 times
      {8, kLineUp, 0, 40, {true, 24}},
      {16, kLineDown, 0, 40, {true, 56}},
      {8, kLineUp, 0, 10, {true, 0}},          // held at 0
      {8, kLineUp, 0, 0, {false, 0}},          // nothing to do
      {8, kPageDown, 0, 40, {true, 190}},      // a page is the view's width
      {8, kPageUp, 0, 400, {true, 250}},
      {8, kThumbTrack, 37, 0, {true, 37}},     // a thumb drag moves by any amount
      {8, kThumbTrack, 9999, 0, {true, 650}},  // held at the maximum
      {8, kThumbPosition, 37, 0, {false, 0}},
      {8, kTop, 0, 300, {true, 0}},
      {8, kBottom, 0, 300, {true, 650}},
      {2, kBottom, 0, 50, {false, 50}},  // already at the maximum
      {8, 8, 0, 40, {false, 40}},        // end of scrolling, or any other code
  };
  for (const Case& c : cases) {
    SpoitState s = OpenSpoit(100, 80, c.m, 150, 100);
    s.hOffset = c.startPos;
    EXPECT_EQ(SpoitScroll(s, SpoitAxis::kHorizontal, c.code, c.thumb), c.expected)
        << "m " << c.m << " code " << c.code << " from " << c.startPos;
    EXPECT_EQ(s.hOffset, c.expected.position);
  }
  // The vertical bar moves the vertical offset by the view's height.
  SpoitState s = OpenSpoit(100, 80, 8, 150, 100);
  EXPECT_EQ(SpoitScroll(s, SpoitAxis::kVertical, kPageDown, 0), (SpoitMove{true, 100}));
  EXPECT_EQ(s.hOffset, 0);
}

TEST(SpoitWheel, FifteenStepsPerNotchOfAtLeastTwoPixels) {
  struct Case {
    int32_t m, delta, startPos;
    SpoitMove expected;
  };
  // A 100 x 100 picture in a 50 x 50 view: vertical maximum m * 100 - 50.
  const Case cases[] = {
      {1, -120, 0, {true, 30}},  // 15 steps of 2
      {8, -120, 0, {true, 120}},
      {16, -120, 0, {true, 240}},
      {8, 120, 200, {true, 80}},  // positive: up
      {8, 120, 0, {false, 0}},
      {1, -120, 40, {true, 50}},  // held at the maximum
      {4, -7, 0, {false, 0}},     // less than one step
  };
  for (const Case& c : cases) {
    SpoitState s = OpenSpoit(100, 100, c.m, 50, 50);
    s.vOffset = c.startPos;
    EXPECT_EQ(SpoitWheel(s, c.delta), c.expected) << "m " << c.m << " delta " << c.delta;
  }
}

TEST(SpoitMagnification, AChangeKeepsTheCentreOfTheView) {
  struct Case {
    int32_t from, to, offset, expectedOffset;
  };
  // A 100 x 100 picture in a 50 x 50 view, centred on picture point 50.
  const Case cases[] = {
      {1, 2, 25, 75}, {2, 4, 75, 175}, {4, 16, 175, 775}, {16, 1, 775, 25},
      {8, 2, 375, 74},  // the halving truncates: within a pixel of the centre
  };
  for (const Case& c : cases) {
    SpoitState s = OpenSpoit(100, 100, c.from, 50, 50);
    s.hOffset = s.vOffset = c.offset;
    ASSERT_TRUE(SpoitSetMagnification(s, c.to));
    EXPECT_EQ(s.magnification, c.to);
    EXPECT_EQ(s.hOffset, c.expectedOffset) << c.from << " -> " << c.to;
    EXPECT_EQ(s.vOffset, c.expectedOffset) << c.from << " -> " << c.to;
    EXPECT_NEAR((s.hOffset + 25.0) / c.to, 50.0, 1.0);
  }
  // Ranges follow the new magnification.
  SpoitState s = OpenSpoit(100, 100, 16, 50, 50);
  s.hOffset = 1550;
  ASSERT_TRUE(SpoitSetMagnification(s, 1));
  EXPECT_EQ(s.hMax, 50);
  EXPECT_EQ(s.hOffset, 50);
  EXPECT_FALSE(SpoitSetMagnification(s, 3));
  EXPECT_EQ(s.magnification, 1);
}

TEST(SpoitResize, RepaintsAllOnlyWhenMagnifiedGrownAndOverhanging) {
  struct Case {
    const char* what;
    int32_t m, picSize, fromW, fromH, toW, toH;
    bool invalidate;
  };
  const Case cases[] = {
      {"actual size", 1, 100, 50, 50, 80, 80, false},
      {"grown, picture larger than the view", 4, 100, 50, 50, 80, 50, true},
      {"shrunk", 4, 100, 80, 80, 50, 50, false},
      {"grown, picture wholly inside", 2, 10, 50, 50, 100, 100, false},
  };
  for (const Case& c : cases) {
    SpoitState s = OpenSpoit(c.picSize, c.picSize, c.m, c.fromW, c.fromH);
    EXPECT_EQ(SpoitResize(s, c.toW, c.toH), c.invalidate) << c.what;
    EXPECT_EQ(s.prevClientWidth, c.fromW);
    EXPECT_EQ(s.clientWidth, c.toW);
  }
}

TEST(SpoitPaintPlan, AtActualSizeCopiesTheCoveredPixels) {
  SpoitState s = OpenSpoit(20, 20, 1, 100, 100);
  s.hOffset = 10;  // as if the view were narrower earlier
  const SpoitPaint p = SpoitPaintPlan(s, {5, 5, 20, 20});
  EXPECT_EQ(p, (SpoitPaint{SpoitPaint::Kind::kDirect, 5, 5, 5, 15, 15, 0, 5, 15}));
}

TEST(SpoitPaintPlan, MagnifiedPaintsWholeMagnifiedPixels) {
  SpoitState s = OpenSpoit(100, 80, 4, 150, 100);
  s.hOffset = 2;
  s.vOffset = 3;
  // (5, 7)-(13, 22) is (7, 10)-(15, 25) magnified, widened to (4, 8)-(16, 28):
  // picture columns 1..3 and rows 2..6, which are rows 73..77 counted from the bottom.
  EXPECT_EQ(SpoitPaintPlan(s, {5, 7, 13, 22}), (SpoitPaint{SpoitPaint::Kind::kStretch, 2, 5, 12, 20, 1, 73, 3, 5}));

  // Clipped to the picture: a 10 x 10 picture is 40 x 40 at 4 times.
  SpoitState small = OpenSpoit(10, 10, 4, 100, 100);
  EXPECT_EQ(SpoitPaintPlan(small, {30, 30, 100, 100}),
            (SpoitPaint{SpoitPaint::Kind::kStretch, 28, 28, 12, 12, 7, 0, 3, 3}));
  EXPECT_EQ(SpoitPaintPlan(small, {50, 50, 60, 60}).kind, SpoitPaint::Kind::kNothing);
}

TEST(SpoitPaintPlan, PartialPaintsStartOnWholeMagnifiedPixelsAndCoverTheUpdate) {
  std::mt19937 rng(3);
  for (int32_t m : kSpoitMagnifications) {
    SpoitState s = OpenSpoit(37, 29, m, 120, 90);
    std::uniform_int_distribution<int32_t> offset(0, std::max(s.hMax, 0));
    std::uniform_int_distribution<int32_t> voffset(0, std::max(s.vMax, 0));
    std::uniform_int_distribution<int32_t> coord(-10, 130);
    for (int i = 0; i < 300; ++i) {
      s.hOffset = offset(rng);
      s.vOffset = voffset(rng);
      const PixelRect r = NormalisedRect(coord(rng), coord(rng), coord(rng), coord(rng));
      const WindowRect u{r.left, r.top, r.right, r.bottom};
      const SpoitPaint p = SpoitPaintPlan(s, u);
      // What the update asks for, clipped to the magnified picture, in magnified coordinates.
      const int32_t wantL = std::max(0, u.left + s.hOffset), wantR = std::min(m * 37, u.right + s.hOffset);
      const int32_t wantT = std::max(0, u.top + s.vOffset), wantB = std::min(m * 29, u.bottom + s.vOffset);
      if (wantL >= wantR || wantT >= wantB) {
        EXPECT_EQ(p.kind, SpoitPaint::Kind::kNothing);
        continue;
      }
      ASSERT_NE(p.kind, SpoitPaint::Kind::kNothing);
      const int32_t l = p.destX + s.hOffset, t = p.destY + s.vOffset;
      EXPECT_EQ(l % m, 0);
      EXPECT_EQ(t % m, 0);
      EXPECT_LE(l, wantL);
      EXPECT_LE(t, wantT);
      EXPECT_GE(l + p.destWidth, wantR);
      EXPECT_GE(t + p.destHeight, wantB);
      // Source and destination describe the same pixels.
      EXPECT_EQ(p.srcX * m, l);
      EXPECT_EQ(p.srcWidth * m, p.destWidth);
      EXPECT_EQ(p.srcHeight * m, p.destHeight);
      EXPECT_EQ(29 - p.srcY - p.srcHeight, t / m);
      EXPECT_GE(p.srcY, 0);
      EXPECT_LE(p.srcX + p.srcWidth, 37);
    }
  }
}

class SpoitPicking : public ::testing::Test {
 protected:
  // Pixel (x, y) of a 10 x 6 picture is red x, green y, blue 7.
  ImageDoc doc = testing::MakeDoc(10, 6, [](int32_t x, int32_t y) {
    return testing::Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7};
  });
  ColourPickTarget target = PickTargetOf(doc);
  SpoitState s;

  void SetUp() override {
    doc.transparentColor = {1, 2, 3};
    target = PickTargetOf(doc);
    s.magnification = 4;
    ASSERT_TRUE(SpoitBegin(s, target));
    SpoitResize(s, 20, 20);
    s.hOffset = 6;
    s.vOffset = 2;
  }
};

TEST_F(SpoitPicking, ThePointerMapsThroughOffsetAndMagnification) {
  struct Case {
    int32_t clientX, clientY;
    int32_t x, y;
    bool inside;
  };
  const Case cases[] = {
      {1, 1, 1, 0, true},     // (7, 3) / 4
      {2, 1, 2, 0, true},     // (8, 3) / 4
      {-7, 0, -1, 0, false},  // left of the picture, not column 0
      {33, 21, 9, 5, true},   // the last pixel
      {34, 21, 10, 5, false},
      {33, 22, 9, 6, false},
  };
  for (const Case& c : cases) {
    const SpoitPixel p = SpoitPictureAt(s, c.clientX, c.clientY);
    EXPECT_EQ(p.x, c.x) << c.clientX << "," << c.clientY;
    EXPECT_EQ(p.y, c.y) << c.clientX << "," << c.clientY;
    EXPECT_EQ(p.inside, c.inside) << c.clientX << "," << c.clientY;
  }
  EXPECT_EQ(SpoitColourAt(s, target, 33, 21), (std::array<uint8_t, 3>{9, 5, 7}));
  EXPECT_EQ(SpoitColourAt(s, target, 34, 21), std::nullopt);
}

TEST_F(SpoitPicking, ARightClickWithoutAPickReturnsNothingAndKeepsTheColour) {
  EXPECT_FALSE(SpoitLeftDown(s, target, -7, 0));  // off the picture: no pick
  EXPECT_FALSE(SpoitLeftUp(s));                   // the picker stays
  EXPECT_EQ(SpoitEnd(s), 0);                      // the right button closed it
  EXPECT_EQ(target.colour, (std::array<uint8_t, 3>{1, 2, 3}));
  EXPECT_FALSE(target.colourChosen);
}

TEST_F(SpoitPicking, ALeftClickPicksThePixelAndTheButtonUpCloses) {
  ASSERT_TRUE(SpoitLeftDown(s, target, 10, 6));  // (16, 8) / 4 = pixel (4, 2)
  EXPECT_EQ(target.colour, (std::array<uint8_t, 3>{4, 2, 7}));
  EXPECT_TRUE(target.colourChosen);
  EXPECT_TRUE(SpoitLeftUp(s));
  EXPECT_EQ(SpoitEnd(s), 1);
}

TEST(SpoitPickerLayout, ControlsFollowTheFontAndTheViewTakesTheRest) {
  EXPECT_EQ(SpoitLineHeight(2, 13), 19);
  const SpoitLayout l = SpoitPickerLayout(392, 266, 7, 16);
  EXPECT_EQ(l.swatch, (ControlBox{10, 6, 42, 24}));
  for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(l.radios[static_cast<size_t>(i)], (ControlBox{72 + 66 * i, 10, 56, 16}));
  EXPECT_EQ(l.view, (ControlBox{0, 36, 392, 230}));
  // A client area shorter than the controls leaves the view empty, never negative.
  EXPECT_EQ(SpoitPickerLayout(100, 20, 7, 16).view, (ControlBox{0, 36, 100, 0}));
  EXPECT_EQ(SpoitPickerPlacement(50, 40, 7, 19), (ControlBox{120, 135, 400, 300}));
}

TEST(SpoitPickerLayout, PixelLengthsScaleWithTheDpi) {
  EXPECT_EQ(SpoitLineHeight(3, 20, 144), 29);
  const SpoitLayout l = SpoitPickerLayout(600, 400, 10, 29, 144);
  EXPECT_EQ(l.swatch, (ControlBox{15, 9, 60, 41}));
  EXPECT_EQ(l.radios[1], (ControlBox{60 + 45 + 95, 15, 80, 29}));
  EXPECT_EQ(l.view, (ControlBox{0, 59, 600, 341}));
  EXPECT_EQ(SpoitPickerPlacement(50, 40, 10, 29, 144), (ControlBox{150, 185, 600, 450}));
}

}  // namespace
}  // namespace veilo
