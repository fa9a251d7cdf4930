#include <gtest/gtest.h>

#include "mask_fixture.h"
#include "masks/colour_masks.h"
#include "masks/flip_glass.h"
#include "masks/macro.h"
#include "masks/meko_mask.h"
#include "masks/q0_mask.h"
#include "masks/rotation.h"

namespace veilo {
namespace {

using testing::Copy;
using testing::MakeNoiseDoc;
using testing::MaskFixture;
using testing::SamePixels;
using testing::SelectArea;

// Records negative/positive (channels 5), vertical glass (box 6) and a Q0
// mask on one picture, then changes every option.
void RecordThreeMasks(MaskFixture& f) {
  ImageDoc source = MakeNoiseDoc(30, 30, 7);
  SelectArea(source, 0, 0, 30, 30);
  f.options.rgbNegChannels = 5;
  f.options.glassBoxSize = 6;
  f.options.q0LeftRight = 1;
  ToggleMacroRecording(f.ctx);
  NegPosLive(f.ctx, source);
  GlassLive(f.ctx, source, true);
  Q0Live(f.ctx, source);
  ToggleMacroRecording(f.ctx);
  f.options = MaskOptions{.rgbNegChannels = 1, .rgbXorChannels = 1, .rgbExchangeMode = 2, .glassBoxSize = 3};
}

TEST(MacroRun, ReplaysOnAnotherPictureWithTheRecordedOptions) {
  MaskFixture f;
  RecordThreeMasks(f);
  ASSERT_EQ(f.macro.macroCount, 3);

  ImageDoc doc = MakeNoiseDoc(40, 35, 3);
  ImageDoc expected = Copy(doc);
  const PixelRect area{3, 4, 32, 27};  // 29 by 23: ragged glass boxes
  const PixelBuffer px = DocPixels(expected);
  NegateArea(px, area, 5);
  GlassArea(px, area, 6, true);
  NegateArea(px, area, 5);  // the recorded Q0 steps, in their live order
  MirrorArea(px, area);
  GlassArea(px, area, 6, true);
  GlassArea(px, area, 6, false);

  SelectArea(doc, 32, 27, 3, 4);
  doc.redoList.push_back(MakeRecord(kOpXor, {}));
  RunMacro(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, expected));
  ASSERT_EQ(doc.undoCount(), 3);
  for (const MaskRecord& rec : doc.undoList)
    EXPECT_EQ((PixelRect{rec.left, rec.top, rec.right, rec.bottom}), area);
  EXPECT_EQ(doc.undoList[1].p[0], 6);
  EXPECT_EQ(doc.redoCount(), 0);
  EXPECT_EQ(f.macro.running, 0);
  EXPECT_EQ(f.shell.waitEntries, 1);
  EXPECT_EQ(f.shell.waitDepth, 0);
}

// The example of recording a colour mask, a glass mask and a Meko mask.
TEST(MacroRun, NegPosGlassAndMekoReplayWithTheirRecordedSettings) {
  MaskFixture f;
  f.options.rgbNegChannels = 2;
  f.options.glassBoxSize = 12;
  ImageDoc source = MakeNoiseDoc(64, 48, 5);
  SelectArea(source, 0, 0, 64, 48);
  ToggleMacroRecording(f.ctx);
  NegPosLive(f.ctx, source);
  GlassLive(f.ctx, source, false);
  MekoLive(f.ctx, source, 0);
  ToggleMacroRecording(f.ctx);
  ASSERT_EQ(f.macro.macroCount, 3);

  ImageDoc doc = MakeNoiseDoc(80, 70, 9);
  SelectArea(doc, 5, 3, 72, 60);  // 67 by 57: 4 by 3 Meko blocks and ragged glass boxes
  ImageDoc expected = Copy(doc);
  {
    MaskFixture live;  // the live forms with the options of the recording
    live.options.rgbNegChannels = 2;
    live.options.glassBoxSize = 12;
    SelectArea(expected, 5, 3, 72, 60);
    NegPosLive(live.ctx, expected);
    GlassLive(live.ctx, expected, false);
    ImageDoc beforeMeko = Copy(expected);
    MekoLive(live.ctx, expected, 0);

    f.options = MaskOptions{.rgbNegChannels = 7, .glassBoxSize = 3};
    RunMacro(f.ctx, doc);
    EXPECT_TRUE(SamePixels(doc, expected));
    ASSERT_EQ(doc.undoCount(), 3);
    EXPECT_EQ(doc.undoList[2].opcode, kOpMeko);
    EXPECT_EQ(doc.undoList[2].p[2], 0);  // forward order
    Undo(f.ctx, doc);                    // the reverse order takes it back
    EXPECT_TRUE(SamePixels(doc, beforeMeko));
  }
}

TEST(MacroRun, UndoTakesBackOneStepAtATime) {
  MaskFixture f;
  RecordThreeMasks(f);
  ImageDoc doc = MakeNoiseDoc(40, 35, 3);
  ImageDoc original = Copy(doc);
  SelectArea(doc, 1, 2, 38, 33);
  RunMacro(f.ctx, doc);
  RunMacro(f.ctx, doc);
  EXPECT_EQ(doc.undoCount(), 6);
  for (int i = 0; i < 6; ++i) Undo(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, original));
}

