#include <gtest/gtest.h>

#include "mask_fixture.h"
#include "masks/colour_masks.h"
#include "masks/macro.h"

namespace veilo {
namespace {

using testing::MakeNoiseDoc;
using testing::MaskFixture;
using testing::SelectArea;

TEST(MacroRecorder, StartAndStopTellTheShell) {
  MaskFixture f;
  ToggleMacroRecording(f.ctx);
  EXPECT_EQ(f.macro.macroRecording, 1);
  ToggleMacroRecording(f.ctx);
  EXPECT_EQ(f.macro.macroRecording, 0);
  EXPECT_EQ(f.shell.recordingStates, (std::vector<bool>{true, false}));
}

TEST(MacroRecorder, KeepsTheFirstThirtyOperations) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(4, 4);
  SelectArea(doc, 0, 0, 4, 4);
  ToggleMacroRecording(f.ctx);
  for (int i = 0; i < 31; ++i) {
    f.options.rgbNegChannels = static_cast<uint8_t>(i % 8);
    NegPosLive(f.ctx, doc);
  }
  ToggleMacroRecording(f.ctx);
  EXPECT_EQ(f.macro.macroCount, kMacroCapacity);
  EXPECT_EQ(doc.undoCount(), 31);
  EXPECT_EQ(f.macro.entries[29].p[0], 29 % 8);
  EXPECT_TRUE(f.shell.errors.empty());
}

TEST(MacroRecorder, KeepsOpcodeCodeAndParametersButNoRectangle) {
  MacroBuffer macro;
  macro.macroRecording = 1;
  MaskRecord rec = MakeRecord(kOpCp, {1, 2, 3, 4});
  rec.p = {8, 1, 2, 3, 4, 5, 6, 7, 9};
  rec.code = {'A', 'B', 'C'};
  CaptureMacro(macro, rec);
  ASSERT_EQ(macro.macroCount, 1);
  EXPECT_EQ(macro.entries[0].opcode, kOpCp);
  EXPECT_EQ(macro.entries[0].p, rec.p);
  EXPECT_EQ(macro.entries[0].code, rec.code);
}

TEST(MacroRecorder, IgnoresTurnsAndRecordsNothingWhenIdle) {
  MacroBuffer macro;
  MaskRecord turn;
  turn.opcode = kOpRotate;
  CaptureMacro(macro, MakeRecord(kOpXor, {}));
  EXPECT_EQ(macro.macroCount, 0);
  macro.macroRecording = 1;
  CaptureMacro(macro, turn);
  EXPECT_EQ(macro.macroCount, 0);
}

TEST(MacroRecorder, ANewRecordingEmptiesThePreviousOne) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(4, 4);
  SelectArea(doc, 0, 0, 4, 4);
  ToggleMacroRecording(f.ctx);
  XorLive(f.ctx, doc);
  ToggleMacroRecording(f.ctx);
  EXPECT_TRUE(MacroRunAvailable(f.macro, true));
  ToggleMacroRecording(f.ctx);
  EXPECT_FALSE(MacroRunAvailable(f.macro, true));  // recording
  ToggleMacroRecording(f.ctx);
  EXPECT_EQ(f.macro.macroCount, 0);
  EXPECT_EQ(f.macro.entries[0].opcode, 0);
  EXPECT_FALSE(MacroRunAvailable(f.macro, true));  // nothing recorded
}

TEST(MacroRecorder, RunNeedsASelection) {
  MacroBuffer macro;
  macro.macroCount = 1;
  EXPECT_TRUE(MacroRunAvailable(macro, true));
  EXPECT_FALSE(MacroRunAvailable(macro, false));
}

}  // namespace
}  // namespace veilo
