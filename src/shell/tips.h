#pragma once
// Toolbar tips and comments. The first tip appears when the pointer has
// rested on a button for 1 s, later tips 0.1 s after the pointer moves on to
// another button, and a tip disappears 4 s after the last move. While the
// pointer is over a button its comment is in the message pane; when the
// pointer leaves the toolbar the pane gets back the text it had before.
//
// A pure state machine: it is fed the mouse messages (before dispatch) and
// the frame's 100 ms ticks, and says what to show or remove.
#include <cstdint>

namespace veilo {

enum class TipState : uint8_t {
  kIdle = 0,
  kWaitingFirst = 1,  // pointer on a button, no tip yet this visit
  kWaitingQuick = 2,  // pointer moved on from a tipped button
  kShown = 10,
  kExpired = 11,  // the tip timed out; the pointer is still on the button
};

inline constexpr int32_t kFirstTipTicks = 10;
inline constexpr int32_t kQuickTipTicks = 1;
inline constexpr int32_t kTipLifeTicks = 40;

struct TipTracker {
  TipState state = TipState::kIdle;
  int32_t hoveredRow = -1;  // toolbar row under the pointer
  int32_t commentRow = -1;  // row whose comment is in the message pane (its face row)
  int32_t tipRow = -1;      // row whose tip is shown (its face row)
  int32_t ticks = 0;
  int32_t target = 0;
  friend bool operator==(const TipTracker&, const TipTracker&) = default;
};

struct PointerInput {
  int32_t row = -1;           // toolbar row of the message's target window, -1 for any other window
  bool isMove = true;         // mouse move (client or non-client); false for a left-button press
  bool recording = false;     // the record button shows its record-stop face
  bool timerRunning = true;   // the frame's 100 ms timer exists
};

// What the frame has to do, in this order: remove the tip, show a tip,
// put a comment into the message pane, restore the remembered pane text.
struct TipEffects {
  bool hideTip = false;
  int32_t showTipRow = -1;  // row whose short text is shown as the tip
  int32_t commentRow = -1;  // row whose comment goes to the message pane, not remembered
  bool restoreMessagePane = false;
  friend bool operator==(const TipEffects&, const TipEffects&) = default;
};

struct TipStep {
  TipTracker next;
  TipEffects effects;
};

TipStep TipOnPointer(const TipTracker& tracker, const PointerInput& input);
TipStep TipOnTick(const TipTracker& tracker, bool recording);

}  // namespace veilo
