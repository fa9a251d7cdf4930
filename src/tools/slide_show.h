#pragma once
// The slide show's keys, timer and resume rules, apart from its window: each
// event updates the state and answers what the window does next (load and
// draw a picture, start or stop its timer, open a dialog, end).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veilo {

inline constexpr int32_t kDefaultSlideIntervalMs = 5000;
// The interval the timer actually runs with is kept within these bounds: the
// options dialog takes any number, and a zero or negative one would flood
// the window with timer messages.
inline constexpr int32_t kMinSlideIntervalMs = 100;
inline constexpr int32_t kMaxSlideIntervalMs = 24 * 60 * 60 * 1000;
// In screen-saver mode, mouse input ends the show only after this long, so
// that the move that started it does not end it at once.
inline constexpr uint32_t kScreenSaverInputGraceMs = 3000;

// A pointer position in screen pixels.
struct SlidePoint {
  int32_t x = 0, y = 0;
  bool operator==(const SlidePoint&) const = default;
};

struct SlideShowState {
  int32_t slideIndex = 0;    // the picture on screen
  int32_t resumeIndex = -1;  // where the next show resumes; -1 starts anew
  int32_t intervalMs = kDefaultSlideIntervalMs;
  bool showInfo = false;  // draw "path [w x h]" at the lower right
  bool includeSubfolders = true;
  bool timerRunning = false;
  bool screenSaver = false;
  uint32_t startTick = 0;  // when the window was created
  // Screen saver: where the pointer was last seen. The system also sends a mouse move when a
  // window appears under a pointer that stays still; only a move to another place counts.
  std::optional<SlidePoint> pointer;
  // Kept by Pause for resuming: whether the timer ran, and the path of the
  // picture on screen (its file must still exist to resume).
  bool pausedTimerRunning = false;
  std::string pausedPath;
  // Whether the timer ran before a dialog stopped it.
  bool timerBeforeDialog = false;
};

enum class SlideTimer : uint8_t { kKeep, kStart, kStop };  // kStart (re)starts with the full interval

// What the window does after an event, in this order.
struct SlideAction {
  bool showPicture = false;           // load entry slideIndex and draw it
  bool restorePausedPicture = false;  // on creation: the picture kept by Pause is on screen again
  SlideTimer timer = SlideTimer::kKeep;
  bool openAsDocument = false;     // hand the picture on screen to the frame as a document
  bool showOptionsDialog = false;  // WAIT_DLG; call SlideDialogEnded afterwards
  bool showHelpDialog = false;     // SS_HELP; call SlideDialogEnded afterwards
  bool keepPausedPicture = false;  // keep a copy of the picture on screen for resuming
  bool releaseList = false;
  bool destroyWindow = false;
  bool endProgram = false;  // screen saver: end the show and then the program
};

enum class SlideKey : uint8_t { kNext, kPrevious, kSpace, kEnter, kTab, kHelp, kPause, kEscape };

// The slide-show key of a key-down message's virtual key (Right, Down, Left,
// Up, F1, Pause, Cancel) or of a character ('+', '-', Space, Enter, Tab,
// '?', Esc); nullopt for any other.
std::optional<SlideKey> SlideKeyForVirtualKey(uint32_t virtualKey);
std::optional<SlideKey> SlideKeyForCharacter(uint32_t character);

// The interval the timer runs with.
int32_t EffectiveSlideInterval(int32_t intervalMs);
// The screen-saver interval from its seconds setting.
int32_t SlideIntervalFromSeconds(int32_t seconds);

// The seconds typed into the screen-saver settings, read as atoi reads them: the leading number,
// 0 when there is none.
int32_t ScreenSaverSecondsFromText(std::string_view text);

// The menu start: whether the paused show resumes instead of asking for a
// folder (a pause was kept, the list survives and still holds that index,
// and the paused picture's file still exists). When it does not, the state
// is set to start anew.
bool ResumeOrStartAnew(SlideShowState& state, int32_t listCount, bool pausedFileExists);
// A start from a folder or a command line always starts anew.
void StartAnew(SlideShowState& state);

// The window was created (`now` is the tick count).
SlideAction SlideWindowCreated(SlideShowState& state, int32_t listCount, uint32_t now,
                               int32_t screenSaverSeconds);
SlideAction SlideTimerTick(SlideShowState& state, int32_t listCount);
SlideAction SlideKeyPressed(SlideShowState& state, SlideKey key, int32_t listCount);
// After WAIT_DLG or SS_HELP closed: the timer runs again if it ran before.
SlideAction SlideDialogEnded(SlideShowState& state);
// A mouse button press at tick `now`.
SlideAction SlideMouseInput(SlideShowState& state, uint32_t now);
// Where the pointer is when the window appears (the place later moves are measured from).
void SlidePointerAt(SlideShowState& state, SlidePoint at);
// A mouse move to `at` at tick `now`: as a button press when the pointer went somewhere else.
SlideAction SlideMouseMoved(SlideShowState& state, uint32_t now, SlidePoint at);
SlideAction SlideWindowDestroyed(SlideShowState& state);

// How a start from a command line or a dropped folder came out.
enum class SlideStartOutcome : uint8_t {
  kShown,           // the show ran and has ended
  kNothingNamed,    // an argument named nothing: no show, and no message
  kNoPictures,      // the list holds no picture
  kAlreadyRunning,  // a show is on screen; it goes on
};
struct SlideStartFollowUp {
  bool reportNoPictures = false;
  bool endProgram = false;
};
// What follows such a start. A screen saver ends the program whichever way its show ended, and
// never waits on a message box: nobody is there to answer it.
SlideStartFollowUp AfterSlideStart(SlideStartOutcome outcome, bool screenSaver);

// The list index after `index`, wrapping to 0; before it, wrapping to the last.
int32_t NextSlideIndex(int32_t index, int32_t listCount);
int32_t PreviousSlideIndex(int32_t index, int32_t listCount);

// The line drawn at the lower right when showInfo is set: "path [w x h]".
std::string SlideInfoText(std::string_view path, int32_t width, int32_t height);

}  // namespace veilo
