#include "view/pan.h"

#include <gtest/gtest.h>

#include "effects_screen.h"
#include "view/selection.h"

namespace veilo {
namespace {

using Kind = SelectionEffect::Kind;
using testing::CountOf;

TEST(PanSettingFor, SpeedGrowsWithTheDistanceFromTheMarker) {
  struct Case {
    int32_t dx, dy, repeat, step;
  };
  const Case cases[] = {
      {22, 0, 0, 0},   {16, 16, 0, 0},  // within 23 pixels: nothing scrolls
      {23, 0, 1, 2},   {25, 0, 1, 2},   {29, 0, 1, 2},   {30, 0, 2, 2},   {45, 0, 3, 2},  {55, 0, 2, 4},
      {65, 0, 3, 5},   {75, 0, 3, 6},   {85, 0, 3, 7},   {95, 0, 3, 8},   {105, 0, 2, 15}, {115, 0, 2, 20},
      {119, 0, 2, 20}, {120, 0, 3, 25}, {0, -150, 3, 25},
  };
  for (const Case& c : cases) {
    const PanSetting s = PanSettingFor(c.dx, c.dy);
    EXPECT_EQ(s.repeat, c.repeat) << c.dx << "," << c.dy;
    EXPECT_EQ(s.step, c.step) << c.dx << "," << c.dy;
    if (c.repeat == 0) {
      EXPECT_EQ(s.direction, -1);
      EXPECT_EQ(s.cursor, CursorId::kPanNeutral);
    }
  }
}

TEST(PanSettingFor, DirectionIsTheSectorOfTheBearing) {
  struct Case {
    int32_t dx, dy, direction;
    CursorId cursor;
  };
  // Points just either side of each sector border, about 100 pixels out.
  const Case cases[] = {
      {0, -100, 0, CursorId::kPanUp},         {38, -93, 0, CursorId::kPanUp},
      {39, -92, 45, CursorId::kPanUpRight},   {92, -39, 45, CursorId::kPanUpRight},
      {93, -38, 90, CursorId::kPanRight},     {93, 38, 90, CursorId::kPanRight},
      {92, 39, 135, CursorId::kPanDownRight}, {39, 92, 135, CursorId::kPanDownRight},
      {38, 93, 180, CursorId::kPanDown},      {-38, 93, 180, CursorId::kPanDown},
      {-39, 92, 225, CursorId::kPanDownLeft}, {-92, 39, 225, CursorId::kPanDownLeft},
      {-93, 38, 270, CursorId::kPanLeft},     {-93, -38, 270, CursorId::kPanLeft},
      {-92, -39, 315, CursorId::kPanUpLeft},  {-39, -92, 315, CursorId::kPanUpLeft},
      {-38, -93, 0, CursorId::kPanUp},        {0, 100, 180, CursorId::kPanDown},
      {-100, 0, 270, CursorId::kPanLeft},
  };
  for (const Case& c : cases) {
    const PanSetting s = PanSettingFor(c.dx, c.dy);
    EXPECT_EQ(s.direction, c.direction) << c.dx << "," << c.dy;
    EXPECT_EQ(s.cursor, c.cursor) << c.dx << "," << c.dy;
  }
  EXPECT_EQ(static_cast<int>(CursorId::kPanUpRight), 170);
  EXPECT_EQ(static_cast<int>(CursorId::kPanUpLeft), 173);
}

// A running auto-scroll over a picture larger than the window.
class Panning : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.width = 2000;
    doc.height = 1500;
    doc.hScrollMax = 1000;
    doc.vScrollMax = 800;
    doc.hScrollPos = 500;
    doc.vScrollPos = 400;
    ASSERT_EQ(PanOnMiddleDown(doc, 300, 200, 1300, 700, {1000, 500, 1640, 980}), MiddleButtonAction::kStartPan);
    doc.panWindow = 77;  // the marker window the caller made
  }
  SelectionEffects PointerAt(int32_t cx, int32_t cy) {
    return SelectionOnMouseMove(doc, AreaUnits{}, MouseEvent{cx, cy, false, false, false}, memory, true);
  }

  ImageDoc doc;
  EdgeScrollMemory memory;
};

