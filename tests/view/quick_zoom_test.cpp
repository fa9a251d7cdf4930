#include "view/quick_zoom.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

namespace veilo {
namespace {

TEST(ThumbnailLayout, FitsThePictureIntoTheBoxCentred) {
  struct Case {
    int32_t picW, picH, boxW, boxH;
    ThumbLayout expected;
  };
  const Case cases[] = {
      {1000, 500, 160, 160, {160, 80, 160.0f / 1000.0f, 0, 40}},   // wide: the width meets the box
      {500, 1000, 160, 160, {80, 160, 160.0f / 1000.0f, 40, 0}},   // tall
      {1000, 1000, 160, 160, {160, 160, 160.0f / 1000.0f, 0, 0}},  // square
      {1, 1, 160, 160, {160, 160, 160.0f, 0, 0}},                  // enlarged
      {300, 300, 200, 100, {100, 100, 100.0f / 300.0f, 50, 0}},    // square picture, wide box
      {7, 3, 160, 150, {160, 68, 160.0f / 7.0f, 0, 41}},           // truncated height, odd margin
      {10000, 1, 160, 160, {160, 1, 160.0f / 10000.0f, 0, 79}},    // never a copy of no rows
      {0, 0, 160, 160, {0, 0, 0.0f, 80, 80}},                      // no picture
      {100, 100, 0, 0, {0, 0, 0.0f, 0, 0}},                        // no box
  };
  for (const Case& c : cases) {
    const ThumbLayout t = ThumbnailLayout(c.picW, c.picH, c.boxW, c.boxH);
    EXPECT_EQ(t, c.expected) << c.picW << "x" << c.picH << " in " << c.boxW << "x" << c.boxH << ": got "
                             << t.thumbWidth << "x" << t.thumbHeight << " scale " << t.thumbScale << " at "
                             << t.offsetX << "," << t.offsetY;
  }
}

TEST(QuickZoomPlacement, KeepsTheWindowOnTheScreenOrFallsBackToTheDefault) {
  struct Case {
    int32_t x, y, width, height, screenW, screenH;
    WindowPlacement expected;
  };
  const Case cases[] = {
      {300, 200, 160, 160, 1024, 768, {300, 200, false}},
      {2000, 100, 160, 160, 1024, 768, {864, 100, false}},  // pulled back from the right
      {100, 700, 160, 160, 1024, 768, {100, 608, false}},   // and from the bottom
      {-5, 100, 160, 160, 1024, 768, {0, 0, true}},         // off the left edge
      {0, 0, 160, 160, 100, 100, {0, 0, true}},             // larger than the screen
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QuickZoomPlacement(c.x, c.y, c.width, c.height, c.screenW, c.screenH), c.expected)
        << c.x << "," << c.y;
  }
}

// The default 160 x 160 box: a 640 x 480 picture gets a copy of 160 x 120 at (0, 20), scale exactly 1/4.
constexpr int32_t kBox = 160;

ImageDoc PictureDoc(int32_t width, int32_t height, int32_t clientW, int32_t clientH, int32_t zoom = 100) {
  ImageDoc doc;
  doc.width = width;
  doc.height = height;
  doc.clientWidth = clientW;
  doc.clientHeight = clientH;
  doc.zoomPercent = zoom;
  doc.docWindow = 0x1234;
  StoreThumbLayout(doc, ThumbnailLayout(width, height, kBox, kBox));
  return doc;
}

ThumbLayout LayoutOf(const ImageDoc& doc) {
  QuickZoomState qz;
  qz.boxWidth = qz.boxHeight = kBox;
  return QuickZoomLayout(qz, doc);
}

TEST(VisibleOutline, ScalesTheVisibleRectangleIntoTheBox) {
  const ThumbLayout layout = ThumbnailLayout(640, 480, kBox, kBox);
  ASSERT_EQ(layout.offsetY, 20);
  EXPECT_EQ(VisibleOutline(layout, {100, 60, 420, 260}), (WindowRect{25, 35, 105, 85}));
  EXPECT_EQ(VisibleOutline(layout, {0, 0, 640, 480}), (WindowRect{0, 20, 160, 140}));
  // A left edge before the picture's start draws nothing.
  EXPECT_EQ(VisibleOutline(layout, {-8, 0, 100, 100}), std::nullopt);
  // No copy, no outline.
  EXPECT_EQ(VisibleOutline(ThumbnailLayout(0, 0, kBox, kBox), {0, 0, 10, 10}), std::nullopt);
  // The scaled extent is held to 16 bits rather than wrapped into a negative size.
  const auto huge = VisibleOutline(layout, {0, 0, 2'000'000, 10});
  ASSERT_TRUE(huge.has_value());
  EXPECT_EQ(huge->right, 32767);
}

TEST(ClampToThumb, HoldsPointsInsideTheCopyBothEndsIncluded) {
  const ThumbLayout layout = ThumbnailLayout(640, 480, kBox, kBox);  // x 0..160, y 20..140
  EXPECT_EQ(ClampToThumb(layout, -5, 10), (BoxPoint{0, 20}));
  EXPECT_EQ(ClampToThumb(layout, 170, 150), (BoxPoint{160, 140}));
  EXPECT_EQ(ClampToThumb(layout, 50, 60), (BoxPoint{50, 60}));
}

TEST(CentreViewOn, ClicksNearTheEdgeStopAtTheMaximumOffset) {
  // 640 x 512: copy 160 x 128 at (0, 16), scale 1/4; the client shows 400 x 300, maxima 240 and 212.
  struct Case {
    int32_t boxX, boxY;
    int32_t h, v;
  };
  const Case cases[] = {
      {159, 143, 240, 212},  // the bottom-right corner of the copy
      {300, 300, 240, 212},  // beyond the copy
      {2, 17, 0, 0},         // the top-left corner
      {-40, -40, 0, 0},
  };
  for (const Case& c : cases) {
    const ImageDoc doc = PictureDoc(640, 512, 400, 300);
    const auto move = CentreViewOn(doc, LayoutOf(doc), c.boxX, c.boxY);
    ASSERT_TRUE(move.has_value());
    EXPECT_EQ(std::tie(move->hScrollPos, move->vScrollPos), std::tie(c.h, c.v)) << c.boxX << "," << c.boxY;
  }
  // A picture smaller than the window has nowhere to scroll.
  const ImageDoc small = PictureDoc(100, 80, 400, 300);
  const auto move = CentreViewOn(small, LayoutOf(small), 150, 120);
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(move->hScrollPos, 0);
  EXPECT_EQ(move->vScrollPos, 0);
}

TEST(CentreViewOn, SmallMovesGoThroughTheScrollBarsLargeOnesAreSetDirectly) {
  ImageDoc doc = PictureDoc(640, 512, 400, 300);
  doc.hScrollPos = 100;
  doc.vScrollPos = 100;
  // Box (80, 80) is picture (320, 256): centred view at (120, 106), less than half a view away.
  auto move = CentreViewOn(doc, LayoutOf(doc), 80, 80);
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(move->hScrollPos, 120);
  EXPECT_EQ(move->vScrollPos, 106);
  EXPECT_TRUE(move->smallMove);
  EXPECT_TRUE(move->hChanged && move->vChanged);

  // Far away in one direction only: set directly; the other direction stays.
  doc.hScrollPos = 0;
  doc.vScrollPos = 106;
  move = CentreViewOn(doc, LayoutOf(doc), 159, 80);
  ASSERT_TRUE(move.has_value());
  EXPECT_FALSE(move->smallMove);
  EXPECT_TRUE(move->hChanged);
  EXPECT_FALSE(move->vChanged);
}

TEST(CentreViewOn, AboveOneHundredPercentOffsetsAreWholePicturePixels) {
  // 400 %: picture (324, 252) is zoomed (1296, 1008); half the view is 201 by 151.
  const ImageDoc doc = PictureDoc(640, 512, 402, 302, 400);
  const auto move = CentreViewOn(doc, LayoutOf(doc), 81, 16 + 63);
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(move->hScrollPos, 1092);  // 1095 down to a multiple of 4
  EXPECT_EQ(move->vScrollPos, 856);   // 857 likewise
}

TEST(CentreViewOn, NothingWithoutAReducedCopy) {
  ImageDoc doc = PictureDoc(640, 480, 400, 300);
  doc.thumbScale = 0.0f;
  EXPECT_EQ(CentreViewOn(doc, LayoutOf(doc), 10, 10).has_value(), false);
}

struct BandCase {
  const char* what;
  BoxPoint anchor, corner;  // box coordinates; the copy of 640 x 480 lies at y 20..140
  BandZoom expected;
};

TEST(ZoomForBand, WidensToTheWindowAndRoundsTheZoom) {
  const BandCase cases[] = {
      {"band of the window's shape, one window's worth", {10, 30}, {110, 105}, {100, 40, 40}},
      {"wider than the window's worth: below 100 and not a multiple of ten", {0, 20}, {158, 138}, {63, 0, 0}},
      {"smaller: a multiple of ten rounded to nearest (357 -> 360)", {0, 20}, {28, 41}, {360, 0, 0}},
      {"smaller: 384.6 -> 380", {0, 20}, {26, 39}, {380, 0, 0}},
      // Taller than the window's shape: widened to 53 around its middle, left 50 -> 29.
      {"widened", {50, 20}, {60, 60}, {190, 218, 0}},
      // Flatter: heightened to 30 around its middle, top 40 -> 30; 2.5 gives 250.
      {"heightened", {40, 70}, {0, 60}, {250, 0, 300}},
      // A factor of 50 is held to 1600; the offsets place the band at 16 times.
      {"held to 1600", {40, 60}, {42, 62}, {1600, 2560, 2560}},
  };
  const ImageDoc doc = PictureDoc(640, 480, 400, 300);
  for (const BandCase& c : cases) {
    const auto zoom = ZoomForBand(doc, LayoutOf(doc), c.anchor, c.corner);
    ASSERT_TRUE(zoom.has_value()) << c.what;
    EXPECT_EQ(*zoom, c.expected) << c.what << ": got " << zoom->zoomPercent << " at " << zoom->hScrollPos << ","
                                 << zoom->vScrollPos;
  }
}

TEST(ZoomForBand, NeverBelowOnePercent) {
  // A 64000 x 48000 picture in a 10 x 10 window: the whole copy is 0.016 %.
  const ImageDoc doc = PictureDoc(64000, 48000, 10, 10);
  const auto zoom = ZoomForBand(doc, LayoutOf(doc), {0, 20}, {160, 140});
  ASSERT_TRUE(zoom.has_value());
  EXPECT_EQ(zoom->zoomPercent, 1);
}

TEST(ZoomForBand, NothingForADegenerateBandOrWindow) {
  const ImageDoc doc = PictureDoc(640, 480, 400, 300);
  EXPECT_FALSE(ZoomForBand(doc, LayoutOf(doc), {10, 30}, {10, 80}).has_value());
  EXPECT_FALSE(ZoomForBand(doc, LayoutOf(doc), {10, 30}, {50, 30}).has_value());
  const ImageDoc minimised = PictureDoc(640, 480, 0, 0);
  EXPECT_FALSE(ZoomForBand(minimised, LayoutOf(minimised), {10, 30}, {50, 80}).has_value());
}

// Replays inversions on a model of the box, where an inverted rectangle shows
// until it is inverted again.
struct InvertedBox {
  std::map<std::tuple<int32_t, int32_t, int32_t, int32_t>, int> parity;
  void Apply(const BoxInversions& list) {
    for (const WindowRect& r : list) parity[{r.left, r.top, r.right, r.bottom}] ^= 1;
  }
  // What is visible on the box, as the state believes it.
  static InvertedBox Expected(const QuickZoomState& qz) {
    InvertedBox b;
    b.Apply(QuickZoomPaintOverlays(qz));
    return b;
  }
  bool operator==(const InvertedBox& o) const {
    auto shown = [](const InvertedBox& b) {
      std::map<std::tuple<int32_t, int32_t, int32_t, int32_t>, int> s;
      for (const auto& [k, v] : b.parity)
        if (v) s[k] = 1;
      return s;
    };
    return shown(*this) == shown(o);
  }
};

class QuickZoomEvents : public ::testing::Test {
 protected:
  ImageDoc doc = PictureDoc(640, 480, 400, 300);
  QuickZoomState qz;
  InvertedBox box;

