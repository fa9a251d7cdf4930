// Scroll-bar codes, the wheel, limited moves, resizing and the visible rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "view/scrolling.h"
#include "view_doc.h"

namespace veilo {
namespace {

using testing::ViewDoc;

// A 1000 x 1000 picture in a 300 x 200 client at `zoom`, both offsets at `pos`.
ImageDoc Scrolled(int32_t zoom, int32_t pos) {
  ImageDoc doc = ViewDoc(1000, 1000, zoom, 300, 200);
  UpdateScrollRanges(doc);
  doc.hScrollPos = pos;
  doc.vScrollPos = pos;
  return doc;
}

TEST(ScrollDocument, StepOfEachCode) {
  struct Case {
    const char* what;
    int32_t zoom, pos, code, thumb;
    int32_t vertical, horizontal;  // the new offsets
  };
  const Case cases[] = {
      {"line down at 100 %", 100, 40, kScrollLineDown, 0, 56, 56},
      {"line up at 100 %", 100, 40, kScrollLineUp, 0, 24, 24},
      {"line at 800 %", 800, 800, kScrollLineDown, 0, 816, 816},
      {"line at 1600 %", 1600, 1600, kScrollLineDown, 0, 1616, 1616},
      {"line at 3200 %", 3200, 3200, kScrollLineUp, 0, 3168, 3168},
      {"page: the client extent", 100, 40, kScrollPageDown, 0, 240, 340},
      {"page up", 100, 500, kScrollPageUp, 0, 300, 200},
      {"top", 100, 500, kScrollTop, 0, 0, 0},
      {"bottom", 100, 500, kScrollBottom, 0, 800, 700},
      {"thumb track at 100 %", 100, 40, kScrollThumbTrack, 333, 333, 333},
      {"thumb track at 400 %: multiples of 4", 400, 400, kScrollThumbTrack, 1003, 1000, 1000},
      {"thumb track back at 400 %", 400, 8, kScrollThumbTrack, 3, 4, 4},
      {"thumb track at 150 %", 150, 0, kScrollThumbTrack, 7, 7, 7},
      {"thumb released", 100, 40, kScrollThumbPosition, 300, 40, 40},
      {"end of scroll", 100, 40, 8, 0, 40, 40},
      {"clamped at 0", 100, 5, kScrollLineUp, 0, 0, 0},
      {"clamped at the maximum", 100, 695, kScrollLineDown, 0, 711, 700},
      {"thumb beyond the maximum", 100, 0, kScrollThumbTrack, 5000, 800, 700},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (ScrollBarKind bar : {ScrollBarKind::kVertical, ScrollBarKind::kHorizontal}) {
      const bool vertical = bar == ScrollBarKind::kVertical;
      ImageDoc doc = Scrolled(c.zoom, c.pos);
      const int32_t expected = vertical ? c.vertical : c.horizontal;
      const ScrollMove move = ScrollDocument(doc, bar, c.code, c.thumb);
      EXPECT_EQ(vertical ? doc.vScrollPos : doc.hScrollPos, expected);
      EXPECT_EQ(vertical ? doc.hScrollPos : doc.vScrollPos, c.pos) << "the other offset stays";
      EXPECT_EQ(move.moved, expected != c.pos);
      if (move.moved) {
        EXPECT_EQ(move.position, expected);
      }
    }
  }
}

TEST(ScrollDocument, ThumbPositionsBeyondSixteenBits) {
  ImageDoc doc = ViewDoc(6000, 6000, 1600, 300, 200);  // 96000 zoomed pixels
  UpdateScrollRanges(doc);
  EXPECT_EQ(ScrollDocument(doc, ScrollBarKind::kHorizontal, kScrollThumbTrack, 70001).position, 70000);
}

TEST(ScrollDocument, ErasesTheGreyStripsBandAfterAShortForwardMove) {
  ImageDoc doc = Scrolled(150, 100);
  doc.bottomMargin = 7;
  doc.rightMargin = 9;
  ScrollMove down = ScrollDocument(doc, ScrollBarKind::kVertical, kScrollLineDown, 0);
  ASSERT_TRUE(down.eraseBand.has_value());
  EXPECT_EQ(*down.eraseBand, (WindowRect{0, 200 - 16 - 7, 300, 200 - 16}));
  ScrollMove right = ScrollDocument(doc, ScrollBarKind::kHorizontal, kScrollLineDown, 0);
  ASSERT_TRUE(right.eraseBand.has_value());
  EXPECT_EQ(*right.eraseBand, (WindowRect{300 - 16 - 9, 0, 300 - 16, 200}));

  // Backwards, a whole page, or without a strip: nothing to erase.
  EXPECT_FALSE(ScrollDocument(doc, ScrollBarKind::kVertical, kScrollLineUp, 0).eraseBand);
  EXPECT_FALSE(ScrollDocument(doc, ScrollBarKind::kVertical, kScrollPageDown, 0).eraseBand);
  doc.bottomMargin = 0;
  EXPECT_FALSE(ScrollDocument(doc, ScrollBarKind::kVertical, kScrollLineDown, 0).eraseBand);
}

TEST(WheelScroll, FifteenStepsPerNotch) {
  struct Case {
    const char* what;
    int32_t zoom, pos, delta, expected;
  };
  const Case cases[] = {
      {"one notch up at 100 %: 15 x 2", 100, 100, 120, 70},
      {"one notch down at 100 %", 100, 100, -120, 130},
      {"one notch at 800 %: 15 x 8", 800, 2000, 120, 1880},
      {"a partial notch", 100, 100, 40, 90},
      {"less than one step", 100, 100, 7, 100},
      {"stops at the top", 100, 10, 120, 0},
      {"stops at the bottom", 100, 790, -240, 800},
      {"at the top already", 100, 0, 120, 0},
      {"the most negative delta", 100, 0, std::numeric_limits<int32_t>::min(), 800},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ImageDoc doc = Scrolled(c.zoom, c.pos);
    const ScrollMove move = WheelScroll(doc, c.delta);
    EXPECT_EQ(doc.vScrollPos, c.expected);
    EXPECT_EQ(doc.hScrollPos, c.pos);
    EXPECT_EQ(move.moved, c.expected != c.pos);
    EXPECT_FALSE(move.eraseBand);
  }
}

TEST(ScrollBy, LimitedToTheRange) {
  ImageDoc doc = Scrolled(100, 100);
  EXPECT_EQ(ScrollBy(doc, ScrollBarKind::kHorizontal, 25).position, 125);
  EXPECT_EQ(ScrollBy(doc, ScrollBarKind::kHorizontal, 10000).position, 700);
  EXPECT_FALSE(ScrollBy(doc, ScrollBarKind::kHorizontal, 1).moved);
  EXPECT_EQ(ScrollBy(doc, ScrollBarKind::kVertical, -10000).position, 0);
  EXPECT_FALSE(ScrollBy(doc, ScrollBarKind::kVertical, 0).moved);
  EXPECT_EQ(doc.hScrollPos, 700);
  EXPECT_EQ(doc.vScrollPos, 0);
}

TEST(OnDocumentResize, RepaintsOnlyWhenTheViewNeedsIt) {
  struct Case {
    const char* what;
    int32_t pictureW, pictureH, zoom, pos, newW, newH;
    bool erase, noErase;
  };
  // The client is 300 x 200 before the change.
  const Case cases[] = {
      {"shrinking at 150 %", 1000, 1000, 150, 300, 250, 150, false, false},
      {"growing at 150 %", 1000, 1000, 150, 300, 400, 300, false, true},
      {"growing at 150 %, picture wholly inside", 100, 100, 150, 0, 400, 300, false, false},
      {"growing at 100 %", 1000, 1000, 100, 300, 400, 300, false, false},
      {"growing at 100 %: the offset no longer fits", 1000, 1000, 100, 700, 400, 300, true, false},
      {"growing at 200 %: both", 200, 200, 200, 100, 400, 300, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ImageDoc doc = ViewDoc(c.pictureW, c.pictureH, c.zoom, 300, 200);
    UpdateScrollRanges(doc);
    doc.hScrollPos = std::min(c.pos, doc.hScrollMax);
    doc.vScrollPos = std::min(c.pos, doc.vScrollMax);
    const ResizeEffects effects = OnDocumentResize(doc, c.newW, c.newH);
    EXPECT_EQ(effects.invalidateWithErase, c.erase);
    EXPECT_EQ(effects.invalidateWithoutErase, c.noErase);
    EXPECT_EQ(doc.prevClientWidth, 300);
    EXPECT_EQ(doc.prevClientHeight, 200);
    EXPECT_EQ(doc.clientWidth, c.newW);
    EXPECT_EQ(doc.clientHeight, c.newH);
    EXPECT_EQ(effects.bars, (ScrollBars{doc.hScrollMax, doc.hScrollPos, doc.vScrollMax, doc.vScrollPos}));
    EXPECT_LE(doc.hScrollPos, doc.hScrollMax);
    EXPECT_LE(doc.vScrollPos, doc.vScrollMax);
  }
}

TEST(KeepsScrollBars, OnlyWhenEveryBarStaysAsShown) {
  struct Case {
    const char* what;
    int32_t pictureW, pictureH, zoom;
    ShownScrollBars shown;
    bool keeps;
    int32_t hMax, vMax;
  };
  // The client is 300 x 200 with the bars shown as in `shown`.
  const Case cases[] = {
      {"larger both ways, both shown", 1000, 1000, 100, {true, true}, true, 700, 800},
      {"larger both ways, none shown", 1000, 1000, 100, {false, false}, false, 700, 800},
      {"smaller, none shown", 300, 200, 100, {false, false}, true, 0, 0},
      {"smaller, both shown: both go", 300, 200, 100, {true, true}, false, 0, 0},
      {"only taller, the vertical shown", 300, 201, 100, {false, true}, true, 0, 1},
      {"only taller, both shown: the horizontal goes", 300, 1000, 100, {true, true}, false, 0, 800},
      {"only wider, the horizontal shown", 301, 200, 100, {true, false}, true, 1, 0},
      {"wider, only the vertical shown: the bars swap", 1000, 200, 100, {false, true}, false, 700, 0},
      {"fits at 100 %, larger at 200 %", 300, 200, 200, {true, true}, true, 300, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ImageDoc doc = ViewDoc(c.pictureW, c.pictureH, c.zoom, 300, 200);
    EXPECT_EQ(KeepsScrollBars(doc, c.shown), c.keeps);
    EXPECT_EQ(doc.hScrollMax, c.hMax) << "the ranges are set either way";
    EXPECT_EQ(doc.vScrollMax, c.vMax);
    EXPECT_EQ(doc.hScrollPos, 0);
    EXPECT_EQ(doc.vScrollPos, 0);
  }
}

TEST(VisibleRect, ThePictureAreaTheWindowShows) {
  ImageDoc doc = ViewDoc(1000, 1000, 200, 300, 200);
  doc.hScrollPos = 100;
  doc.vScrollPos = 50;
  EXPECT_EQ(VisibleRect(doc), (PixelRect{50, 25, 200, 125}));
  // Scrolled to the far corner: cut at the picture's edge.
  doc.hScrollPos = 1990;
  doc.vScrollPos = 1990;
  EXPECT_EQ(VisibleRect(doc), (PixelRect{995, 995, 1000, 1000}));
  // A picture smaller than the window.
  EXPECT_EQ(VisibleRect(ViewDoc(100, 80, 100, 300, 200)), (PixelRect{0, 0, 100, 80}));
  EXPECT_EQ(VisibleRect(ViewDoc(100, 80, 50, 300, 200)), (PixelRect{0, 0, 100, 80}));
}

}  // namespace
}  // namespace veilo
