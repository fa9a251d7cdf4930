#include "tools/slide_show.h"

#include <algorithm>
#include <limits>

#include "platform/number_text.h"

namespace veilo {

namespace {

// Virtual-key codes of the keys the show answers.
constexpr uint32_t kVkCancel = 0x03, kVkPause = 0x13, kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27,
                   kVkDown = 0x28, kVkF1 = 0x70;

SlideAction Show() {
  SlideAction action;
  action.showPicture = true;
  return action;
}

// A move by a key: the picture changes and a running timer starts its full
// interval again, so the new picture stays as long as any other.
SlideAction Moved(const SlideShowState& state) {
  SlideAction action = Show();
  if (state.timerRunning) action.timer = SlideTimer::kStart;
  return action;
}

SlideAction StartTimer(SlideShowState& state, SlideAction action = {}) {
  state.timerRunning = true;
  action.timer = SlideTimer::kStart;
  return action;
}

SlideAction StopTimer(SlideShowState& state, SlideAction action = {}) {
  if (state.timerRunning) action.timer = SlideTimer::kStop;
  state.timerRunning = false;
  return action;
}

SlideAction BeginDialog(SlideShowState& state, SlideAction action) {
  state.timerBeforeDialog = state.timerRunning;
  return StopTimer(state, action);
}

}  // namespace

std::optional<SlideKey> SlideKeyForVirtualKey(uint32_t virtualKey) {
  switch (virtualKey) {
    case kVkRight:
    case kVkDown:
      return SlideKey::kNext;
    case kVkLeft:
    case kVkUp:
      return SlideKey::kPrevious;
    case kVkF1:
      return SlideKey::kHelp;
    case kVkPause:
    case kVkCancel:
      return SlideKey::kPause;
    default:
      return std::nullopt;
  }
}

std::optional<SlideKey> SlideKeyForCharacter(uint32_t character) {
  switch (character) {
    case '+':
      return SlideKey::kNext;
    case '-':
      return SlideKey::kPrevious;
    case ' ':
      return SlideKey::kSpace;
    case '\r':
      return SlideKey::kEnter;
    case '\t':
      return SlideKey::kTab;
    case '?':
      return SlideKey::kHelp;
    case 0x1B:
      return SlideKey::kEscape;
    default:
      return std::nullopt;
  }
}

int32_t EffectiveSlideInterval(int32_t intervalMs) {
  return std::clamp(intervalMs, kMinSlideIntervalMs, kMaxSlideIntervalMs);
}

int32_t SlideIntervalFromSeconds(int32_t seconds) {
  const int64_t ms = int64_t{seconds} * 1000;
  return static_cast<int32_t>(std::clamp<int64_t>(ms, kMinSlideIntervalMs, kMaxSlideIntervalMs));
}

int32_t ScreenSaverSecondsFromText(std::string_view text) {
  const int64_t seconds = LeadingInteger(text).value_or(0);
  return static_cast<int32_t>(std::clamp<int64_t>(seconds, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int32_t NextSlideIndex(int32_t index, int32_t listCount) {
  if (listCount <= 0) return 0;
  return index < 0 || index >= listCount - 1 ? 0 : index + 1;
}

int32_t PreviousSlideIndex(int32_t index, int32_t listCount) {
  if (listCount <= 0) return 0;
  return index <= 0 || index > listCount - 1 ? listCount - 1 : index - 1;
}

bool ResumeOrStartAnew(SlideShowState& state, int32_t listCount, bool pausedFileExists) {
  if (state.resumeIndex >= 0 && state.resumeIndex < listCount && pausedFileExists) return true;
  StartAnew(state);
  return false;
}

void StartAnew(SlideShowState& state) {
  state.resumeIndex = -1;
  state.pausedPath.clear();
  state.pausedTimerRunning = false;
}

SlideAction SlideWindowCreated(SlideShowState& state, int32_t listCount, uint32_t now,
                               int32_t screenSaverSeconds) {
  state.startTick = now;
  state.pointer.reset();
  if (state.screenSaver) state.intervalMs = SlideIntervalFromSeconds(screenSaverSeconds);
  state.timerRunning = false;
  if (state.resumeIndex < 0 || state.resumeIndex >= listCount) {
    state.slideIndex = 0;
    return StartTimer(state);
  }
  state.slideIndex = state.resumeIndex;
  SlideAction action;
  action.restorePausedPicture = true;
  return state.pausedTimerRunning ? StartTimer(state, action) : action;
}

SlideAction SlideTimerTick(SlideShowState& state, int32_t listCount) {
  if (!state.timerRunning) return {};  // a tick that was already queued when the timer stopped
  state.slideIndex = NextSlideIndex(state.slideIndex, listCount);
  return StartTimer(state, Show());
}

SlideAction SlideKeyPressed(SlideShowState& state, SlideKey key, int32_t listCount) {
  SlideAction action;
  switch (key) {
    case SlideKey::kNext:
      state.slideIndex = NextSlideIndex(state.slideIndex, listCount);
      return Moved(state);
    case SlideKey::kPrevious:
      state.slideIndex = PreviousSlideIndex(state.slideIndex, listCount);
      return Moved(state);
    case SlideKey::kSpace:
      if (state.timerRunning) return StopTimer(state);
      state.slideIndex = NextSlideIndex(state.slideIndex, listCount);
      return StartTimer(state, Show());
    case SlideKey::kEnter:
      action.openAsDocument = true;
      return action;
    case SlideKey::kTab:
      action.showOptionsDialog = true;
      return BeginDialog(state, action);
    case SlideKey::kHelp:
      action.showHelpDialog = true;
      return BeginDialog(state, action);
    case SlideKey::kPause:
      state.resumeIndex = state.slideIndex;
      state.pausedTimerRunning = state.timerRunning;
      action.keepPausedPicture = true;
      action.destroyWindow = true;
      return action;
    case SlideKey::kEscape:
      StartAnew(state);
      action.releaseList = true;
      action.destroyWindow = true;
      return action;
  }
  return action;
}

SlideAction SlideDialogEnded(SlideShowState& state) {
  const bool restart = state.timerBeforeDialog;
  state.timerBeforeDialog = false;
  return restart ? StartTimer(state) : SlideAction{};
}

SlideAction SlideMouseInput(SlideShowState& state, uint32_t now) {
  SlideAction action;
  // Unsigned difference: right across the tick count's wrap-around.
  if (state.screenSaver && now - state.startTick >= kScreenSaverInputGraceMs) action.endProgram = true;
  return action;
}

void SlidePointerAt(SlideShowState& state, SlidePoint at) { state.pointer = at; }

SlideAction SlideMouseMoved(SlideShowState& state, uint32_t now, SlidePoint at) {
  const bool moved = !state.pointer || *state.pointer != at;
  state.pointer = at;
  return moved ? SlideMouseInput(state, now) : SlideAction{};
}

SlideStartFollowUp AfterSlideStart(SlideStartOutcome outcome, bool screenSaver) {
  SlideStartFollowUp next;
  if (outcome == SlideStartOutcome::kAlreadyRunning) return next;
  if (screenSaver)
    next.endProgram = true;
  else
    next.reportNoPictures = outcome == SlideStartOutcome::kNoPictures;
  return next;
}

SlideAction SlideWindowDestroyed(SlideShowState& state) { return StopTimer(state); }

std::string SlideInfoText(std::string_view path, int32_t width, int32_t height) {
  return std::string(path) + " [" + std::to_string(width) + " x " + std::to_string(height) + "]";
}

}  // namespace veilo
