#include "view/selection.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "effects_screen.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using Kind = SelectionEffect::Kind;
using testing::CountOf;

PixelRect CornersOf(const ImageDoc& doc) { return {doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2}; }

// A document window at zoom 100 without scrolling unless a test says so:
// client points are image points.
class Selection : public ::testing::Test {
 protected:
  void SetUp() override { SetView(200, 100, 400, 300); }

  void SetView(int32_t width, int32_t height, int32_t clientWidth, int32_t clientHeight) {
    doc.width = width;
    doc.height = height;
    doc.clientWidth = clientWidth;
    doc.clientHeight = clientHeight;
    doc.hScrollMax = std::max(width - clientWidth, 0);
    doc.vScrollMax = std::max(height - clientHeight, 0);
  }

  MouseEvent At(int32_t x, int32_t y) const { return {x, y, leftDown, shift, ctrl}; }

  void Play(SelectionEffects effects) {
    screen.Play(effects);
    last = std::move(effects);
  }
  void Down(int32_t x, int32_t y) {
    leftDown = true;
    Play(SelectionOnLeftDown(doc, units, At(x, y)));
  }
  void Move(int32_t x, int32_t y) { Play(SelectionOnMouseMove(doc, units, At(x, y), memory, timerRunning)); }
  void Up() {
    leftDown = false;
    Play(SelectionOnLeftUp(doc));
  }
  void Drag(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    Down(x1, y1);
    Move(x2, y2);
    Up();
  }
  void DoubleClick(int32_t x, int32_t y) {
    Play(SelectionOnDoubleClick(doc, units, At(x, y), detection, shell));
  }

  // The XOR frames on screen are exactly the selection's.
  void ExpectScreenMatchesSelection() {
    const std::vector<PixelRect> shown = screen.Shown();
    if (doc.areaSelected != 0) {
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_EQ(shown[0], NormalisedRect(doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2));
    } else {
      EXPECT_TRUE(shown.empty()) << shown.size() << " frames left on screen";
    }
    EXPECT_EQ(screen.areaEnabled, doc.areaSelected != 0);
    EXPECT_EQ(screen.captures, doc.mouseCaptured);
  }

  ImageDoc doc;
  AreaUnits units;
  EdgeScrollMemory memory;
  DetectionMemory detection;
  testing::RecordingShell shell;
  testing::EffectsScreen screen;
  SelectionEffects last;
  bool leftDown = false, shift = false, ctrl = false, timerRunning = true;
};

