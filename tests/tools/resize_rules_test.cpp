// The resize dialog's arithmetic: sides tied by the aspect ratio, the arrows'
// limits, typed text, and OK refusing a zero size.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tools/resize_rules.h"

namespace veilo {
namespace {

// One user action on the dialog.
struct Action {
  const char* what;
  std::function<ResizeDialogEffects(ResizeState&)> apply;
};

Action TypeWidth(const char* text) {
  return {text, [text](ResizeState& s) { return ResizeWidthTyped(s, text); }};
}
Action TypeHeight(const char* text) {
  return {text, [text](ResizeState& s) { return ResizeHeightTyped(s, text); }};
}
Action WidthArrow(int32_t position) {
  return {"width arrows", [position](ResizeState& s) { return ResizeWidthArrowMoved(s, position); }};
}
Action HeightArrow(int32_t position) {
  return {"height arrows", [position](ResizeState& s) { return ResizeHeightArrowMoved(s, position); }};
}
Action KeepAspect(bool on) {
  return {on ? "aspect on" : "aspect off", [on](ResizeState& s) { return ResizeKeepAspectChanged(s, on); }};
}

struct Sequence {
  const char* name;
  int32_t width, height;
  bool keepAspect;
  std::vector<Action> actions;
  int32_t newWidth, newHeight;
  bool accepted;
};

TEST(ResizeRules, SidesFollowEachOtherWhileTheAspectIsKept) {
  const std::vector<Sequence> cases = {
      {"width 50 halves the height", 200, 100, true, {TypeWidth("50")}, 50, 25, true},
      {"then height 33 gives width 66", 200, 100, true, {TypeWidth("50"), TypeHeight("33")}, 66, 33, true},
      {"width 3 gives height 1", 200, 100, true, {TypeWidth("3")}, 3, 1, true},
      {"width 1 gives height 0", 200, 100, true, {TypeWidth("1")}, 1, 0, false},
      {"width 0", 200, 100, true, {TypeWidth("")}, 0, 0, false},
      {"free sides", 200, 100, false, {TypeWidth("50"), TypeHeight("80")}, 50, 80, true},
      {"aspect back on undoes a height change", 200, 100, false,
       {TypeWidth("50"), TypeHeight("80"), KeepAspect(true)}, 50, 25, true},
      {"aspect off changes nothing", 200, 100, true, {TypeWidth("50"), KeepAspect(false)}, 50, 25, true},
      {"aspect off, then height alone", 200, 100, true, {KeepAspect(false), TypeHeight("7")}, 200, 7, true},
      {"arrows move the other side", 200, 100, true, {WidthArrow(400)}, 400, 200, true},
      {"height arrows", 200, 100, true, {HeightArrow(150)}, 300, 150, true},
      {"arrows below 0 stop at 0", 200, 100, true, {WidthArrow(-5)}, 0, 0, false},
      {"a huge typed width stays within a document's side", 200, 100, true, {TypeWidth("99999999")}, 65535,
       32767, true},
      {"beyond int range", 200, 100, true, {TypeWidth("99999999999999999999999")}, 65535, 32767, true},
      {"the other side never overflows", 1, 65535, true, {TypeWidth("60000")}, 60000, 65535, true},
      {"atoi reads the leading number", 200, 100, true, {TypeWidth("  40px")}, 40, 20, true},
      {"a negative text is 0", 200, 100, true, {TypeWidth("-40")}, 0, 0, false},
  };
  for (const Sequence& c : cases) {
    SCOPED_TRACE(c.name);
    ResizeState state = StartResize(c.width, c.height, c.keepAspect);
    EXPECT_EQ(state.newWidth, c.width);
    EXPECT_EQ(state.newHeight, c.height);
    for (const Action& a : c.actions) a.apply(state);
    EXPECT_EQ(state.newWidth, c.newWidth);
    EXPECT_EQ(state.newHeight, c.newHeight);
    EXPECT_EQ(ResizeSizeAccepted(state), c.accepted);
  }
}

TEST(ResizeRules, EffectsNameWhatTheDialogMustShow) {
  ResizeState s = StartResize(200, 100, true);
  // Typing: the width's arrows follow, the height field and arrows are rewritten.
  EXPECT_EQ(ResizeWidthTyped(s, "50"), (ResizeDialogEffects{false, true, true, true}));
  // The height field echoes the value just shown: nothing more happens (no loop, no drift).
  EXPECT_EQ(ResizeHeightTyped(s, "25"), ResizeDialogEffects{});
  // Width 3 shows height 1; the echo of "1" must not pull the width to 2.
  ResizeWidthTyped(s, "3");
  EXPECT_EQ(ResizeHeightTyped(s, "1"), ResizeDialogEffects{});
  EXPECT_EQ(s.newWidth, 3);
  // A text held to the limit is written back, even when the value was already there.
  ResizeWidthTyped(s, "65535");
  EXPECT_EQ(ResizeWidthTyped(s, "70000"), (ResizeDialogEffects{true, false, false, false}));
  // Arrows: their own field is rewritten, their position stays.
  s = StartResize(200, 100, true);
  // 100 x 201 / 200 = 100: the height stays.
  EXPECT_EQ(ResizeWidthArrowMoved(s, 201), (ResizeDialogEffects{true, false, false, false}));
  EXPECT_EQ(ResizeWidthArrowMoved(s, 201), ResizeDialogEffects{});
  // The box turned on while already on does nothing.
  s.newHeight = 7;
  EXPECT_EQ(ResizeKeepAspectChanged(s, true), ResizeDialogEffects{});
  EXPECT_EQ(s.newHeight, 7);
}

TEST(ResizeRules, ArrowsReachSixteenTimesTheSideWithoutWrapping) {
  struct Case {
    int32_t side, max;
  };
  for (const Case& c : {Case{200, 3200}, Case{1, 16}, Case{0, 0}, Case{4095, 65520}, Case{4096, 65535},
                        Case{5000, 65535}, Case{65535, 65535}}) {
    SCOPED_TRACE(c.side);
    EXPECT_EQ(ResizeArrowMax(c.side), c.max);
  }
}

TEST(ResizeRules, StretchModesAndTheirGdiModes) {
  struct Case {
    int32_t number;
    StretchMode mode;
    int32_t gdi;
  };
  for (const Case& c : {Case{0, StretchMode::kDeleteScans, 3}, Case{1, StretchMode::kHalfTone, 4},
                        Case{2, StretchMode::kAndScans, 1}, Case{3, StretchMode::kOrScans, 2},
                        Case{4, StretchMode::kHalfTone, 4}, Case{-1, StretchMode::kHalfTone, 4}}) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(StretchModeOf(c.number), c.mode);
    EXPECT_EQ(GdiStretchModeOf(StretchModeOf(c.number)), c.gdi);
  }
  const ResizeSettings start;
  EXPECT_TRUE(start.keepAspect);
  EXPECT_EQ(start.mode, StretchMode::kHalfTone);
}

}  // namespace
}  // namespace veilo
