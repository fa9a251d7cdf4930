// Masks, the logs and rotation from the keyboard on a document's area: the
// pixels, what is painted, and the menus and buttons that follow.
#include "app_fixture_win.h"
#include "shell/commands.h"

namespace veilo::testing {
namespace {

class EditingTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Start();
    window_ = Open(WritePicture("edit.bmp", 48, 32, 9));
    ASSERT_NE(window_, nullptr);
  }

  bool Enabled(CommandId button) { return IsWindowEnabled(GetDlgItem(frame(), button)) != 0; }
  bool MenuEnabled(UINT id) {
    return !(GetMenuState(app().docMenu.get(), id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
  }

  DocumentWindow* window_ = nullptr;
};

TEST_F(EditingTest, AMaskChangesTheAreaAndTheLogsFollowItsUndoAndRedo) {
  ImageDoc& doc = window_->doc();
  ImageDoc original = MakeNoiseDoc(48, 32, 9);
  EXPECT_FALSE(Enabled(cmd::kButtonUndo));
  SelectArea(doc, 8, 8, 24, 16);
  Key(VK_F5);  // negative/positive
  ASSERT_EQ(doc.undoCount(), 1);
  for (int32_t y = 0; y < 32; ++y) {
    for (int32_t x = 0; x < 48; ++x) {
      const bool inside = x >= 8 && x < 24 && y >= 8 && y < 16;
      const uint32_t was = DocColour(original, x, y);
      ASSERT_EQ(DocColour(doc, x, y), inside ? ~was & 0xFFFFFF : was) << x << "," << y;
    }
  }
  // What is painted is the changed picture.
  int32_t w = 0, h = 0;
  const std::vector<uint32_t> shown = CaptureClient(window_->hwnd(), w, h);
  EXPECT_EQ(shown[static_cast<size_t>(10 * w + 10)], DocColour(doc, 10, 10));
  EXPECT_TRUE(Enabled(cmd::kButtonUndo));
  EXPECT_TRUE(MenuEnabled(cmd::kUndoAll));
  EXPECT_FALSE(Enabled(cmd::kButtonRedo));

  Key('Z', false, true);
  EXPECT_EQ(DescribePixelDifference(doc, original), "");
  EXPECT_FALSE(Enabled(cmd::kButtonUndo));
  EXPECT_TRUE(Enabled(cmd::kButtonRedo));
  EXPECT_TRUE(MenuEnabled(cmd::kRedo));

  Key('Y', false, true);
  EXPECT_NE(DescribePixelDifference(doc, original), "");
  Key(VK_F7);  // horizontal glass
  Key(VK_F6);  // vertical glass
  EXPECT_EQ(doc.undoCount(), 3);
  Key('A', false, true);  // undo everything
  EXPECT_EQ(DescribePixelDifference(doc, original), "");
  EXPECT_EQ(doc.redoCount(), 3);
}

TEST_F(EditingTest, RotationTurnsThePictureAndItsView) {
  ImageDoc& doc = window_->doc();
  const uint32_t topLeft = DocColour(doc, 0, 0);
  Key(VK_F1, false, true);  // 90 degrees
  EXPECT_EQ(doc.width, 32);
  EXPECT_EQ(doc.height, 48);
  // A clockwise quarter turn takes the top-left corner to the top-right.
  EXPECT_EQ(DocColour(doc, 31, 0), topLeft);
  int32_t w = 0, h = 0;
  const std::vector<uint32_t> shown = CaptureClient(window_->hwnd(), w, h);
  EXPECT_EQ(shown[static_cast<size_t>(0 * w + 31)], topLeft);
  Key('Z', false, true);
  EXPECT_EQ(doc.width, 48);
  EXPECT_EQ(DocColour(doc, 0, 0), topLeft);
}

TEST_F(EditingTest, AreaCommandsWaitForAnArea) {
  EXPECT_FALSE(MenuEnabled(cmd::kNegPos));
  EXPECT_FALSE(Enabled(cmd::kButtonNegPos));
  Key(VK_F5);
  EXPECT_EQ(window_->doc().undoCount(), 0);
  SelectArea(window_->doc(), 0, 0, 16, 16);
  app().frame->RefreshControls();
  EXPECT_TRUE(MenuEnabled(cmd::kNegPos));
  EXPECT_TRUE(Enabled(cmd::kButtonNegPos));
}

TEST_F(EditingTest, TheMacroRecordsAndReplaysOnAnotherPicture) {
  SelectArea(window_->doc(), 0, 0, 32, 32);
  Command(cmd::kMacroRecord);
  EXPECT_TRUE(GetMenuState(app().docMenu.get(), cmd::kMacroRecord, MF_BYCOMMAND) & MF_CHECKED);
  Key(VK_F5);
  Key(VK_F8, true);  // XOR
  Command(cmd::kMacroRecord);
  EXPECT_EQ(app().macro.macroCount, 2);
  DocumentWindow* other = Open(WritePicture("other.bmp", 48, 32, 9));
  ASSERT_NE(other, nullptr);
  SelectArea(other->doc(), 0, 0, 32, 32);
  app().frame->RefreshControls();
  Key(VK_F12);
  EXPECT_EQ(other->doc().undoCount(), 2);
  EXPECT_EQ(DescribePixelDifference(other->doc(), window_->doc()), "");
}

}  // namespace
}  // namespace veilo::testing
