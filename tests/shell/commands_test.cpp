#include <gtest/gtest.h>

#include "shell/accelerators.h"
#include "shell/commands.h"
#include "shell/toolbar.h"

namespace veilo {
namespace {

struct RouteCase {
  CommandId id;
  CommandRoute withDocument;
  CommandRoute withoutDocument;
};

TEST(RouteCommand, SendsEachIdWhereItBelongs) {
  using enum CommandRoute;
  const RouteCase cases[] = {
      {cmd::kCascade, kFrame, kFrame},
      {cmd::kArrangeIcons, kFrame, kFrame},
      {cmd::kOpenBitmap, kFrame, kFrame},
      {cmd::kButtonOpen, kFrame, kFrame},
      {cmd::kOpenHandedOverFile, kFrame, kFrame},
      {cmd::kOpenDroppedPath, kFrame, kFrame},
      {cmd::kSlideShowFromList, kFrame, kFrame},
      {cmd::kAbout, kFrame, kFrame},
      {cmd::kExit, kFrame, kFrame},
      {cmd::kQuickZoom, kFrame, kFrame},
      {cmd::kPasteNew, kFrame, kFrame},
      {cmd::kMacroRecord, kFrame, kFrame},
      {cmd::kSlideShow, kFrame, kFrame},
      {cmd::kPageSetup, kFrame, kFrame},
      // Document commands go to the active document, or nowhere.
      {cmd::kButtonSaveAs, kForwardToDocument, kIgnore},
      {cmd::kButtonSave, kForwardToDocument, kIgnore},
      {cmd::kButtonAreaRight, kForwardToDocument, kIgnore},
      {cmd::kZoomIn, kForwardToDocument, kIgnore},
      {cmd::kNegPos, kForwardToDocument, kIgnore},
      {cmd::kMekoForward, kForwardToDocument, kIgnore},
      {cmd::kUndoAll, kForwardToDocument, kIgnore},
      {cmd::kAreaOptions, kForwardToDocument, kIgnore},
      {cmd::kRotate270, kForwardToDocument, kIgnore},
      {cmd::kSave, kForwardToDocument, kIgnore},
      {cmd::kPrint, kForwardToDocument, kIgnore},
      {cmd::kMacroRun, kForwardToDocument, kIgnore},
      {cmd::kResizePaste, kForwardToDocument, kIgnore},
      // Gaps between the ranges are nobody's.
      {0, kIgnore, kIgnore},
      {1024, kIgnore, kIgnore},
      {7005, kIgnore, kIgnore},
      {8002, kIgnore, kIgnore},
      {40018, kIgnore, kIgnore},
      {40037, kIgnore, kIgnore},
      {40041, kIgnore, kIgnore},
      {40043, kIgnore, kIgnore},
      {40053, kIgnore, kIgnore},
  };
  for (const RouteCase& c : cases) {
    EXPECT_EQ(RouteCommand(c.id, {.hasActiveDocument = true}), c.withDocument) << c.id;
    EXPECT_EQ(RouteCommand(c.id, {.hasActiveDocument = false}), c.withoutDocument) << c.id;
  }
}

TEST(RouteCommand, EveryDocumentTableIdReachesTheDocumentWithItsAction) {
  for (const DocumentCommand& c : DocumentCommandTable()) {
    for (const CommandId id : {c.menuId, c.buttonId}) {
      if (id == 0) continue;
      EXPECT_EQ(RouteCommand(id, {.hasActiveDocument = true}), CommandRoute::kForwardToDocument)
          << c.actionName;
      EXPECT_EQ(DispatchDocumentCommand(id).action, c.action) << id;
    }
  }
}

TEST(RouteCommand, ForwardedIdsAreAllKnownToTheDocumentWindow) {
  // Anything the frame forwards must mean something there, or a menu item
  // would silently do nothing.
  for (uint32_t id = 1; id < 65536; ++id) {
    const auto cid = static_cast<CommandId>(id);
    if (!IsDocumentCommand(cid)) continue;
    EXPECT_NE(DispatchDocumentCommand(cid).action, DocAction::kNone) << id;
    EXPECT_EQ(FrameActionFor(cid), FrameAction::kNone) << id;
  }
}

TEST(RouteCommand, EveryToolbarButtonAndKeyLeadsSomewhere) {
  for (const ToolbarRow& row : ToolbarTable()) {
    EXPECT_NE(RouteCommand(row.command, {.hasActiveDocument = true}), CommandRoute::kIgnore)
        << row.bitmapBase;
  }
  for (const Accelerator& a : AcceleratorTable()) {
    EXPECT_NE(RouteCommand(a.command, {.hasActiveDocument = true}), CommandRoute::kIgnore)
        << DescribeAccelerator(a);
  }
}

TEST(DispatchDocumentCommand, ButtonsTakeTheFocusAndMostCommandsEndAutoScroll) {
  const DocumentDispatch saveButton = DispatchDocumentCommand(cmd::kButtonSave);
  EXPECT_EQ(saveButton.action, DocAction::kSave);
  EXPECT_TRUE(saveButton.fromButton);
  EXPECT_TRUE(saveButton.endsAutoScroll);

  const DocumentDispatch saveMenu = DispatchDocumentCommand(cmd::kSave);
  EXPECT_EQ(saveMenu.action, DocAction::kSave);
  EXPECT_FALSE(saveMenu.fromButton);

  EXPECT_EQ(DispatchDocumentCommand(cmd::kButtonMekoReverse).action, DocAction::kMekoReverse);
  EXPECT_EQ(DispatchDocumentCommand(cmd::kButtonAreaUp).action, DocAction::kAreaUp);

  EXPECT_FALSE(DispatchDocumentCommand(cmd::kPrint).endsAutoScroll);
  EXPECT_FALSE(DispatchDocumentCommand(cmd::kMacroRun).endsAutoScroll);
  EXPECT_TRUE(DispatchDocumentCommand(cmd::kCopy).endsAutoScroll);

  EXPECT_EQ(DispatchDocumentCommand(cmd::kPasteNew).action, DocAction::kNone);
  EXPECT_EQ(DispatchDocumentCommand(0).action, DocAction::kNone);
}

TEST(FrameActionFor, NamesWhatTheFrameDoes) {
  EXPECT_EQ(FrameActionFor(cmd::kButtonOpen), FrameAction::kOpen);
  EXPECT_EQ(FrameActionFor(cmd::kOpen), FrameAction::kOpen);
  EXPECT_EQ(FrameActionFor(cmd::kSlideShow), FrameAction::kSlideShow);
  EXPECT_EQ(FrameActionFor(cmd::kSlideShowMenu), FrameAction::kSlideShow);
  EXPECT_EQ(FrameActionFor(cmd::kMacroRecord), FrameAction::kToggleMacroRecording);
  EXPECT_EQ(FrameActionFor(cmd::kSlideShowFromAtom), FrameAction::kSlideShowFromAtom);
  EXPECT_EQ(FrameActionFor(cmd::kNegPos), FrameAction::kNone);
}

}  // namespace
}  // namespace veilo
