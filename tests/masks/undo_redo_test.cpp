#include <gtest/gtest.h>

#include "mask_fixture.h"
#include "masks/colour_masks.h"
#include "masks/flip_glass.h"
#include "masks/rotation.h"
#include "masks/win_mask.h"

namespace veilo {
namespace {

using testing::Copy;
using testing::MakeDoc;
using testing::MakeNoiseDoc;
using testing::MaskFixture;
using testing::PixelOf;
using testing::Rgb;
using testing::SamePixels;
using testing::SelectArea;

// Three different masks over overlapping areas of a noise picture.
void ApplyThreeMasks(MaskFixture& f, ImageDoc& doc) {
  f.options.glassBoxSize = 5;
  SelectArea(doc, 1, 1, 30, 20);
  NegPosLive(f.ctx, doc);
  SelectArea(doc, 10, 3, 37, 25);
  GlassLive(f.ctx, doc, true);
  SelectArea(doc, 0, 5, 40, 28);
  WinLive(f.ctx, doc);
}

TEST(UndoRedo, ThreeUndosRestoreAndThreeRedosRepeatExactly) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(41, 29);
  ImageDoc original = Copy(doc);
  ApplyThreeMasks(f, doc);
  ImageDoc masked = Copy(doc);
  for (int i = 0; i < 3; ++i) Undo(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, original));
  EXPECT_EQ(doc.undoCount(), 0);
  EXPECT_EQ(doc.redoCount(), 3);
  for (int i = 0; i < 3; ++i) Redo(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, masked));
  EXPECT_EQ(doc.undoCount(), 3);
  EXPECT_EQ(doc.redoCount(), 0);
  // Enabled exactly while the logs hold records.
  EXPECT_EQ(f.shell.undoStates, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(f.shell.redoStates, (std::vector<bool>{true, false}));
  EXPECT_EQ(f.shell.invalidated.size(), 9u);
}

TEST(UndoRedo, ANewMaskAfterUndoEmptiesRedoAndDisablesIt) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(41, 29);
  ApplyThreeMasks(f, doc);
  Undo(f.ctx, doc);
  ASSERT_EQ(doc.redoCount(), 1);
  XorLive(f.ctx, doc);
  EXPECT_EQ(doc.redoCount(), 0);
  EXPECT_EQ(doc.undoCount(), 3);
  EXPECT_EQ(f.shell.redoStates, (std::vector<bool>{true, false}));
  Redo(f.ctx, doc);  // nothing left to redo
  EXPECT_EQ(doc.undoCount(), 3);
}

TEST(UndoRedo, UndoUsesTheStoredRectangleAfterTheSelectionMoved) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(20, 20);
  ImageDoc original = Copy(doc);
  SelectArea(doc, 2, 3, 9, 11);
  FlipLive(f.ctx, doc, true);
  SelectArea(doc, 10, 10, 20, 20);
  Undo(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, original));
}

TEST(UndoRedo, ExchangeUndoTurnsTheChannelsBackAndRedoForward) {
  MaskFixture f;
  ImageDoc doc = MakeDoc(2, 2, [](int32_t, int32_t) { return Rgb{1, 2, 3}; });
  SelectArea(doc, 0, 0, 2, 2);
  ExchangeLive(f.ctx, doc);
  EXPECT_EQ(PixelOf(doc, 1, 1), (Rgb{3, 1, 2}));
  f.options.rgbExchangeMode = 3;
  Undo(f.ctx, doc);
  EXPECT_EQ(PixelOf(doc, 1, 1), (Rgb{1, 2, 3}));
  Redo(f.ctx, doc);
  EXPECT_EQ(PixelOf(doc, 1, 1), (Rgb{3, 1, 2}));
}

TEST(UndoRedo, QuarterTurnIsUndoneByTheOppositeTurn) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(7, 3);
  ImageDoc original = Copy(doc);
  RotateLive(f.ctx, doc, kTurn90);
  ImageDoc turned = Copy(doc);
  Undo(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, original));
  Redo(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, turned));
  EXPECT_EQ(doc.width, 3);
}

TEST(UndoRedo, UnknownOpcodeMovesToRedoAndChangesNothing) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(4, 4);
  ImageDoc original = Copy(doc);
  LogOperation(f.ctx, doc, MakeRecord('z', {0, 0, 4, 4}));
  Undo(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, original));
  EXPECT_EQ(doc.undoCount(), 0);
  EXPECT_EQ(doc.redoCount(), 1);
}

TEST(UndoRedo, EmptyLogsDoNothing) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(4, 4);
  Undo(f.ctx, doc);
  Redo(f.ctx, doc);
  UndoAll(f.ctx, doc);
  EXPECT_TRUE(f.shell.undoStates.empty());
  EXPECT_TRUE(f.shell.redoStates.empty());
  EXPECT_TRUE(f.shell.invalidated.empty());
}

TEST(UndoAll, RestoresEverythingAndKeepsTheRecordsForRedo) {
  MaskFixture f;
  ImageDoc doc = MakeNoiseDoc(41, 29);
  ImageDoc original = Copy(doc);
  ApplyThreeMasks(f, doc);
  RotateLive(f.ctx, doc, kTurn270);
  const std::vector<MaskRecord> logged = doc.undoList;
  UndoAll(f.ctx, doc);
  EXPECT_TRUE(SamePixels(doc, original));
  EXPECT_EQ(doc.undoCount(), 0);
  EXPECT_EQ(doc.undoList.capacity(), 0u);  // released
  EXPECT_EQ(f.shell.undoStates.back(), false);
  const std::vector<MaskRecord> reversed(logged.rbegin(), logged.rend());
  EXPECT_EQ(doc.redoList, reversed);
  EXPECT_EQ(f.shell.waitDepth, 0);
  EXPECT_GE(f.shell.waitEntries, 1);
}

}  // namespace
}  // namespace veilo
