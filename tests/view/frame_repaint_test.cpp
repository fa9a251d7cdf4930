// A paint draws the area frame again over everything it painted, so the
// frame's pixels are the same after any repaint as before it, also where the
// frame's right or bottom side lies past the picture's last column or row.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "view/frame_geometry.h"
#include "view/paint_plan.h"
#include "view/scrolling.h"
#include "view/view_mapping.h"
#include "view_doc.h"

namespace veilo {
namespace {

using Pixels = std::set<std::pair<int32_t, int32_t>>;

// The client pixels a list of XOR lines inverts (a pixel drawn twice is back).
Pixels Inverted(const std::vector<LineSegment>& lines) {
  Pixels out;
  for (const LineSegment& s : lines) {
    const int32_t dx = (s.x2 > s.x1) - (s.x2 < s.x1), dy = (s.y2 > s.y1) - (s.y2 < s.y1);
    for (int32_t x = s.x1, y = s.y1; x != s.x2 || y != s.y2; x += dx, y += dy) {
      const auto [it, added] = out.insert({x, y});
      if (!added) out.erase(it);
    }
  }
  return out;
}

Pixels FrameOnScreen(const ImageDoc& doc) {
  SelectionEffect draw;
  draw.kind = SelectionEffect::Kind::kDrawFrame;
  draw.x1 = doc.areaX1, draw.y1 = doc.areaY1, draw.x2 = doc.areaX2, draw.y2 = doc.areaY2;
  draw.scrollX = doc.hScrollPos;
  draw.scrollY = doc.vScrollPos;
  const auto sides = FrameSides(doc, draw);
  return Inverted({sides.begin(), sides.end()});
}

bool Inside(const std::pair<int32_t, int32_t>& p, const WindowRect& r) {
  return p.first >= r.left && p.first < r.right && p.second >= r.top && p.second < r.bottom;
}

// What a paint of `update` leaves of the frame inside it: everything there
// is painted afresh (picture, strips, background), then the frame part is
// drawn over it, clipped to the update as the paint's context clips it.
Pixels FrameAfterRepaint(const ImageDoc& doc, const WindowRect& update) {
  const PaintPlan plan = PlanPaint(doc, update);
  Pixels redrawn;
  for (const auto& p :
       Inverted(ClippedFrameSegments(doc, plan.frameLeft, plan.frameTop, plan.frameWidth, plan.frameHeight)))
    if (Inside(p, update)) redrawn.insert(p);
  return redrawn;
}

Pixels Within(const Pixels& pixels, const WindowRect& r) {
  Pixels out;
  for (const auto& p : pixels)
    if (Inside(p, r)) out.insert(p);
  return out;
}

TEST(FrameRepaint, TheSidesPastThePictureSurviveEveryRepaint) {
  std::mt19937 rng(77);
  auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
  const int32_t zooms[] = {100, 150, 50, 200, 33, 800};
  for (int round = 0; round < 300; ++round) {
    const int32_t zoom = zooms[round % std::size(zooms)];
    ImageDoc doc = testing::ViewDoc(pick(1, 60), pick(1, 60), zoom, pick(20, 140), pick(20, 140), true);
    UpdateScrollRanges(doc);
    doc.hScrollPos = pick(0, doc.hScrollMax);
    doc.vScrollPos = pick(0, doc.vScrollMax);
    // Areas that often reach the picture's right and bottom edges.
    doc.areaX1 = pick(0, doc.width - 1);
    doc.areaY1 = pick(0, doc.height - 1);
    doc.areaX2 = round % 2 ? doc.width : pick(doc.areaX1 + 1, doc.width);
    doc.areaY2 = round % 3 ? doc.height : pick(doc.areaY1 + 1, doc.height);
    doc.areaSelected = 1;
    const int32_t x0 = pick(0, doc.clientWidth - 1), y0 = pick(0, doc.clientHeight - 1);
    const WindowRect update{x0, y0, pick(x0 + 1, doc.clientWidth), pick(y0 + 1, doc.clientHeight)};
    SCOPED_TRACE(::testing::Message() << "picture " << doc.width << "x" << doc.height << " at " << zoom
                                      << "%, area " << doc.areaX1 << "," << doc.areaY1 << "-" << doc.areaX2 << ","
                                      << doc.areaY2 << ", update " << update.left << "," << update.top << "-"
                                      << update.right << "," << update.bottom);
    ASSERT_EQ(FrameAfterRepaint(doc, update), Within(FrameOnScreen(doc), update));
  }
}

TEST(FrameRepaint, AnUpdateBesideThePictureStillRedrawsTheFrameThere) {
  // A 40 x 30 picture at 100 % in a 100 x 80 window, the area up to its right
  // and bottom edges: the right side is column 40, the bottom row 30.
  ImageDoc doc = testing::ViewDoc(40, 30, 100, 100, 80, true);
  doc.areaX1 = 10, doc.areaY1 = 5, doc.areaX2 = 40, doc.areaY2 = 30;
  doc.areaSelected = 1;
  const WindowRect beside{40, 0, 100, 80};
  const PaintPlan plan = PlanPaint(doc, beside);
  EXPECT_EQ(plan.kind, PaintPlan::Kind::kNothing);
  EXPECT_EQ((WindowRect{plan.frameLeft, plan.frameTop, plan.frameWidth, plan.frameHeight}),
            (WindowRect{40, 0, 60, 80}));
  const Pixels redrawn = FrameAfterRepaint(doc, beside);
  EXPECT_TRUE(redrawn.count({40, 5}) && redrawn.count({40, 29}));  // the right side
  EXPECT_EQ(redrawn, Within(FrameOnScreen(doc), beside));
}

}  // namespace
}  // namespace veilo
