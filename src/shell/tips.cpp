#include "shell/tips.h"

#include "shell/toolbar.h"

namespace veilo {

namespace {

void HideTip(TipStep& step) {
  if (step.next.tipRow < 0) return;
  step.effects.hideTip = true;
  step.next.tipRow = -1;
}

void ShowTip(TipStep& step, int32_t faceRow) {
  if (step.next.tipRow == faceRow) return;
  HideTip(step);
  step.effects.showTipRow = faceRow;
  step.next.tipRow = faceRow;
}

void Wait(TipTracker& t, TipState state, int32_t row) {
  t.state = state;
  t.target = state == TipState::kWaitingFirst ? kFirstTipTicks : kQuickTipTicks;
  t.hoveredRow = row;
}

void LeaveToolbar(TipStep& step) {
  TipTracker& t = step.next;
  if (t.commentRow >= 0) step.effects.restoreMessagePane = true;
  HideTip(step);
  t.commentRow = -1;
  t.hoveredRow = -1;
  if (t.state != TipState::kIdle) {
    t.state = TipState::kIdle;
    t.target = 0;
  }
}

// Moves the timing on for a move over `row`; false when the counter must
// keep running (a tip already up, or an expired tip on the same button).
bool AdvanceOnMove(TipStep& step, int32_t row) {
  TipTracker& t = step.next;
  const bool sameRow = t.hoveredRow == row;
  switch (t.state) {
    case TipState::kIdle:
      Wait(t, TipState::kWaitingFirst, row);
      break;
    case TipState::kWaitingFirst:
    case TipState::kWaitingQuick:
      if (sameRow) {
        if (t.tipRow >= 0) return false;
        Wait(t, t.state, row);  // the pointer has not rested yet: start the wait again
      } else {
        HideTip(step);
        Wait(t, TipState::kWaitingFirst, row);
      }
      break;
    case TipState::kShown:
      if (sameRow) {
        t.target = kTipLifeTicks;
      } else {
        HideTip(step);
        Wait(t, TipState::kWaitingQuick, row);
      }
      break;
    case TipState::kExpired:
      if (sameRow) return false;
      Wait(t, TipState::kWaitingQuick, row);
      break;
  }
  return true;
}

}  // namespace

TipStep TipOnPointer(const TipTracker& tracker, const PointerInput& input) {
  TipStep step{tracker, {}};
  if (input.row < 0) {
    LeaveToolbar(step);
    return step;
  }
  if (!input.isMove) return step;

  if (input.timerRunning && AdvanceOnMove(step, input.row)) step.next.ticks = 0;

  const int32_t face = FaceRow(input.row, input.recording);
  if (step.next.commentRow != face) {
    step.effects.commentRow = face;
    step.next.commentRow = face;
  }
  if (!input.timerRunning) ShowTip(step, face);
  return step;
}

TipStep TipOnTick(const TipTracker& tracker, bool recording) {
  TipStep step{tracker, {}};
  TipTracker& t = step.next;
  const bool waiting = t.state == TipState::kWaitingFirst || t.state == TipState::kWaitingQuick;
  if (!waiting && t.state != TipState::kShown) return step;  // nothing is timed
  ++t.ticks;
  if (t.ticks < t.target) return step;
  if (waiting) {
    ShowTip(step, FaceRow(t.hoveredRow, recording));
    t.state = TipState::kShown;
    t.ticks = 0;
    t.target = kTipLifeTicks;
  } else {
    HideTip(step);
    t.state = TipState::kExpired;
  }
  return step;
}

}  // namespace veilo