TEST_F(Selection, DragSnapsItsCornersToTheUnits) {
  struct Case {
    std::string name;
    AreaUnits units;
    ImagePoint press, to;
    PixelRect whileDragging, afterRelease;
  };
  const Case cases[] = {
      {"units 8", {8, 8}, {13, 21}, {40, 30}, {8, 16, 40, 24}, {8, 16, 40, 24}},
      // Left of the start the start corner moves one unit on: the press's cell stays inside.
      {"units 8 back left", {8, 8}, {13, 21}, {0, 30}, {16, 16, 0, 24}, {0, 16, 16, 24}},
      {"free", {1, 1}, {13, 21}, {40, 30}, {13, 21, 40, 30}, {13, 21, 40, 30}},
      {"free up left", {1, 1}, {13, 21}, {5, 3}, {14, 22, 5, 3}, {5, 3, 14, 22}},
      {"start 16 size 8", {16, 8}, {13, 21}, {40, 30}, {0, 16, 40, 24}, {0, 16, 40, 24}},
      {"units 16", {16, 16}, {20, 20}, {70, 50}, {16, 16, 64, 48}, {16, 16, 64, 48}},
      // At the picture's right border the start corner moved on is the border itself.
      {"start at the border", {8, 8}, {199, 50}, {150, 90}, {200, 48, 152, 88}, {152, 48, 200, 88}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    doc.areaSelected = 0;
    screen = {};
    units = c.units;
    Down(c.press.x, c.press.y);
    Move(c.to.x, c.to.y);
    EXPECT_EQ(CornersOf(doc), c.whileDragging);
    EXPECT_EQ(doc.areaSelected, 1);
    EXPECT_EQ(CountOf(last, Kind::kEnableArea), 1);
    Up();
    EXPECT_EQ(CornersOf(doc), c.afterRelease);
    ExpectScreenMatchesSelection();
  }
}

TEST_F(Selection, AnAreaWithoutWidthOrHeightIsNotShown) {
  Down(13, 21);
  Move(40, 20);  // still in the start row of cells
  EXPECT_EQ(doc.areaSelected, 0);
  EXPECT_EQ(CountOf(last, Kind::kDrawFrame), 0);
  EXPECT_EQ(CountOf(last, Kind::kEnableArea), 0);
  Move(0, 30);
  EXPECT_EQ(CornersOf(doc), (PixelRect{16, 16, 0, 24}));
  // Back right of the anchor the start corner returns to it, and the snapped
  // second corner lands on it too: the last frame stays.
  Move(4, 30);
  EXPECT_EQ(CornersOf(doc), (PixelRect{16, 16, 0, 24}));
  EXPECT_EQ(CountOf(last, Kind::kDrawFrame), 0);
  Up();
  EXPECT_EQ(CornersOf(doc), (PixelRect{0, 16, 16, 24}));
  ExpectScreenMatchesSelection();
}

TEST_F(Selection, ANewDragIsNotFooledByTheOldSecondCorner) {
  Drag(13, 21, 40, 30);
  ASSERT_EQ(CornersOf(doc), (PixelRect{8, 16, 40, 24}));
  Down(13, 21);  // erases the old frame
  EXPECT_EQ(CountOf(last, Kind::kDrawFrame), 1);
  EXPECT_EQ(CountOf(last, Kind::kDisableArea), 1);
  Move(40, 30);  // the same second corner as before
  EXPECT_EQ(doc.areaSelected, 1);
  Up();
  EXPECT_EQ(CornersOf(doc), (PixelRect{8, 16, 40, 24}));
  ExpectScreenMatchesSelection();
}

TEST_F(Selection, ShiftOnTheLeftEdgeResizesOnlyThatEdge) {
  units = {1, 1};
  Drag(20, 20, 60, 50);
  shift = true;
  Move(21, 35);  // within 2 pixels of the left edge, clear of the corners
  EXPECT_EQ(doc.hitZone, kZoneLeftEdge);
  EXPECT_EQ(screen.cursor, CursorId::kResizeLeftRight);
  EXPECT_EQ(static_cast<int>(screen.cursor), 156);
  ASSERT_FALSE(last.empty());
  EXPECT_TRUE(last.back().keepOld) << "the arrow is kept to be restored";
  Down(21, 35);
  EXPECT_EQ(doc.dragging, 0) << "a press on a zone starts no new area";
  Move(11, 38);
  EXPECT_EQ(CornersOf(doc), (PixelRect{10, 20, 60, 50}));
  Move(70, 38);  // past the right edge (the grab was one pixel right of it): the rectangle turns over
  Up();
  EXPECT_EQ(CornersOf(doc), (PixelRect{60, 20, 69, 50}));
  ExpectScreenMatchesSelection();
  shift = false;
  Play(SelectionOnShiftUp(doc));
  EXPECT_EQ(doc.hitZone, kZoneNone);
  EXPECT_EQ(screen.cursor, CursorId::kSavedCursor);
}

TEST_F(Selection, AZoneIsLeftWhenThePointerOrShiftLeavesIt) {
  units = {1, 1};
  Drag(20, 20, 60, 50);
  Play(SelectionOnShiftDown(doc, 40, 35));
  EXPECT_EQ(doc.hitZone, kZoneInside);
  EXPECT_EQ(screen.cursor, CursorId::kMove);
  shift = true;
  Move(23, 23);  // now in the top-left corner square, but still inside: kept
  EXPECT_EQ(doc.hitZone, kZoneInside);
  Move(100, 90);
  EXPECT_EQ(doc.hitZone, kZoneNone);
  EXPECT_EQ(screen.cursor, CursorId::kSavedCursor);
  Move(100, 90);
  EXPECT_EQ(screen.cursor, CursorId::kArrow);
}

TEST_F(Selection, AMovedFrameStaysInsideThePicture) {
  units = {1, 1};
  Drag(20, 20, 60, 50);
  shift = true;
  Move(40, 35);
  ASSERT_EQ(doc.hitZone, kZoneInside);
  Down(40, 35);
  Move(0, 25);  // 40 left, 10 up: the frame stops at the left border
  EXPECT_EQ(CornersOf(doc), (PixelRect{0, 10, 40, 40}));
  Move(10, 25);
  EXPECT_EQ(CornersOf(doc), (PixelRect{10, 10, 50, 40}));
  Move(10, 300);  // below the window: the image point is the bottom border
  EXPECT_EQ(CornersOf(doc), (PixelRect{10, 70, 50, 100}));
  Up();
  ExpectScreenMatchesSelection();

  shift = true;
  leftDown = false;
  Move(11, 85);  // leaves the inside zone the move ended in
  Move(11, 85);
  ASSERT_EQ(doc.hitZone, kZoneLeftEdge);
  Down(11, 85);
  Move(-40, 85);  // a dragged edge stops at the border too
  EXPECT_EQ(CornersOf(doc), (PixelRect{0, 70, 50, 100}));
  Up();
  ExpectScreenMatchesSelection();
}

TEST_F(Selection, OnePixelMovesStopAtTheBorder) {
  struct Case {
    PixelRect area;
    int32_t dx, dy;
    bool moves;
  };
  const Case cases[] = {
      {{5, 0, 20, 30}, 0, -1, false},  // touches row 0
      {{5, 0, 20, 30}, 0, 1, true},   {{5, 0, 20, 30}, -1, 0, true},
      {{0, 5, 20, 30}, -1, 0, false}, {{180, 70, 200, 100}, 1, 0, false},
      {{180, 70, 200, 100}, 0, 1, false}, {{180, 70, 200, 100}, 0, -1, true},
      {{180, 70, 199, 99}, 1, 1, true},
  };
  for (const Case& c : cases) {
    screen = {};
    testing::SelectArea(doc, c.area.left, c.area.top, c.area.right, c.area.bottom);
    screen.Play(SelectionEffects{SelectionEffect{Kind::kDrawFrame, c.area.left, c.area.top, c.area.right,
                                                 c.area.bottom},
                                 SelectionEffect{Kind::kEnableArea}});
    Play(MoveAreaOnePixel(doc, c.dx, c.dy));
    const PixelRect moved{c.area.left + c.dx, c.area.top + c.dy, c.area.right + c.dx, c.area.bottom + c.dy};
    EXPECT_EQ(CornersOf(doc), c.moves ? moved : c.area) << c.dx << "," << c.dy;
    EXPECT_EQ(last.empty(), !c.moves);
    ExpectScreenMatchesSelection();
  }
  doc.areaSelected = 0;
  EXPECT_TRUE(MoveAreaOnePixel(doc, 1, 0).empty());
}

TEST_F(Selection, CtrlDoubleClickSelectsTheWholePictureInSizeUnits) {
  SetView(100, 50, 400, 300);
  units = {8, 16};
  ctrl = true;
  DoubleClick(30, 30);
  EXPECT_EQ(CornersOf(doc), (PixelRect{0, 0, 96, 48}));
  EXPECT_EQ(doc.areaSelected, 1);
  ExpectScreenMatchesSelection();

  SetView(10, 10, 400, 300);  // smaller than one unit: nothing to select
  DoubleClick(5, 5);
  EXPECT_EQ(doc.areaSelected, 0);
  EXPECT_EQ(screen.beeps, 1);
  ExpectScreenMatchesSelection();
}

TEST_F(Selection, ADoubleClickLetsGoOfAGrabbedZone) {
  SetView(12, 12, 400, 300);
  units = {1, 1};
  Drag(1, 1, 11, 11);
  shift = true;
  Move(6, 6);
  ASSERT_EQ(doc.hitZone, kZoneInside);
  units = {1, 16};
  ctrl = true;
  DoubleClick(6, 6);  // Ctrl wins over Shift; the picture is smaller than one unit
  EXPECT_EQ(doc.areaSelected, 0);
  EXPECT_EQ(doc.hitZone, kZoneNone);
  EXPECT_EQ(screen.cursor, CursorId::kSavedCursor);
  leftDown = true;  // the second press is still held
  Move(8, 8);
  ExpectScreenMatchesSelection();
}

TEST_F(Selection, DoubleClickDetectsTheMaskedRectangle) {
  for (const bool withShift : {false, true}) {
    SCOPED_TRACE(withShift ? "edge scan" : "rectangle search");
    doc = testing::MakeDoc(100, 80, [](int32_t x, int32_t y) {
      const bool inside = x >= 40 && x < 72 && y >= 30 && y < 54;
      const uint8_t v = inside ? 200 : 100;
      return testing::Rgb{v, v, v};
    });
    SetView(100, 80, 400, 300);
    screen = {};
    detection = {};
    units = {1, 1};
    shift = false;
    Drag(5, 5, 20, 20);  // an area to replace
    shift = withShift;
    DoubleClick(50, 40);
    EXPECT_EQ(CornersOf(doc), (PixelRect{40, 30, 72, 54}));
    ExpectScreenMatchesSelection();
    EXPECT_EQ(shell.waitDepth, 0);
  }
}

TEST_F(Selection, AFailedDetectionBeepsAndLeavesNoArea) {
  doc = testing::MakeDoc(100, 80, [](int32_t, int32_t) { return testing::Rgb{90, 90, 90}; });
  SetView(100, 80, 400, 300);
  units = {1, 1};
  Drag(5, 5, 20, 20);
  DoubleClick(50, 40);
  EXPECT_EQ(doc.areaSelected, 0);
  EXPECT_EQ(screen.beeps, 1);
  EXPECT_EQ(shell.waitEntries, 1);
  EXPECT_EQ(shell.waitDepth, 0);
  ExpectScreenMatchesSelection();
}

// Edge scrolling: a drag that reaches past the window's border.
class EdgeScrolling : public Selection {
 protected:
  void SetUp() override {
    SetView(400, 300, 200, 150);  // both ranges 0..200 and 0..150
    doc.hScrollPos = 50;
    doc.vScrollPos = 50;
    doc.dragging = 1;
  }
  void NonClientMove(int32_t code, int32_t x, int32_t y) {
    Play(SelectionOnNonClientMove(doc, units, code, x, y, memory, timerRunning));
  }
};

TEST_F(EdgeScrolling, DirectionsJoinOrReplaceTheTimersSet) {
  struct Case {
    int32_t before, code, after;
    bool restartsTicks;
  };
  const Case cases[] = {
      {0, kHitRightBorder, 1, true},
      {0, kHitBottomBorder, 2, true},
      {1, kHitBottomBorder, 3, true},          // down joins right
      {3, kHitRightBorder, 1, false},          // right again from its own border: right alone
      {3, kHitBottomRightCorner, 3, false},    // the corner keeps both
      {0, kHitBottomRightCorner, 3, true},
      {1, kHitTopBorder, 4, true},             // up replaces
      {4, kHitTopBorder, 4, false},
      {2, kHitLeftBorder, 8, true},            // left replaces
      {0, kHitSystemMenu, 8, true},            // up, then left replacing it
      {0, kHitVerticalScroll, 1, true},
      {0, kHitHorizontalScroll, 2, true},
      {0, kHitCaption, 4, true},
  };
  for (const Case& c : cases) {
    doc.resizeEdges = c.before;
    doc.edgeScrollTicks = 5;
    NonClientMove(c.code, 100, 100);
    EXPECT_EQ(doc.resizeEdges, c.after) << "code " << c.code << " after " << c.before;
    EXPECT_EQ(doc.edgeScrollTicks, c.restartsTicks ? 0 : 5) << "code " << c.code << " after " << c.before;
    EXPECT_EQ(CountOf(last, Kind::kScrolled), 0) << "the timer scrolls";
  }
}

TEST_F(EdgeScrolling, NoDirectionWhereTheViewCannotScroll) {
  doc.hScrollPos = doc.hScrollMax;
  doc.vScrollPos = 0;
  for (const int32_t code : {kHitRightBorder, kHitTopBorder, kHitBottomRightCorner}) {
    doc.resizeEdges = 0;
    NonClientMove(code, 100, 100);
    EXPECT_EQ(doc.resizeEdges, code == kHitBottomRightCorner ? 2 : 0) << "code " << code;
  }
  doc.dragging = 0;
  NonClientMove(kHitLeftBorder, -5, 50);
  EXPECT_EQ(doc.resizeEdges, 2) << "only a drag scrolls";
}

TEST_F(EdgeScrolling, WithoutTheTimerTheViewScrollsAtOnce) {
  struct Case {
    int32_t zoom, hPos, code, expectedPos;
  };
  const Case cases[] = {
      {100, 50, kHitRightBorder, 66},   {100, 195, kHitRightBorder, 200},  // what is left of the range
      {800, 50, kHitRightBorder, 66},   {3200, 50, kHitRightBorder, 82},
      {100, 50, kHitLeftBorder, 34},    {100, 7, kHitLeftBorder, 0},
  };
  timerRunning = false;
  for (const Case& c : cases) {
    doc.zoomPercent = c.zoom;
    doc.hScrollMax = 200;
    doc.hScrollPos = c.hPos;
    NonClientMove(c.code, 100, 100);
    EXPECT_EQ(doc.hScrollPos, c.expectedPos) << "zoom " << c.zoom << " from " << c.hPos;
    ASSERT_EQ(CountOf(last, Kind::kScrolled), 1);
    EXPECT_EQ(last.back().bar, ScrollBarKind::kHorizontal);
    EXPECT_EQ(last.back().position, c.expectedPos);
    EXPECT_EQ(doc.resizeEdges, 0);
  }
}

TEST_F(EdgeScrolling, TheTimerAlternatesHorizontalAndVerticalSteps) {
  doc.dragging = 0;
  doc.hScrollPos = doc.vScrollPos = 0;
  Down(20, 20);
  Move(195, 145);  // near the right edge: asks for scrolling right
  EXPECT_EQ(doc.resizeEdges, 1);
  EXPECT_EQ(CornersOf(doc), (PixelRect{16, 16, 192, 144}));
  NonClientMove(kHitBottomRightCorner, 205, 155);
  EXPECT_EQ(doc.resizeEdges, 3);
  EXPECT_EQ(CornersOf(doc), (PixelRect{16, 16, 200, 152}));

  const struct {
    int32_t hPos, vPos;
    PixelRect corners;
  } ticks[] = {
      {16, 0, {16, 16, 200, 152}},   // even tick: right
      {16, 16, {16, 16, 216, 152}},  // odd tick: down; the corner follows the view scrolled right
      {32, 16, {16, 16, 216, 168}},
      {32, 32, {16, 16, 232, 168}},
  };
  for (const auto& t : ticks) {
    Play(SelectionOnTimer(doc, units, memory));
    EXPECT_EQ(doc.hScrollPos, t.hPos);
    EXPECT_EQ(doc.vScrollPos, t.vPos);
    EXPECT_EQ(CornersOf(doc), t.corners);
    EXPECT_EQ(CountOf(last, Kind::kScrolled), 1);
    ExpectScreenMatchesSelection();
  }
  // A frame drawn before the scroll of the same tick is drawn where the screen showed it.
  Play(SelectionOnTimer(doc, units, memory));
  ASSERT_EQ(last.size(), 4u);  // erase, draw, area text, scroll
  EXPECT_EQ(last[0].kind, Kind::kDrawFrame);
  EXPECT_EQ(last[0].scrollX, 32);
  EXPECT_EQ(last.back().kind, Kind::kScrolled);
  EXPECT_EQ(doc.hScrollPos, 48);
}

TEST_F(EdgeScrolling, EndsOnEveryMoveInsideTheWindowAndOnEveryButtonUp) {
  const auto start = [&] {
    doc.dragging = 1;
    doc.resizeEdges = 3;
  };
  start();
  leftDown = true;
  Move(100, 70);
  EXPECT_EQ(doc.resizeEdges, 0);
  start();
  Up();
  EXPECT_EQ(doc.resizeEdges, 0);
  start();
  Play(SelectionOnNonClientLeftUp(doc));
  EXPECT_EQ(doc.resizeEdges, 0);
  EXPECT_EQ(doc.dragging, 0);
  start();
  doc.dragging = 0;
  Play(SelectionOnTimer(doc, units, memory));
  EXPECT_EQ(doc.resizeEdges, 0) << "no drag, no edge scrolling";
  EXPECT_TRUE(last.empty());
}

// Every sequence of events keeps the XOR frames balanced: exactly the
// selected area's frame is on screen, the area commands and the capture agree.
TEST_F(Selection, RandomEventsKeepTheFrameBalanced) {
  doc = testing::MakeDoc(120, 90, [](int32_t x, int32_t y) {
    const bool inside = x >= 30 && x < 70 && y >= 20 && y < 60;
    const uint8_t v = inside ? 220 : 40;
    return testing::Rgb{v, static_cast<uint8_t>(v / 2), v};
  });
  for (const uint32_t seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
    doc.zoomPercent = seed % 2 ? 100 : 200;
    SetView(120, 90, 80, 60);
    doc.hScrollMax = std::max(120 * doc.zoomPercent / 100 - 80, 0);
    doc.vScrollMax = std::max(90 * doc.zoomPercent / 100 - 60, 0);
    doc.hScrollPos = doc.vScrollPos = 0;
    doc.areaSelected = doc.dragging = doc.mouseCaptured = doc.resizeEdges = 0;
    doc.hitZone = 0;
    screen = {};
    detection = {};
    leftDown = shift = ctrl = false;
    const int32_t codes[] = {kHitCaption, kHitSystemMenu, kHitHorizontalScroll, kHitVerticalScroll, kHitLeftBorder,
                             kHitRightBorder, kHitTopBorder, kHitBottomBorder, kHitBottomRightCorner};
    for (int step = 0; step < 3000; ++step) {
      const int32_t x = pick(-20, 100), y = pick(-20, 80);
      units = {pick(0, 2) == 0 ? 1 : 8, pick(0, 1) == 0 ? 1 : 16};
      timerRunning = pick(0, 1) == 0;
      switch (pick(0, 11)) {
        case 0:
          if (!leftDown) Down(x, y);
          break;
        case 1:
          if (leftDown) Up();
          break;
        case 2:
        case 3:
        case 4: Move(x, y); break;
        case 5:
          shift = !shift;
          Play(shift ? SelectionOnShiftDown(doc, x, y) : SelectionOnShiftUp(doc));
          break;
        case 6: Play(SelectionOnNonClientMove(doc, units, codes[pick(0, 8)], x, y, memory, timerRunning)); break;
        case 7: Play(SelectionOnNonClientLeftUp(doc)); break;
        case 8: Play(SelectionOnTimer(doc, units, memory)); break;
        case 9: Play(MoveAreaOnePixel(doc, pick(-1, 1), pick(-1, 1))); break;
        case 10:
          ctrl = pick(0, 3) == 0;
          DoubleClick(x, y);
          ctrl = false;
          break;
        default:  // the window scrolled by its scroll bars
          doc.hScrollPos = pick(0, doc.hScrollMax);
          doc.vScrollPos = pick(0, doc.vScrollMax);
          break;
      }
      ExpectScreenMatchesSelection();
      if (::testing::Test::HasFailure()) {
        ADD_FAILURE() << "after step " << step;
        return;
      }
      if (doc.areaSelected != 0) {
        const PixelRect r = NormalisedRect(doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2);
        ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= doc.width && r.bottom <= doc.height)
            << "step " << step;
      }
    }
  }
}

}  // namespace
}  // namespace veilo