TEST_F(Panning, StartsAtTheClickAndStopsOnTheNextOne) {
  EXPECT_EQ(doc.panDirection, -1);
  EXPECT_EQ(doc.panRepeat, 0);
  EXPECT_EQ(PanMarkerRect(doc), (WindowRect{284, 184, 316, 216}));
  EXPECT_EQ(doc.panWindowRect, (WindowRect{1000, 500, 1640, 980}));
  EXPECT_EQ(PanOnMiddleDown(doc, 10, 10, 0, 0, {}), MiddleButtonAction::kStopPan);
  EXPECT_EQ(doc.panAnchorX, 300) << "stopping keeps the old anchor";
  EndPan(doc);
  EXPECT_EQ(doc.panWindow, 0u);
  EXPECT_TRUE(PanOnTick(doc, 1300, 700).empty());
}

TEST_F(Panning, TheCursorChangesOnlyWithTheDirection) {
  struct Step {
    int32_t cx, cy;
    bool cursorSet;
    CursorId cursor;
  };
  const Step steps[] = {
      {310, 200, false, CursorId::kPanNeutral},  // still neutral
      {325, 200, true, CursorId::kPanRight},
      {360, 205, false, CursorId::kPanRight},  // faster, same way
      {300, 160, true, CursorId::kPanUp},
      {305, 205, true, CursorId::kPanNeutral},
  };
  for (const Step& s : steps) {
    const SelectionEffects effects = PointerAt(s.cx, s.cy);
    ASSERT_EQ(effects.size(), s.cursorSet ? 1u : 0u) << "no status text or frame while panning";
    if (s.cursorSet) {
      EXPECT_EQ(effects[0].kind, Kind::kSetCursor);
      EXPECT_EQ(effects[0].cursor, s.cursor);
    }
  }
}

TEST_F(Panning, EachTickScrollsTheRepeatCountOfSteps) {
  struct Case {
    int32_t zoom, dx, dy, hMoved, vMoved, scrollEffects;
  };
  const Case cases[] = {
      {100, 25, 0, 2, 0, 1},        // once 2 pixels
      {100, 150, 0, 75, 0, 3},      // three times 25
      {800, 25, 0, 8, 0, 1},        // at least one picture pixel
      {100, 100, 100, 75, 75, 6},   // diagonals move both ways
      {100, -30, 0, -4, 0, 2},
      {100, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    doc.zoomPercent = c.zoom;
    doc.hScrollPos = 500;
    doc.vScrollPos = 400;
    doc.panDirection = -1;
    PointerAt(300 + c.dx, 200 + c.dy);
    const SelectionEffects effects = PanOnTick(doc, 1300, 700);  // the pointer is inside the window
    EXPECT_EQ(doc.hScrollPos - 500, c.hMoved) << c.dx << "," << c.dy << " at " << c.zoom;
    EXPECT_EQ(doc.vScrollPos - 400, c.vMoved) << c.dx << "," << c.dy << " at " << c.zoom;
    EXPECT_EQ(CountOf(effects, Kind::kScrolled), c.scrollEffects);
  }
  doc.hScrollPos = 990;  // the range ends
  PointerAt(450, 200);
  const SelectionEffects effects = PanOnTick(doc, 1300, 700);
  EXPECT_EQ(doc.hScrollPos, 1000);
  ASSERT_EQ(CountOf(effects, Kind::kScrolled), 1);
  EXPECT_EQ(effects[0].delta, 10);
}

TEST_F(Panning, OutsideTheWindowThePointerSteersFromWhereItStarted) {
  PointerAt(325, 200);  // slowly right
  const SelectionEffects effects = PanOnTick(doc, 1300, 300);  // above the window, 400 pixels up
  EXPECT_EQ(doc.hScrollPos, 502);
  EXPECT_EQ(doc.panDirection, 1) << "up, marked as steered from outside";
  EXPECT_EQ(doc.panRepeat, 3);
  EXPECT_EQ(doc.panStep, 25);
  EXPECT_EQ(CountOf(effects, Kind::kSetCursor), 0);
  PanOnTick(doc, 1300, 300);
  EXPECT_EQ(doc.vScrollPos, 325);
  EXPECT_EQ(doc.hScrollPos, 502);

  PanOnTick(doc, 1800, 1200);  // up once more, then steered down-right of the window
  EXPECT_EQ(doc.vScrollPos, 250);
  EXPECT_EQ(doc.panDirection, 136);
  PanOnTick(doc, 1300, 700);
  EXPECT_EQ(doc.hScrollPos, 577);
  EXPECT_EQ(doc.vScrollPos, 325);
}

}  // namespace
}  // namespace veilo
