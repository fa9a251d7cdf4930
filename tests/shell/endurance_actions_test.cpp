// The endurance run's chooser: only actions a user could take in the state
// at hand, the same ones for the same seed, and every kind and command of its
// lists reached in a long run.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "endurance_actions.h"
#include "platform/file_io.h"
#include "temp_folder.h"

namespace veilo::testing {
namespace {

constexpr EnduranceLimits kLimits{20, 6};

// A state where every control is on.
EnduranceState Everything() {
  EnduranceState s;
  s.ui.hasDocument = true;
  s.ui.areaSelected = true;
  s.ui.undoCount = 2;
  s.ui.redoCount = 1;
  s.ui.zoomPercent = 100;
  s.ui.macroCount = 3;
  s.ui.clipboardHasBitmap = true;
  s.documentCount = 3;
  s.activeHasFile = true;
  return s;
}

bool IsCommandKind(ActionKind k) {
  return k == ActionKind::kCommand || k == ActionKind::kCancelDialog || k == ActionKind::kAcceptDialog;
}

// What must never be chosen in a state, checked against the enabling rules
// directly rather than through the chooser's own test.
struct Forbidden {
  const char* what;
  std::function<void(EnduranceState&)> change;
  std::function<bool(const Action&)> forbidden;
};

TEST(EnduranceChooser, NeverChoosesWhatTheStateDoesNotAllow) {
  const auto command = [](std::initializer_list<CommandId> list) {
    return [ids = std::vector<CommandId>(list)](const Action& a) {
      return IsCommandKind(a.kind) && std::find(ids.begin(), ids.end(), a.command) != ids.end();
    };
  };
  const Forbidden cases[] = {
      {"no document: nothing on a document",
       [](EnduranceState& s) { s.ui = {}; s.ui.clipboardHasBitmap = true; s.documentCount = 0; },
       [](const Action& a) {
         return a.kind == ActionKind::kCloseDocument || a.kind == ActionKind::kSelectArea ||
                a.kind == ActionKind::kScroll || a.kind == ActionKind::kWheel || a.kind == ActionKind::kSaveAs ||
                a.kind == ActionKind::kStepFolder || a.kind == ActionKind::kCpMask ||
                a.kind == ActionKind::kActivateDocument || (IsCommandKind(a.kind) && IsDocumentCommand(a.command));
       }},
      {"no area: no mask", [](EnduranceState& s) { s.ui.areaSelected = false; },
       [](const Action& a) {
         return a.kind == ActionKind::kCpMask ||
                (IsCommandKind(a.kind) && std::find(kAreaMenuItems.begin(), kAreaMenuItems.end(), a.command) !=
                                              kAreaMenuItems.end()) ||
                (IsCommandKind(a.kind) && (a.command == cmd::kButtonNegPos || a.command == cmd::kButtonXor ||
                                           a.command == cmd::kButtonAreaUp));
       }},
      {"empty logs: no undo or redo", [](EnduranceState& s) { s.ui.undoCount = s.ui.redoCount = 0; },
       command({cmd::kUndo, cmd::kUndoAll, cmd::kRedo, cmd::kButtonUndo, cmd::kButtonRedo})},
      {"largest zoom: no zoom in", [](EnduranceState& s) { s.ui.zoomPercent = 1600; },
       command({cmd::kZoomIn, cmd::kButtonZoomIn})},
      {"smallest zoom: no zoom out", [](EnduranceState& s) { s.ui.zoomPercent = 1; },
       command({cmd::kZoomOut, cmd::kButtonZoomOut})},
      {"empty clipboard: no paste", [](EnduranceState& s) { s.ui.clipboardHasBitmap = false; },
       command({cmd::kPasteNew})},
      {"no macro: no replay", [](EnduranceState& s) { s.ui.macroCount = 0; }, command({cmd::kMacroRun})},
      {"recording: no replay", [](EnduranceState& s) { s.ui.recording = true; }, command({cmd::kMacroRun})},
      {"full: nothing that makes a window",
       [](EnduranceState& s) { s.documentCount = kLimits.maxDocuments; },
       [](const Action& a) {
         return a.kind == ActionKind::kOpenFile || (a.kind == ActionKind::kCommand && a.command == cmd::kPasteNew) ||
                (a.kind == ActionKind::kAcceptDialog && a.command == cmd::kResizePaste);
       }},
      {"one document: nothing to switch to", [](EnduranceState& s) { s.documentCount = 1; },
       [](const Action& a) { return a.kind == ActionKind::kActivateDocument; }},
      {"a picture without a file: no save over it, no step",
       [](EnduranceState& s) { s.activeHasFile = false; },
       [](const Action& a) {
         return a.kind == ActionKind::kStepFolder || (a.kind == ActionKind::kCommand && a.command == cmd::kSave);
       }},
  };
  for (const Forbidden& c : cases) {
    SCOPED_TRACE(c.what);
    EnduranceState state = Everything();
    c.change(state);
    ActionChooser chooser(7, kLimits);
    for (int i = 0; i < 3000; ++i) {
      const Action a = chooser.Next(state);
      ASSERT_FALSE(c.forbidden(a)) << a.Describe();
      ASSERT_TRUE(ActionValid(a, state, kLimits)) << a.Describe();
    }
  }
}

TEST(EnduranceChooser, ValuesStayInTheirRanges) {
  ActionChooser chooser(11, kLimits);
  const EnduranceState state = Everything();
  for (int i = 0; i < 5000; ++i) {
    const Action a = chooser.Next(state);
    switch (a.kind) {
      case ActionKind::kOpenFile: ASSERT_LT(a.value[0], kLimits.corpusSize); break;
      case ActionKind::kActivateDocument: ASSERT_LT(a.value[0], state.documentCount); break;
      case ActionKind::kSelectArea:
        for (int32_t v : a.value) ASSERT_TRUE(v >= 0 && v <= 1000) << a.Describe();
        break;
      case ActionKind::kCpMask: ASSERT_TRUE(a.value[0] >= 1 && a.value[0] <= 16) << a.Describe(); break;
      case ActionKind::kSaveAs: ASSERT_LT(a.value[0], 5); break;
      default: break;
    }
    ASSERT_GE(a.value[0], 0) << a.Describe();
  }
}

TEST(EnduranceChooser, TheSameSeedGivesTheSameRunAndAnotherSeedAnother) {
  const auto run = [](uint32_t seed) {
    ActionChooser chooser(seed, kLimits);
    std::string log;
    EnduranceState state = Everything();
    for (int i = 0; i < 200; ++i) {
      log += chooser.Next(state).Describe() + "\n";
      state.ui.areaSelected = i % 3 != 0;  // the state moves on as the actions change it
      state.documentCount = 1 + i % 6;
    }
    return log;
  };
  EXPECT_EQ(run(5), run(5));
  EXPECT_NE(run(5), run(6));
}

TEST(EnduranceChooser, ALongRunReachesEveryKindAndEveryCommand) {
  ActionChooser chooser(3, kLimits);
  const EnduranceState state = Everything();
  std::set<ActionKind> kinds;
  std::set<std::pair<ActionKind, CommandId>> commands;
  for (int i = 0; i < 10000; ++i) {
    const Action a = chooser.Next(state);
    kinds.insert(a.kind);
    if (IsCommandKind(a.kind)) commands.insert({a.kind, a.command});
  }
  EXPECT_EQ(kinds.size(), 12u);  // all twelve kinds
  for (CommandId c : PlainCommands()) EXPECT_TRUE(commands.count({ActionKind::kCommand, c})) << c;
  for (CommandId c : CancelledDialogCommands()) EXPECT_TRUE(commands.count({ActionKind::kCancelDialog, c})) << c;
  for (CommandId c : AcceptedDialogCommands()) EXPECT_TRUE(commands.count({ActionKind::kAcceptDialog, c})) << c;
}

TEST(EnduranceChooser, WithoutDocumentsOrCorpusTheRunStillFindsSomethingToDo) {
  EnduranceState state;  // nothing open, empty clipboard
  ActionChooser chooser(1, {0, 6});
  for (int i = 0; i < 500; ++i) {
    const Action a = chooser.Next(state);
    ASSERT_TRUE(ActionValid(a, state, {0, 6})) << a.Describe();
    ASSERT_NE(a.kind, ActionKind::kOpenFile);
  }
}

TEST(EnduranceCorpus, ListsThePicturesOfEveryFolderBelowBySizeAndNameSorted) {
  TempFolder folder;
  std::filesystem::create_directories(folder.Path("a/deep"));
  std::filesystem::create_directories(folder.Path("b"));
  const auto write = [&folder](const std::string& name, size_t bytes) {
    FilePtr file = OpenFile(folder.Path(name), "wb");
    ASSERT_TRUE(file) << name;
    const std::string data(bytes, 'x');
    std::fwrite(data.data(), 1, data.size(), file.get());
  };
  write("a/one.PNG", 10);
  write("a/deep/two.jp2", 10);
  write("a/notes.txt", 10);
  write("a/large.bmp", 5000);
  write("b/three.gif", 10);
  write("b/four.jpeg", 10);
  const std::vector<std::string> files = CorpusFiles({folder.Path("a"), folder.Path("b"), folder.Path("none")}, 1000);
  // As paths: Windows lists them with its own separator.
  const std::vector<std::filesystem::path> listed(files.begin(), files.end());
  const std::vector<std::filesystem::path> expected = {folder.Path("a/deep/two.jp2"), folder.Path("a/one.PNG"),
                                                       folder.Path("b/four.jpeg"), folder.Path("b/three.gif")};
  EXPECT_EQ(listed, expected);
}

}  // namespace
}  // namespace veilo::testing
