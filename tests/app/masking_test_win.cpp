// Masking through the window as a user does it: an area dragged with the
// mouse, a mask key. The pixels must be exactly those that veilo-cli gives for
// the same area and options, and Undo must give the picture back.
#include "app_fixture_win.h"
#include "cli_runner_win.h"
#include "formats/image_dispatch.h"
#include "platform/wide_win.h"
#include "recording_shell.h"
#include "shell/commands.h"

namespace veilo::testing {
namespace {

class MaskingTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Start();
    input_ = WritePicture("input.bmp", 80, 64, 21);
  }

  // Drags the area from image point (x1, y1) to (x2, y2) at 100 % with the left button.
  void Drag(DocumentWindow* window, int x1, int y1, int x2, int y2) {
    const HWND w = window->hwnd();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y1));
    SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((x1 + x2) / 2, (y1 + y2) / 2));
    SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x2, y2));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x2, y2));
    Pump();
  }

  ImageDoc CliResult(const std::string& operation) {
    const std::string out = folder_.Path("cli-" + operation.substr(0, operation.find(':')) + ".bmp");
    EXPECT_EQ(RunCli(L"mask \"" + Wide(input_) + L"\" \"" + Wide(out) + L"\" --area 8,8,72,56 " + Wide(operation)), 0)
        << operation;
    ImageDoc doc;
    doc.path = out;
    RecordingShell shell;
    EXPECT_EQ(LoadImageFile(shell, doc), 0) << operation;
    return doc;
  }

  std::string input_;
};

TEST_F(MaskingTest, EveryMaskKeyChangesWhatTheCommandLineChanges) {
  struct Case {
    WORD key;
    bool shift;
    const char* operation;  // veilo-cli's word for the same mask with the starting options
  };
  const Case cases[] = {
      {VK_F5, false, "neg"},      {VK_F6, false, "vglass"},   {VK_F7, false, "hglass"},
      {VK_F5, true, "flip-tb"},   {VK_F6, true, "flip-lr"},   {VK_F7, true, "rgb"},
      {VK_F8, true, "xor"},       {VK_F8, false, "meko"},     {VK_F9, false, "meko-rev"},
      {VK_F10, false, "fl"},      {VK_F9, true, "win"},       {VK_F10, true, "q0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.operation);
    DocumentWindow* window = Open(input_);
    ASSERT_NE(window, nullptr);
    // Units 8: pressed at (13, 11), released at (75, 60): the area (8, 8)-(72, 56).
    Drag(window, 13, 11, 75, 60);
    ImageDoc& doc = window->doc();
    ASSERT_TRUE(doc.areaSelected);
    ASSERT_EQ(NormalisedRect(doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2), (PixelRect{8, 8, 72, 56}));
    Key(c.key, c.shift);
    ASSERT_EQ(doc.undoCount(), 1);
    ImageDoc expected = CliResult(c.operation);
    EXPECT_EQ(DescribePixelDifference(doc, expected), "");
    Key('Z', false, true);
    ImageDoc original;
    original.path = input_;
    RecordingShell shell;
    ASSERT_EQ(LoadImageFile(shell, original), 0);
    EXPECT_EQ(DescribePixelDifference(doc, original), "");
    SendMessageW(app().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window->hwnd()), 0);
    Pump();
  }
}

TEST_F(MaskingTest, AMacroOfThreeMasksOnAnotherPictureEqualsApplyingThemByHand) {
  DocumentWindow* first = Open(input_);
  ASSERT_NE(first, nullptr);
  Drag(first, 0, 0, 64, 48);
  Command(cmd::kMacroRecord);
  Key(VK_F5);
  Key(VK_F6);
  Key(VK_F8);
  Command(cmd::kMacroRecord);
  ASSERT_EQ(app().macro.macroCount, 3);

  DocumentWindow* second = Open(WritePicture("second.bmp", 80, 64, 22));
  ASSERT_NE(second, nullptr);
  Drag(second, 8, 8, 72, 56);
  Key(VK_F12);
  EXPECT_EQ(second->doc().undoCount(), 3);

  DocumentWindow* byHand = Open(folder_.Path("second.bmp"));
  ASSERT_NE(byHand, nullptr);
  Drag(byHand, 8, 8, 72, 56);
  Key(VK_F5);
  Key(VK_F6);
  Key(VK_F8);
  EXPECT_EQ(DescribePixelDifference(second->doc(), byHand->doc()), "");
  // Each replayed step is undone on its own.
  MDIActivate(second);
  for (int i = 0; i < 3; ++i) Key('Z', false, true);
  ImageDoc original = MakeNoiseDoc(80, 64, 22);
  EXPECT_EQ(DescribePixelDifference(second->doc(), original), "");
}

}  // namespace
}  // namespace veilo::testing
