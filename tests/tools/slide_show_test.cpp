#include "tools/slide_show.h"

#include <gtest/gtest.h>

namespace veilo {
namespace {

TEST(SlideKeys, VirtualKeysAndCharacters) {
  struct Case {
    uint32_t code;
    bool isCharacter;
    std::optional<SlideKey> key;
  };
  const Case cases[] = {
      {0x27, false, SlideKey::kNext},     {0x28, false, SlideKey::kNext},
      {0x25, false, SlideKey::kPrevious}, {0x26, false, SlideKey::kPrevious},
      {0x70, false, SlideKey::kHelp},     {0x13, false, SlideKey::kPause},
      {0x03, false, SlideKey::kPause},    {0x20, false, std::nullopt},
      {0x0D, false, std::nullopt},        {'+', true, SlideKey::kNext},
      {'-', true, SlideKey::kPrevious},   {' ', true, SlideKey::kSpace},
      {'\r', true, SlideKey::kEnter},     {'\t', true, SlideKey::kTab},
      {'?', true, SlideKey::kHelp},       {0x1B, true, SlideKey::kEscape},
      {'a', true, std::nullopt},          {0x27, true, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.isCharacter ? SlideKeyForCharacter(c.code) : SlideKeyForVirtualKey(c.code), c.key)
        << c.code << (c.isCharacter ? " char" : " key");
  }
}

TEST(SlideIndex, WrapsAtBothEnds) {
  struct Case {
    int32_t index, count, next, previous;
  };
  const Case cases[] = {
      {0, 3, 1, 2},  {2, 3, 0, 1}, {1, 3, 2, 0},
      {0, 1, 0, 0},  {0, 0, 0, 0},  // no list: stays at 0, never divides by the count
      {7, 3, 0, 2},                 // out of range: back into the list
      {-1, 3, 0, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextSlideIndex(c.index, c.count), c.next) << c.index << "/" << c.count;
    EXPECT_EQ(PreviousSlideIndex(c.index, c.count), c.previous) << c.index << "/" << c.count;
  }
}

TEST(SlideInterval, KeptWithinBounds) {
  EXPECT_EQ(EffectiveSlideInterval(5000), 5000);
  EXPECT_EQ(EffectiveSlideInterval(0), kMinSlideIntervalMs);
  EXPECT_EQ(EffectiveSlideInterval(-20), kMinSlideIntervalMs);
  EXPECT_EQ(EffectiveSlideInterval(INT32_MAX), kMaxSlideIntervalMs);
  EXPECT_EQ(SlideIntervalFromSeconds(7), 7000);
  EXPECT_EQ(SlideIntervalFromSeconds(0), kMinSlideIntervalMs);
  EXPECT_EQ(SlideIntervalFromSeconds(3000000), kMaxSlideIntervalMs);  // no overflow of seconds x 1000
}

// One event of a scripted show and what must follow.
enum class Event : uint8_t { kCreate, kTimer, kKey, kDialogEnd, kDestroy };
struct Step {
  Event event;
  SlideKey key;
  int32_t index;     // slideIndex afterwards
  bool running;      // timerRunning afterwards
  bool show;         // a picture is loaded
  SlideTimer timer;  // the timer request
};

void RunScript(SlideShowState& state, int32_t count, std::initializer_list<Step> steps) {
  int n = 0;
  for (const Step& s : steps) {
    SlideAction a;
    switch (s.event) {
      case Event::kCreate:
        a = SlideWindowCreated(state, count, 0, 0);
        break;
      case Event::kTimer:
        a = SlideTimerTick(state, count);
        break;
      case Event::kKey:
        a = SlideKeyPressed(state, s.key, count);
        break;
      case Event::kDialogEnd:
        a = SlideDialogEnded(state);
        break;
      case Event::kDestroy:
        a = SlideWindowDestroyed(state);
        break;
    }
    EXPECT_EQ(state.slideIndex, s.index) << "step " << n;
    EXPECT_EQ(state.timerRunning, s.running) << "step " << n;
    EXPECT_EQ(a.showPicture, s.show) << "step " << n;
    EXPECT_EQ(a.timer, s.timer) << "step " << n;
    ++n;
  }
}

constexpr SlideKey kAny = SlideKey::kEnter;
using enum SlideTimer;

TEST(SlideShowScript, KeysTimerAndDialogs) {
  SlideShowState state;
  RunScript(state, 3,
            {
                {Event::kCreate, kAny, 0, true, false, kStart},
                {Event::kTimer, kAny, 1, true, true, kStart},
                {Event::kKey, SlideKey::kNext, 2, true, true, kStart},      // full interval again
                {Event::kTimer, kAny, 0, true, true, kStart},               // wraps to the first
                {Event::kKey, SlideKey::kPrevious, 2, true, true, kStart},  // Left on the first: the last
                {Event::kKey, SlideKey::kSpace, 2, false, false, kStop},    // Space stops
                {Event::kTimer, kAny, 2, false, false, kKeep},              // a late tick changes nothing
                {Event::kKey, SlideKey::kNext, 0, false, true, kKeep},      // moves without starting
                {Event::kKey, SlideKey::kSpace, 1, true, true, kStart},     // Space moves on and starts
                {Event::kKey, SlideKey::kTab, 1, false, false, kStop},      // dialog stops the advance
                {Event::kDialogEnd, kAny, 1, true, false, kStart},          // and restarts it
                {Event::kKey, SlideKey::kSpace, 1, false, false, kStop},
                {Event::kKey, SlideKey::kHelp, 1, false, false, kKeep},
                {Event::kDialogEnd, kAny, 1, false, false, kKeep},        // stays stopped
                {Event::kKey, SlideKey::kEnter, 1, false, false, kKeep},  // the show goes on
                {Event::kDestroy, kAny, 1, false, false, kKeep},
            });
}

TEST(SlideShowScript, EnterAndEscapeAnswers) {
  SlideShowState state;
  SlideWindowCreated(state, 2, 0, 0);
  const SlideAction enter = SlideKeyPressed(state, SlideKey::kEnter, 2);
  EXPECT_TRUE(enter.openAsDocument);
  EXPECT_FALSE(enter.destroyWindow);
  const SlideAction escape = SlideKeyPressed(state, SlideKey::kEscape, 2);
  EXPECT_TRUE(escape.releaseList);
  EXPECT_TRUE(escape.destroyWindow);
  EXPECT_EQ(state.resumeIndex, -1);
  EXPECT_EQ(SlideWindowDestroyed(state).timer, SlideTimer::kStop);
  EXPECT_FALSE(state.timerRunning);
}

TEST(SlideShowResume, PauseKeepsPictureAndTimerState) {
  for (const bool timerWasRunning : {true, false}) {
    SlideShowState state;
    SlideWindowCreated(state, 4, 0, 0);
    SlideKeyPressed(state, SlideKey::kNext, 4);
    SlideKeyPressed(state, SlideKey::kNext, 4);
    if (!timerWasRunning) SlideKeyPressed(state, SlideKey::kSpace, 4);
    const SlideAction pause = SlideKeyPressed(state, SlideKey::kPause, 4);
    EXPECT_TRUE(pause.keepPausedPicture);
    EXPECT_TRUE(pause.destroyWindow);
    EXPECT_FALSE(pause.releaseList);
    SlideWindowDestroyed(state);

    ASSERT_TRUE(ResumeOrStartAnew(state, 4, true));
    const SlideAction created = SlideWindowCreated(state, 4, 100, 0);
    EXPECT_EQ(state.slideIndex, 2);
    EXPECT_TRUE(created.restorePausedPicture);
    EXPECT_EQ(state.timerRunning, timerWasRunning);
    EXPECT_EQ(created.timer, timerWasRunning ? SlideTimer::kStart : SlideTimer::kKeep);
  }
}

TEST(SlideShowResume, StartsAnewWhenThePauseCannotBeKept) {
  struct Case {
    const char* what;
    int32_t listCount;
    bool fileExists;
    bool escapedBefore;
    bool resumes;
  };
  const Case cases[] = {
      {"paused, list and file there", 4, true, false, true},
      {"the paused picture's file is gone", 4, false, false, false},
      {"the list was released", 0, true, false, false},
      {"the list no longer holds the index", 2, true, false, false},
      {"ended with Esc", 4, true, true, false},
  };
  for (const Case& c : cases) {
    SlideShowState state;
    SlideWindowCreated(state, 4, 0, 0);
    SlideKeyPressed(state, SlideKey::kPrevious, 4);  // index 3
    SlideKeyPressed(state, c.escapedBefore ? SlideKey::kEscape : SlideKey::kPause, 4);
    SlideWindowDestroyed(state);
    EXPECT_EQ(ResumeOrStartAnew(state, c.listCount, c.fileExists), c.resumes) << c.what;
    if (!c.resumes) {
      EXPECT_EQ(state.resumeIndex, -1) << c.what;
      SlideWindowCreated(state, 4, 0, 0);
      EXPECT_EQ(state.slideIndex, 0) << c.what;
      EXPECT_TRUE(state.timerRunning) << c.what;
    }
  }
}

TEST(SlideShowResume, AFolderStartNeverResumesAnOldPause) {
  SlideShowState state;
  SlideWindowCreated(state, 9, 0, 0);
  SlideKeyPressed(state, SlideKey::kPrevious, 9);
  SlideKeyPressed(state, SlideKey::kPause, 9);
  StartAnew(state);
  const SlideAction created = SlideWindowCreated(state, 2, 0, 0);
  EXPECT_FALSE(created.restorePausedPicture);
  EXPECT_EQ(state.slideIndex, 0);
}

TEST(ScreenSaver, IntervalAndMouseAfterThreeSeconds) {
  struct Case {
    bool screenSaver;
    uint32_t start, now;
    bool ends;
  };
  const Case cases[] = {
      {true, 1000, 3999, false},
      {true, 1000, 4000, true},
      {true, 1000, 1000, false},
      {true, 0xFFFFFC00u, 0x00000800u, true},   // 3072 ms across the tick count's wrap
      {true, 0xFFFFFC00u, 0x00000400u, false},  // 2048 ms across it
      {false, 1000, 100000, false},             // an ordinary show ignores the mouse
  };
  for (const Case& c : cases) {
    SlideShowState state;
    state.screenSaver = c.screenSaver;
    SlideWindowCreated(state, 3, c.start, 8);
    EXPECT_EQ(state.intervalMs, c.screenSaver ? 8000 : kDefaultSlideIntervalMs);
    EXPECT_EQ(SlideMouseInput(state, c.now).endProgram, c.ends) << c.start << " " << c.now;
  }
}

// Moves are measured from where the pointer was when the window appeared, and from each move
// after that: a move message to the same place (as the system sends when a window appears under
// a still pointer) never ends the show.
TEST(ScreenSaver, OnlyAMoveToAnotherPlaceAfterThreeSecondsEnds) {
  struct Move {
    uint32_t now;
    SlidePoint at;
    bool ends;
  };
  const Move moves[] = {
      {1500, {100, 100}, false},  // where the pointer was at the start, early
      {2000, {120, 100}, false},  // moved, but within the first three seconds
      {4000, {120, 100}, false},  // late, but to where it already was
      {4100, {120, 101}, true},   // late, one pixel away
  };
  SlideShowState state;
  state.screenSaver = true;
  SlideWindowCreated(state, 3, 1000, 5);
  SlidePointerAt(state, {100, 100});
  for (const Move& m : moves)
    EXPECT_EQ(SlideMouseMoved(state, m.now, m.at).endProgram, m.ends) << m.now << " " << m.at.x << "," << m.at.y;

  // A new window forgets the old place: without one of its own, any late move counts.
  SlideWindowCreated(state, 3, 10000, 5);
  EXPECT_FALSE(state.pointer.has_value());
  EXPECT_TRUE(SlideMouseMoved(state, 13000, {120, 101}).endProgram);

  SlideShowState show;  // an ordinary show ignores the mouse
  SlideWindowCreated(show, 3, 0, 5);
  SlidePointerAt(show, {0, 0});
  EXPECT_FALSE(SlideMouseMoved(show, 100000, {50, 50}).endProgram);
}

TEST(SlideStart, AScreenSaverEndsTheProgramAndShowsNoMessage) {
  struct Case {
    SlideStartOutcome outcome;
    bool screenSaver;
    bool reports, ends;
  };
  const Case cases[] = {
      {SlideStartOutcome::kShown, false, false, false},
      {SlideStartOutcome::kNothingNamed, false, false, false},
      {SlideStartOutcome::kNoPictures, false, true, false},
      {SlideStartOutcome::kAlreadyRunning, false, false, false},
      {SlideStartOutcome::kShown, true, false, true},
      {SlideStartOutcome::kNothingNamed, true, false, true},  // SLD_PATH names no folder
      {SlideStartOutcome::kNoPictures, true, false, true},    // nobody would answer the box
      {SlideStartOutcome::kAlreadyRunning, true, false, false},  // the show on screen ends it
  };
  for (const Case& c : cases) {
    const SlideStartFollowUp next = AfterSlideStart(c.outcome, c.screenSaver);
    EXPECT_EQ(next.reportNoPictures, c.reports) << static_cast<int>(c.outcome) << " " << c.screenSaver;
    EXPECT_EQ(next.endProgram, c.ends) << static_cast<int>(c.outcome) << " " << c.screenSaver;
  }
}

TEST(ScreenSaver, SecondsAreReadAsAtoiReadsThem) {
  struct Case {
    const char* text;
    int32_t seconds;
  };
  const Case cases[] = {{"12", 12}, {"", 0}, {"abc", 0}, {"7s", 7}, {" 5", 5}, {"-3", -3}, {"99999999999", 2147483647}};
  for (const Case& c : cases) EXPECT_EQ(ScreenSaverSecondsFromText(c.text), c.seconds) << c.text;
}

TEST(SlideInfo, PathAndSize) {
  EXPECT_EQ(SlideInfoText("C:\\p\\a.jpg", 640, 480), "C:\\p\\a.jpg [640 x 480]");
}

}  // namespace
}  // namespace veilo
