#include "view/frame_geometry.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "effects_screen.h"

namespace veilo {
namespace {

ImageDoc ViewDoc(int32_t width, int32_t height, int32_t zoom = 100, int32_t hScroll = 0, int32_t vScroll = 0) {
  ImageDoc doc;
  doc.width = width;
  doc.height = height;
  doc.zoomPercent = zoom;
  doc.hScrollPos = hScroll;
  doc.vScrollPos = vScroll;
  return doc;
}

void SetCorners(ImageDoc& doc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  doc.areaX1 = x1;
  doc.areaY1 = y1;
  doc.areaX2 = x2;
  doc.areaY2 = y2;
  doc.areaSelected = 1;
}

TEST(ImagePointOf, MapsClientPointsIntoThePictureInclusiveOfItsBounds) {
  struct Case {
    int32_t zoom, hScroll, vScroll, cx, cy;
    ImagePoint expected;
  };
  const Case cases[] = {
      {100, 0, 0, 13, 21, {13, 21}},
      {100, 0, 0, -5, -30, {0, 0}},       // left of and above the window: the picture's edge
      {100, 0, 0, 250, 150, {200, 100}},  // beyond the picture: its exclusive bounds
      {200, 10, 20, 30, 40, {20, 30}},    // (client + scroll) * 100 / zoom
      {150, 0, 0, 16, 14, {10, 9}},       // truncated
      {100, 40, 0, -7, 0, {40, 0}},       // a negative client x counts as 0, the scroll still applies
      {0, 0, 0, 3, 3, {200, 100}},        // a zero zoom must not divide by zero
  };
  for (const Case& c : cases) {
    const ImageDoc doc = ViewDoc(200, 100, c.zoom, c.hScroll, c.vScroll);
    EXPECT_EQ(ImagePointOf(doc, c.cx, c.cy), c.expected) << "zoom " << c.zoom << " at " << c.cx << "," << c.cy;
  }
}

TEST(HitZoneAt, TakesEdgesBeforeCornersBeforeTheInside) {
  struct Case {
    PixelRect area;
    ImagePoint p;
    int16_t zone;
  };
  const PixelRect big{20, 20, 60, 50};
  const Case cases[] = {
      {big, {20, 35}, kZoneLeftEdge},
      {big, {18, 25}, kZoneLeftEdge},  // 2 pixels out, just below the corner square
      {big, {17, 35}, kZoneNone},
      {big, {62, 45}, kZoneRightEdge},
      {big, {40, 52}, kZoneBottomEdge},
      {big, {40, 18}, kZoneTopEdge},
      {big, {64, 54}, kZoneBottomRight},
      {big, {16, 50}, kZoneBottomLeft},
      {big, {60, 16}, kZoneTopRight},
      {big, {20, 24}, kZoneTopLeft},  // y = y1 + 4 is no longer the left edge
      {big, {23, 23}, kZoneTopLeft},  // also inside: the corner wins
      {big, {23, 25}, kZoneInside},
      {big, {55, 45}, kZoneInside},
      {big, {58, 40}, kZoneRightEdge},  // x2 - 2 is the edge, not the inside
      {big, {40, 65}, kZoneNone},
      {{20, 20, 24, 60}, {22, 40}, kZoneLeftEdge},   // a thin area: the left edge before the right
      {{20, 20, 60, 24}, {40, 22}, kZoneBottomEdge},  // the bottom edge before the top
      {{20, 20, 26, 26}, {23, 23}, kZoneBottomRight},  // corner squares overlap: bottom-right first
  };
  for (const Case& c : cases) {
    ImageDoc doc = ViewDoc(200, 100);
    SetCorners(doc, c.area.left, c.area.top, c.area.right, c.area.bottom);
    EXPECT_EQ(HitZoneAt(doc, c.p), c.zone) << "at " << c.p.x << "," << c.p.y;
  }
}

TEST(HitZoneAt, ZonesHaveTheirCursorsAndCorners) {
  EXPECT_EQ(ZoneCursor(kZoneLeftEdge), CursorId::kResizeLeftRight);
  EXPECT_EQ(ZoneCursor(kZoneBottomEdge), CursorId::kResizeUpDown);
  EXPECT_EQ(ZoneCursor(kZoneTopLeft), CursorId::kResizeDiagonalDown);
  EXPECT_EQ(ZoneCursor(kZoneTopRight), CursorId::kResizeDiagonalUp);
  EXPECT_EQ(ZoneCursor(kZoneInside), CursorId::kMove);
  EXPECT_EQ(static_cast<int>(CursorId::kResizeLeftRight), 156);
  EXPECT_EQ(static_cast<int>(CursorId::kMove), 160);
  const ZoneCorners bl = CornersMovedBy(kZoneBottomLeft);
  EXPECT_TRUE(bl.x1 && bl.y2 && !bl.x2 && !bl.y1);
}

// The pixels a set of lines leaves inverted: each line covers its start and
// every pixel up to its end point; a pixel covered twice is back to normal.
std::set<std::pair<int32_t, int32_t>> InvertedPixels(const std::vector<LineSegment>& lines) {
  std::set<std::pair<int32_t, int32_t>> inverted;
  for (const LineSegment& s : lines) {
    const int32_t dx = (s.x2 > s.x1) - (s.x2 < s.x1), dy = (s.y2 > s.y1) - (s.y2 < s.y1);
    EXPECT_TRUE(dx == 0 || dy == 0) << "frame lines are horizontal or vertical";
    for (int32_t x = s.x1, y = s.y1; x != s.x2 || y != s.y2; x += dx, y += dy) {
      const auto [it, added] = inverted.insert({x, y});
      if (!added) inverted.erase(it);
    }
  }
  return inverted;
}

SelectionEffect DrawOf(const ImageDoc& doc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  SelectionEffect e;
  e.kind = SelectionEffect::Kind::kDrawFrame;
  e.x1 = x1, e.y1 = y1, e.x2 = x2, e.y2 = y2;
  e.scrollX = doc.hScrollPos;
  e.scrollY = doc.vScrollPos;
  return e;
}

TEST(FrameSides, MapsTheCornersAtTheDrawsOwnScrollOffsets) {
  ImageDoc doc = ViewDoc(200, 100, 200, 999, 999);  // the document has scrolled on since
  SelectionEffect draw = DrawOf(doc, 10, 5, 30, 20);
  draw.scrollX = 4;
  draw.scrollY = 6;
  const auto sides = FrameSides(doc, draw);
  EXPECT_EQ(sides[0], (LineSegment{16, 4, 16, 34}));  // left side
  EXPECT_EQ(sides[1], (LineSegment{16, 4, 56, 4}));   // top
  EXPECT_EQ(sides[2], (LineSegment{56, 4, 56, 34}));  // right side
  EXPECT_EQ(sides[3], (LineSegment{16, 34, 56, 34}));  // bottom
}

TEST(FrameSides, ReversedCornersDrawTheSamePixelsAsOrderedOnes) {
  const ImageDoc doc = ViewDoc(200, 100, 150);
  const auto ordered = FrameSides(doc, DrawOf(doc, 8, 16, 40, 24));
  const auto reversed = FrameSides(doc, DrawOf(doc, 40, 24, 8, 16));
  EXPECT_EQ(InvertedPixels({ordered.begin(), ordered.end()}), InvertedPixels({reversed.begin(), reversed.end()}));
}

// After a repaint of any part, the frame's pixels inside it must be exactly
// those the XOR draw put there; otherwise the next erase leaves dots behind.
TEST(ClippedFrameSegments, CoverExactlyTheFramesPixelsInsideTheRepaintedPart) {
  struct Part {
    int32_t left, top, width, height;
  };
  const Part parts[] = {{0, 0, 1000, 1000}, {0, 0, 31, 29}, {17, 11, 40, 33}, {45, 0, 7, 500},
                        {0, 62, 500, 1},    {61, 61, 1, 1}, {300, 300, 10, 10}};
  for (const int32_t zoom : {100, 150, 33, 800}) {
    ImageDoc doc = ViewDoc(200, 100, zoom, 5, 3);
    SetCorners(doc, 41, 30, 9, 7);  // reversed, as during a drag
    const auto sides = FrameSides(doc, DrawOf(doc, doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2));
    const auto drawn = InvertedPixels({sides.begin(), sides.end()});
    for (const Part& part : parts) {
      std::set<std::pair<int32_t, int32_t>> expected;
      for (const auto& [x, y] : drawn) {
        const int32_t zx = x + doc.hScrollPos, zy = y + doc.vScrollPos;
        if (zx >= part.left && zx < part.left + part.width && zy >= part.top && zy < part.top + part.height) {
          expected.insert({x, y});
        }
      }
      EXPECT_EQ(InvertedPixels(ClippedFrameSegments(doc, part.left, part.top, part.width, part.height)), expected)
          << "zoom " << zoom << ", part at " << part.left << "," << part.top;
    }
  }
}

TEST(ClippedFrameSegments, DrawNothingWithoutASelection) {
  ImageDoc doc = ViewDoc(200, 100);
  SetCorners(doc, 10, 10, 50, 50);
  doc.areaSelected = 0;
  EXPECT_TRUE(ClippedFrameSegments(doc, 0, 0, 200, 100).empty());
}

}  // namespace
}  // namespace veilo
