#include "shell/doc_actions.h"

#include <gtest/gtest.h>

#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

struct Session {
  testing::RecordingShell shell;
  MaskOptions options;
  MacroBuffer macro;
  MaskContext ctx{shell, options, macro};
};

// Each command reaches its own operation: it logs that operation's opcode, and
// a second identical document given the same command changes the same pixels.
TEST(RunEditAction, EachMaskCommandRunsItsOperationOnTheArea) {
  struct Case {
    DocAction action;
    int32_t opcode;
    int32_t p1;  // first parameter, to tell the variants apart
  };
  const Case cases[] = {
      {DocAction::kNegPos, kOpNegPos, 7},          {DocAction::kXor, kOpXor, 7},
      {DocAction::kRgbExchange, kOpExchange, 0},   {DocAction::kFlipTopBottom, kOpFlip, 0},
      {DocAction::kFlipLeftRight, kOpFlip, 1},     {DocAction::kVerticalGlass, kOpGlass, 8},
      {DocAction::kHorizontalGlass, kOpGlass, 8},  {DocAction::kMekoForward, kOpMeko, 16},
      {DocAction::kMekoReverse, kOpMeko, 16},      {DocAction::kFlMask, kOpFl, 8},
      {DocAction::kQ0Mask, kOpQ0, 8},              {DocAction::kWinMask, kOpWin, 0},
      {DocAction::kRotate90, kOpRotate, 1},        {DocAction::kRotate180, kOpRotate, 0},
      {DocAction::kRotate270, kOpRotate, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.action));
    Session s;
    ImageDoc doc = testing::MakeNoiseDoc(64, 48);
    ImageDoc original = testing::MakeNoiseDoc(64, 48);
    testing::SelectArea(doc, 8, 8, 56, 40);
    ASSERT_TRUE(RunEditAction(s.ctx, doc, c.action));
    ASSERT_EQ(doc.undoCount(), 1);
    EXPECT_EQ(doc.undoList[0].opcode, c.opcode);
    EXPECT_EQ(doc.undoList[0].p[0], c.p1);
    EXPECT_NE(testing::DescribePixelDifference(doc, original), "");
    // Undo through the same entry point gives the picture back.
    ASSERT_TRUE(RunEditAction(s.ctx, doc, DocAction::kUndo));
    EXPECT_EQ(testing::DescribePixelDifference(doc, original), "");
    ASSERT_TRUE(RunEditAction(s.ctx, doc, DocAction::kRedo));
    EXPECT_EQ(doc.undoCount(), 1);
    EXPECT_EQ(doc.redoCount(), 0);
  }
  // The two Meko orders undo each other.
  Session s;
  ImageDoc doc = testing::MakeNoiseDoc(64, 48);
  ImageDoc original = testing::MakeNoiseDoc(64, 48);
  testing::SelectArea(doc, 0, 0, 64, 48);
  RunEditAction(s.ctx, doc, DocAction::kMekoForward);
  RunEditAction(s.ctx, doc, DocAction::kMekoReverse);
  EXPECT_EQ(testing::DescribePixelDifference(doc, original), "");
  EXPECT_TRUE(RunEditAction(s.ctx, doc, DocAction::kUndoAll));
  EXPECT_EQ(doc.undoCount(), 0);
  EXPECT_EQ(doc.redoCount(), 2);
}

TEST(RunEditAction, LeavesOtherCommandsToTheWindow) {
  Session s;
  ImageDoc doc = testing::MakeNoiseDoc(16, 16);
  testing::SelectArea(doc, 0, 0, 16, 16);
  for (DocAction action : {DocAction::kCpMask, DocAction::kSave, DocAction::kZoomIn, DocAction::kCopy,
                           DocAction::kAreaUp, DocAction::kNone}) {
    EXPECT_FALSE(RunEditAction(s.ctx, doc, action)) << static_cast<int>(action);
  }
  EXPECT_EQ(doc.undoCount(), 0);
}

TEST(RunEditAction, MacroRunReplaysTheRecordingOnTheArea) {
  Session s;
  ImageDoc doc = testing::MakeNoiseDoc(32, 32);
  testing::SelectArea(doc, 0, 0, 32, 32);
  s.macro.macroCount = 1;
  s.macro.entries[0].opcode = kOpNegPos;
  s.macro.entries[0].p[0] = 1;
  EXPECT_TRUE(RunEditAction(s.ctx, doc, DocAction::kMacroRun));
  ASSERT_EQ(doc.undoCount(), 1);
  EXPECT_EQ(doc.undoList[0].p[0], 1);
  EXPECT_EQ(doc.undoList[0].right, 32);
}

TEST(ApplyCpCode, NormalisesRemembersAndMasks) {
  Session s;
  ImageDoc doc = testing::MakeNoiseDoc(32, 32);
  ImageDoc original = testing::MakeNoiseDoc(32, 32);
  testing::SelectArea(doc, 0, 0, 32, 32);
  ApplyCpCode(s.ctx, doc, "a b c");
  EXPECT_STREQ(doc.cpCodes[0].data(), "ABC");
  ASSERT_EQ(doc.undoCount(), 1);
  EXPECT_STREQ(doc.undoList[0].code.data(), "ABC");
  ApplyCpCode(s.ctx, doc, "ABC");  // its own inverse; the code is not entered twice
  EXPECT_EQ(testing::DescribePixelDifference(doc, original), "");
  EXPECT_EQ(doc.cpCodes[1][0], '\0');

  ImageDoc none = testing::MakeNoiseDoc(8, 8);  // no area: remembered, nothing masked
  ApplyCpCode(s.ctx, none, "xy");
  EXPECT_STREQ(none.cpCodes[0].data(), "XY");
  EXPECT_EQ(none.undoCount(), 0);
}

}  // namespace
}  // namespace veilo