TEST(MacroRun, AStepRefusedForSizeIsSkippedAndTheRunGoesOn) {
  MaskFixture f;
  f.macro.macroCount = 2;
  f.macro.entries[0].opcode = kOpMeko;
  f.macro.entries[0].p = {16, 1, 0};
  f.macro.entries[1].opcode = kOpXor;
  f.macro.entries[1].p[0] = 7;
  ImageDoc doc = MakeNoiseDoc(1536, 1552);
  SelectArea(doc, 0, 0, 1536, 1552);  // 96 by 97 Meko blocks: too many
  RunMacro(f.ctx, doc);
  EXPECT_EQ(f.shell.errors.size(), 1u);
  ASSERT_EQ(doc.undoCount(), 1);
  EXPECT_EQ(doc.undoList[0].opcode, kOpXor);
}

TEST(MacroRun, WithoutASelectionNothingHappens) {
  MaskFixture f;
  RecordThreeMasks(f);
  ImageDoc doc = MakeNoiseDoc(10, 10);
  ImageDoc original = Copy(doc);
  RunMacro(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, original));
  EXPECT_EQ(doc.undoCount(), 0);
}

TEST(MacroRun, SkipsEntriesThatAreNotAreaMasks) {
  MaskFixture f;
  f.macro.macroCount = 3;
  f.macro.entries[0].opcode = kOpRotate;
  f.macro.entries[0].p[0] = kTurn90;
  f.macro.entries[1].opcode = 'z';
  f.macro.entries[2].opcode = kOpXor;
  f.macro.entries[2].p[0] = 7;
  ImageDoc doc = MakeNoiseDoc(6, 4);
  SelectArea(doc, 0, 0, 6, 4);
  RunMacro(f.ctx, doc);
  EXPECT_EQ(doc.width, 6);
  ASSERT_EQ(doc.undoCount(), 1);
  EXPECT_EQ(doc.undoList[0].opcode, kOpXor);
}

TEST(MacroRun, RunningWhileRecordingReplaysOnlyWhatWasThereBefore) {
  MaskFixture f;
  RecordThreeMasks(f);
  ToggleMacroRecording(f.ctx);  // starts afresh, empty
  ImageDoc doc = MakeNoiseDoc(10, 10);
  SelectArea(doc, 0, 0, 10, 10);
  XorLive(f.ctx, doc);
  RunMacro(f.ctx, doc);  // one XOR recorded: replayed once, captured once more
  EXPECT_EQ(doc.undoCount(), 2);
  EXPECT_EQ(f.macro.macroCount, 2);
}

}  // namespace
}  // namespace veilo