  void SetUp() override {
    qz.boxWidth = qz.boxHeight = kBox;
    QuickZoomShowDocument(qz, doc.docWindow);
  }
  void Show(const PixelRect& visible) { box.Apply(QuickZoomShowVisibleRect(qz, doc, visible)); }
  void Down(int32_t x, int32_t y) { box.Apply(QuickZoomRightDown(qz, doc, x, y)); }
  void Drag(int32_t x, int32_t y) { box.Apply(QuickZoomRightDrag(qz, doc, x, y)); }
  std::optional<BandZoom> Up(int32_t x, int32_t y) {
    const BandRelease r = QuickZoomRightUp(qz, doc, x, y);
    box.Apply(r.inversions);
    return r.zoom;
  }
};

TEST_F(QuickZoomEvents, TheOutlineMovesWithTheView) {
  Show({0, 0, 400, 300});
  EXPECT_EQ(box.parity.size(), 1u);
  EXPECT_TRUE(qz.outlineDrawn);
  const BoxInversions second = QuickZoomShowVisibleRect(qz, doc, {40, 40, 440, 340});
  ASSERT_EQ(second.size(), 2u);  // the old one goes first
  EXPECT_EQ(second[0], (WindowRect{0, 20, 100, 95}));
  EXPECT_EQ(second[1], (WindowRect{10, 30, 110, 105}));
  box.Apply(second);
  EXPECT_EQ(box, InvertedBox::Expected(qz));

  // Another document's view is not this window's business.
  ImageDoc other = PictureDoc(640, 480, 400, 300);
  other.docWindow = 0x9999;
  EXPECT_TRUE(QuickZoomShowVisibleRect(qz, other, {0, 0, 10, 10}).empty());
}

TEST_F(QuickZoomEvents, ABandEndingOnTheAnchorsRowOrColumnDoesNotZoom) {
  struct Case {
    const char* what;
    BoxPoint anchor, release;
  };
  const Case cases[] = {
      {"same row", {20, 40}, {90, 40}},
      {"same column", {20, 40}, {20, 100}},
      {"clamped onto the anchor's column", {0, 40}, {-30, 100}},
      {"clamped onto the anchor's row", {30, 140}, {100, 175}},
  };
  for (const Case& c : cases) {
    Show({0, 0, 400, 300});
    Down(c.anchor.x, c.anchor.y);
    Drag(c.release.x, c.release.y);
    EXPECT_FALSE(Up(c.release.x, c.release.y).has_value()) << c.what;
    // The band is gone and the outline is back.
    EXPECT_FALSE(qz.bandDrawn);
    EXPECT_TRUE(qz.outlineDrawn);
    EXPECT_EQ(box, InvertedBox::Expected(qz)) << c.what;
  }
}

TEST_F(QuickZoomEvents, ABandZoomsToItsLastTrackedCorner) {
  Show({0, 0, 400, 300});
  Down(10, 30);
  EXPECT_FALSE(qz.outlineDrawn);  // out of the way while the band runs
  Drag(60, 60);
  Drag(110, 105);
  EXPECT_EQ(box, InvertedBox::Expected(qz));
  const auto zoom = Up(110, 105);
  ASSERT_TRUE(zoom.has_value());
  EXPECT_EQ(*zoom, (BandZoom{100, 40, 40}));
  EXPECT_EQ(box, InvertedBox::Expected(qz));
  EXPECT_FALSE(qz.bandDrawn);
}

TEST_F(QuickZoomEvents, EventsWithoutARightButtonDownDoNothingToTheBand) {
  Show({0, 0, 400, 300});
  EXPECT_TRUE(QuickZoomRightDrag(qz, doc, 50, 50).empty());
  const BandRelease r = QuickZoomRightUp(qz, doc, 50, 50);
  EXPECT_TRUE(r.inversions.empty());
  EXPECT_FALSE(r.zoom.has_value());
}

TEST_F(QuickZoomEvents, WhatIsDrawnAlwaysMatchesWhatTheStateBelieves) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int32_t> coord(-20, 180);
  std::uniform_int_distribution<int> event(0, 6);
  for (int i = 0; i < 2000; ++i) {
    const int32_t x = coord(rng), y = coord(rng);
    switch (event(rng)) {
      case 0: Show({x * 4, y * 4, x * 4 + 400, y * 4 + 300}); break;
      case 1: Down(x, y); break;
      case 2:
      case 3: Drag(x, y); break;
      case 4: Up(x, y); break;
      case 5: box.Apply(QuickZoomHover(qz)); break;
      case 6:  // a full repaint: the copy is drawn afresh, then the overlays
        box = InvertedBox{};
        box.Apply(QuickZoomPaintOverlays(qz));
        break;
    }
    ASSERT_EQ(box, InvertedBox::Expected(qz)) << "after event " << i;
  }
}

TEST_F(QuickZoomEvents, ForgettingTheShownDocument) {
  Show({0, 0, 400, 300});
  EXPECT_FALSE(QuickZoomForgetDocument(qz, 0x9999));
  EXPECT_TRUE(qz.outlineDrawn);
  EXPECT_TRUE(QuickZoomForgetDocument(qz, doc.docWindow));
  EXPECT_EQ(qz.shownWindow, 0u);
  EXPECT_TRUE(QuickZoomPaintOverlays(qz).empty());
  EXPECT_TRUE(QuickZoomHover(qz).empty());  // no outline comes back for a forgotten document
}

TEST_F(QuickZoomEvents, AFreshCopyLosesTheOutlineUntilThePointerReturns) {
  Show({0, 0, 400, 300});
  QuickZoomForgetDrawing(qz);
  EXPECT_TRUE(QuickZoomPaintOverlays(qz).empty());
  const BoxInversions back = QuickZoomHover(qz);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0], (WindowRect{0, 20, 100, 95}));
}

}  // namespace
}  // namespace veilo
