#include <gtest/gtest.h>

#include <vector>

#include "shell/tips.h"
#include "shell/toolbar.h"

namespace veilo {
namespace {

// Feeds the tracker and keeps what the frame would show.
struct Toolbar {
  TipTracker tracker;
  bool recording = false;
  bool timerRunning = true;
  int32_t tipShown = -1;     // row whose tip is on screen
  int32_t paneComment = -1;  // row whose comment is in the message pane, -1 = remembered text
  int32_t restores = 0;

  void Apply(const TipStep& step) {
    tracker = step.next;
    const TipEffects& e = step.effects;
    if (e.hideTip) tipShown = -1;
    if (e.showTipRow >= 0) tipShown = e.showTipRow;
    if (e.commentRow >= 0) paneComment = e.commentRow;
    if (e.restoreMessagePane) {
      paneComment = -1;
      ++restores;
    }
  }
  void Move(int32_t row) { Apply(TipOnPointer(tracker, {row, true, recording, timerRunning})); }
  void Press(int32_t row) { Apply(TipOnPointer(tracker, {row, false, recording, timerRunning})); }
  void Leave() { Move(-1); }
  // Ticks until the tip changes (or `limit`); returns how many were needed.
  int32_t TicksUntilTipChanges(int32_t limit = 100) {
    const int32_t before = tipShown;
    for (int32_t n = 1; n <= limit; ++n) {
      Apply(TipOnTick(tracker, recording));
      if (tipShown != before) return n;
    }
    return -1;
  }
  void Tick(int32_t n) {
    for (int32_t i = 0; i < n; ++i) Apply(TipOnTick(tracker, recording));
  }
};

TEST(TipTracker, FirstTipAfterOneSecondOfRest) {
  Toolbar t;
  t.Move(3);
  EXPECT_EQ(t.tracker.state, TipState::kWaitingFirst);
  EXPECT_EQ(t.paneComment, 3);  // the comment shows at once
  EXPECT_EQ(t.tipShown, -1);
  EXPECT_EQ(t.TicksUntilTipChanges(), kFirstTipTicks);
  EXPECT_EQ(t.tipShown, 3);
  EXPECT_EQ(t.tracker.state, TipState::kShown);
}

TEST(TipTracker, MovingOnTheSameButtonRestartsTheWait) {
  Toolbar t;
  t.Move(3);
  t.Tick(7);
  t.Move(3);
  EXPECT_EQ(t.TicksUntilTipChanges(), kFirstTipTicks);
}

TEST(TipTracker, TipLastsFourSecondsAfterTheLastMove) {
  Toolbar t;
  t.Move(5);
  t.Tick(kFirstTipTicks);
  ASSERT_EQ(t.tipShown, 5);
  t.Tick(25);
  t.Move(5);  // keeps it up for another 4 s
  EXPECT_EQ(t.TicksUntilTipChanges(), kTipLifeTicks);
  EXPECT_EQ(t.tipShown, -1);
  EXPECT_EQ(t.tracker.state, TipState::kExpired);
  EXPECT_EQ(t.paneComment, 5);  // the comment stays while the pointer does

  // Still on the same button: the tip does not come back.
  t.Move(5);
  EXPECT_EQ(t.TicksUntilTipChanges(200), -1);
}

TEST(TipTracker, NextButtonsTipAfterOneTick) {
  struct Case {
    const char* from;
    int32_t ticksOnFirst;  // how long the pointer stayed on the first button
  };
  // From a shown tip and from an expired one alike.
  for (const Case& c : {Case{"shown", kFirstTipTicks + 5}, Case{"expired", kFirstTipTicks + kTipLifeTicks}}) {
    Toolbar t;
    t.Move(3);
    t.Tick(c.ticksOnFirst);
    t.Move(4);
    EXPECT_EQ(t.tipShown, -1) << c.from;
    EXPECT_EQ(t.paneComment, 4) << c.from;
    EXPECT_EQ(t.tracker.state, TipState::kWaitingQuick) << c.from;
    EXPECT_EQ(t.TicksUntilTipChanges(), kQuickTipTicks) << c.from;
    EXPECT_EQ(t.tipShown, 4) << c.from;
  }
}

TEST(TipTracker, AnotherButtonBeforeTheFirstTipWaitsTheFullSecond) {
  Toolbar t;
  t.Move(3);
  t.Tick(6);
  t.Move(4);
  EXPECT_EQ(t.tracker.state, TipState::kWaitingFirst);
  EXPECT_EQ(t.TicksUntilTipChanges(), kFirstTipTicks);
  EXPECT_EQ(t.tipShown, 4);
}

TEST(TipTracker, LeavingRestoresThePaneAndStartsOver) {
  Toolbar t;
  t.Move(3);
  t.Tick(kFirstTipTicks);
  t.Leave();
  EXPECT_EQ(t.tipShown, -1);
  EXPECT_EQ(t.paneComment, -1);
  EXPECT_EQ(t.restores, 1);
  EXPECT_EQ(t.tracker.state, TipState::kIdle);
  EXPECT_EQ(t.tracker.hoveredRow, -1);

  // Moves elsewhere restore nothing more.
  t.Leave();
  EXPECT_EQ(t.restores, 1);

  // The next visit waits the full second again.
  t.Move(4);
  EXPECT_EQ(t.TicksUntilTipChanges(), kFirstTipTicks);
}

TEST(TipTracker, CommentIsPutOnceForEachButton) {
  Toolbar t;
  TipStep step = TipOnPointer(t.tracker, {2, true, false, true});
  EXPECT_EQ(step.effects.commentRow, 2);
  t.Apply(step);
  step = TipOnPointer(t.tracker, {2, true, false, true});
  EXPECT_EQ(step.effects.commentRow, -1);
}

TEST(TipTracker, RecordButtonShowsItsStopFaceWhileRecording) {
  Toolbar t;
  t.recording = true;
  t.Move(kRecordRow);
  EXPECT_EQ(t.paneComment, kRecordStopRow);
  t.Tick(kFirstTipTicks);
  EXPECT_EQ(t.tipShown, kRecordStopRow);
  EXPECT_EQ(ToolbarTable()[kRecordStopRow].shortText, "マスク処理の記録停止");
  EXPECT_EQ(ToolbarTable()[kRecordStopRow].comment, "一連のマスク処理の記録を停止する。");

  // Clicking it stops the recording: the next move shows the start comment.
  t.recording = false;
  t.Move(kRecordRow);
  EXPECT_EQ(t.paneComment, kRecordRow);
}

TEST(TipTracker, PressOverAButtonChangesNothing) {
  Toolbar t;
  t.Move(3);
  t.Tick(4);
  const TipTracker before = t.tracker;
  const TipStep step = TipOnPointer(t.tracker, {3, false, false, true});
  EXPECT_EQ(step.next, before);
  EXPECT_EQ(step.effects, TipEffects{});
  // A press elsewhere is leaving the toolbar.
  t.Press(-1);
  EXPECT_EQ(t.restores, 1);
}

TEST(TipTracker, WithoutTheTimerTheTipShowsAtOnce) {
  Toolbar t;
  t.timerRunning = false;
  t.Move(6);
  EXPECT_EQ(t.tipShown, 6);
  EXPECT_EQ(t.paneComment, 6);
  EXPECT_EQ(t.tracker.state, TipState::kIdle);
  t.Move(7);
  EXPECT_EQ(t.tipShown, 7);
  t.Leave();
  EXPECT_EQ(t.tipShown, -1);
}

TEST(TipTracker, TicksWhileIdleDoNothing) {
  Toolbar t;
  const TipStep step = TipOnTick(t.tracker, false);
  EXPECT_EQ(step.next, TipTracker{});
  EXPECT_EQ(step.effects, TipEffects{});
}

}  // namespace
}  // namespace veilo
