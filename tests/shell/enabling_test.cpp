#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "shell/enabling.h"

namespace veilo {
namespace {

// The expected state of every rule group; each group is checked on all of
// its buttons and menu items.
struct Expected {
  bool save, undo, redo, zoomIn, zoomOut, area, macroRun, record;
  int32_t recordFace;
  bool recordChecked, paste, quickZoomChecked;
};

struct Step {
  const char* what;
  std::function<void(UiSnapshot&)> change;
  Expected expected;
};

void CheckGroup(const ControlStates& s, std::initializer_list<CommandId> buttons,
                std::initializer_list<CommandId> items, bool on, const std::string& where) {
  for (CommandId b : buttons) EXPECT_EQ(s.ButtonEnabled(b), on) << where << " button " << b;
  for (CommandId m : items) EXPECT_EQ(s.MenuItem(m).enabled, on) << where << " item " << m;
}

void Check(const ControlStates& s, const Expected& e, const std::string& where) {
  CheckGroup(s, {cmd::kButtonSave, cmd::kButtonSaveAs}, {}, e.save, where + " save");
  CheckGroup(s, {cmd::kButtonUndo}, {cmd::kUndo, cmd::kUndoAll}, e.undo, where + " undo");
  CheckGroup(s, {cmd::kButtonRedo}, {cmd::kRedo}, e.redo, where + " redo");
  CheckGroup(s, {cmd::kButtonZoomIn}, {cmd::kZoomIn}, e.zoomIn, where + " zoom in");
  CheckGroup(s, {cmd::kButtonZoomOut}, {cmd::kZoomOut}, e.zoomOut, where + " zoom out");
  CheckGroup(s, {cmd::kMacroRun}, {cmd::kMacroRun}, e.macroRun, where + " macro run");
  CheckGroup(s, {cmd::kMacroRecord}, {}, e.record, where + " record");
  for (const ToolbarRow& row : ToolbarTable()) {
    if (row.needsArea && row.command != cmd::kMacroRun) {
      EXPECT_EQ(s.ButtonEnabled(row.command), e.area) << where << " area button " << row.bitmapBase;
    }
  }
  for (CommandId m : kAreaMenuItems) EXPECT_EQ(s.MenuItem(m).enabled, e.area) << where << " area item " << m;
  EXPECT_EQ(s.recordButtonFace, e.recordFace) << where;
  EXPECT_EQ(s.MenuItem(cmd::kMacroRecord).checked, e.recordChecked) << where;
  EXPECT_EQ(s.MenuItem(cmd::kPasteNew).enabled, e.paste) << where;
  EXPECT_EQ(s.MenuItem(cmd::kQuickZoom).checked, e.quickZoomChecked) << where;
  // Nothing ever disables these.
  EXPECT_TRUE(s.ButtonEnabled(cmd::kButtonOpen)) << where;
  for (CommandId m : {cmd::kOpen, cmd::kSave, cmd::kCopy, cmd::kMacroRecord, cmd::kQuickZoom,
                      cmd::kRotate90, cmd::kResizePaste, cmd::kAbout, cmd::kCascade}) {
    EXPECT_TRUE(s.MenuItem(m).enabled) << where << " item " << m;
  }
}

TEST(ComputeControlStates, FollowsASessionThroughItsTransitions) {
  // Fields: save undo redo zoomIn zoomOut area macroRun record | face recChecked paste quickZoom
  const Step steps[] = {
      {"start, no document", [](UiSnapshot&) {},
       {false, false, false, false, false, false, false, false, 24, false, false, false}},
      {"Quick Zoom window opens", [](UiSnapshot& s) { s.quickZoomShown = true; },
       {false, false, false, false, false, false, false, false, 24, false, false, true}},
      {"document activated at 100 %", [](UiSnapshot& s) { s.hasDocument = true; },
       {true, false, false, true, true, false, false, true, 24, false, false, true}},
      {"area selected", [](UiSnapshot& s) { s.areaSelected = true; },
       {true, false, false, true, true, true, false, true, 24, false, false, true}},
      {"a mask is applied", [](UiSnapshot& s) { s.undoCount = 1; },
       {true, true, false, true, true, true, false, true, 24, false, false, true}},
      {"undo", [](UiSnapshot& s) { s.undoCount = 0; s.redoCount = 1; },
       {true, false, true, true, true, true, false, true, 24, false, false, true}},
      {"zoom at 1600", [](UiSnapshot& s) { s.zoomPercent = 1600; },
       {true, false, true, false, true, true, false, true, 24, false, false, true}},
      {"zoom at 1599", [](UiSnapshot& s) { s.zoomPercent = 1599; },
       {true, false, true, true, true, true, false, true, 24, false, false, true}},
      {"fit gives 2000", [](UiSnapshot& s) { s.zoomPercent = 2000; },
       {true, false, true, false, true, true, false, true, 24, false, false, true}},
      {"zoom at 26", [](UiSnapshot& s) { s.zoomPercent = 26; },
       {true, false, true, true, true, true, false, true, 24, false, false, true}},
      {"zoom at 25", [](UiSnapshot& s) { s.zoomPercent = 25; },
       {true, false, true, true, false, true, false, true, 24, false, false, true}},
      {"recording starts", [](UiSnapshot& s) { s.zoomPercent = 100; s.recording = true; },
       {true, false, true, true, true, true, false, true, 25, true, false, true}},
      {"two masks recorded", [](UiSnapshot& s) { s.macroCount = 2; s.undoCount = 2; s.redoCount = 0; },
       {true, true, false, true, true, true, false, true, 25, true, false, true}},
      {"recording stops", [](UiSnapshot& s) { s.recording = false; },
       {true, true, false, true, true, true, true, true, 24, false, false, true}},
      {"clipboard gets a bitmap", [](UiSnapshot& s) { s.clipboardHasBitmap = true; },
       {true, true, false, true, true, true, true, true, 24, false, true, true}},
      {"area cleared", [](UiSnapshot& s) { s.areaSelected = false; },
       {true, true, false, true, true, false, false, true, 24, false, true, true}},
      {"area again, recording again", [](UiSnapshot& s) { s.areaSelected = true; s.recording = true; },
       {true, true, false, true, true, true, false, true, 25, true, true, true}},
      {"document closed while recording", [](UiSnapshot& s) { s.hasDocument = false; },
       {false, false, false, false, false, false, false, true, 25, true, true, true}},
      {"recording stopped without a document", [](UiSnapshot& s) { s.recording = false; },
       {false, false, false, false, false, false, false, false, 24, false, true, true}},
      {"another document, area but empty macro",
       [](UiSnapshot& s) { s = UiSnapshot{}; s.hasDocument = true; s.areaSelected = true; },
       {true, false, false, true, true, true, false, true, 24, false, false, false}},
  };
  UiSnapshot state;
  for (const Step& step : steps) {
    step.change(state);
    Check(ComputeControlStates(state), step.expected, step.what);
  }
}

TEST(ComputeControlStates, DocumentFieldsDoNotLeakWithoutADocument) {
  UiSnapshot s;
  s.areaSelected = true;
  s.undoCount = 5;
  s.redoCount = 5;
  s.macroCount = 3;
  const ControlStates states = ComputeControlStates(s);
  Check(states, {false, false, false, false, false, false, false, false, 24, false, false, false},
        "stale document state");
}

TEST(ComputeControlStates, CoversEveryToolbarRowAndGovernedItem) {
  UiSnapshot s;
  s.hasDocument = true;
  const ControlStates states = ComputeControlStates(s);
  for (size_t i = 0; i < kGovernedMenuItems.size(); ++i) {
    EXPECT_EQ(states.menuItems[i].id, kGovernedMenuItems[i]);
  }
  // The record-stop face follows the record button.
  EXPECT_EQ(states.buttonEnabled[kRecordStopRow], states.buttonEnabled[kRecordRow]);
}

}  // namespace
}  // namespace veilo
