// The document window's mouse, in process: dragging an area, its frame on the
// screen through repaints, zooms and scrolls, double-click selection, Shift
// zones and the one-pixel moves.
#include "selection_fixture_win.h"

namespace veilo::testing {
namespace {

TEST_F(SelectionTest, ADragSelectsTheSnappedAreaAndEnablesTheAreaCommands) {
  ASSERT_TRUE(OpenPicture(200, 150));
  app().options.areaStartUnit = app().options.areaSizeUnit = 8;
  EXPECT_FALSE(AreaCommandsEnabled());
  Send(WM_LBUTTONDOWN, 13, 21, MK_LBUTTON);
  EXPECT_EQ(GetCapture(), Doc());
  Send(WM_MOUSEMOVE, 40, 30, MK_LBUTTON);
  Send(WM_LBUTTONUP, 40, 30);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(DocState().mouseCaptured, 0);
  EXPECT_EQ(Area(), (PixelRect{8, 16, 40, 24}));
  EXPECT_EQ(DocState().areaSelected, 1);
  EXPECT_EQ(PositionPane(), "(8,16) - w32 h8");
  EXPECT_TRUE(AreaCommandsEnabled());

  // Dragging left of and above the start keeps the cell where it began.
  Drag(13, 21, 0, 30);
  EXPECT_EQ(Area(), (PixelRect{0, 16, 16, 24}));

  // A new press forgets the area: commands off, the pane cleared, then the pointer shown.
  Send(WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
  EXPECT_EQ(DocState().areaSelected, 0);
  EXPECT_FALSE(AreaCommandsEnabled());
  EXPECT_EQ(PositionPane(), "");
  Send(WM_LBUTTONUP, 100, 100);
  Send(WM_MOUSEMOVE, 57, 9);
  EXPECT_EQ(PositionPane(), "  57,   9");
}

TEST_F(SelectionTest, TheFrameIsOnTheScreenThroughRepaintsZoomsAndScrolls) {
  // Narrower than the window and taller: the frame's right side, one pixel
  // past the picture, lies on the background while the view scrolls.
  ASSERT_TRUE(OpenPicture(300, 900));
  app().options.areaStartUnit = app().options.areaSizeUnit = 1;
  Drag(20, 30, 300, 200);
  ASSERT_EQ(Area(), (PixelRect{20, 30, 300, 200}));
  ExpectFrameShown("drawn by the drag");
  InvalidateRect(Doc(), nullptr, FALSE);
  UpdateWindow(Doc());
  ExpectFrameShown("repainted without erasing");
  const RECT corner{250, 150, 330, 230};
  InvalidateRect(Doc(), &corner, TRUE);
  UpdateWindow(Doc());
  ExpectFrameShown("a corner repainted with erasing");
  SendMessageW(Doc(), WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_EQ(DocState().vScrollPos, 16);
  ExpectFrameShown("scrolled a line");
  Command(cmd::kZoomIn);
  ASSERT_EQ(DocState().zoomPercent, 150);
  ExpectFrameShown("at 150 %");
  SendMessageW(Doc(), WM_VSCROLL, SB_LINEDOWN, 0);
  ExpectFrameShown("scrolled at 150 %");
  Command(cmd::kZoomIn);
  SendMessageW(Doc(), WM_HSCROLL, SB_LINERIGHT, 0);
  ASSERT_GT(DocState().hScrollPos, 0);
  ExpectFrameShown("scrolled sideways at 200 %");
  // The one-pixel moves redraw it in place.
  Command(cmd::kButtonAreaLeft);
  ASSERT_EQ(Area(), (PixelRect{19, 30, 299, 200}));
  ExpectFrameShown("moved left");
}

TEST_F(SelectionTest, CtrlDoubleClickSelectsTheWholePictureInSizeUnits) {
  ASSERT_TRUE(OpenPicture(100, 50));
  app().options.areaSizeUnit = 16;
  Send(WM_LBUTTONDOWN, 30, 20, MK_LBUTTON | MK_CONTROL);
  Send(WM_LBUTTONUP, 30, 20, MK_CONTROL);
  Send(WM_LBUTTONDBLCLK, 30, 20, MK_LBUTTON | MK_CONTROL);
  Send(WM_LBUTTONUP, 30, 20, MK_CONTROL);
  EXPECT_EQ(Area(), (PixelRect{0, 0, 96, 48}));
  EXPECT_EQ(DocState().areaSelected, 1);
  EXPECT_TRUE(AreaCommandsEnabled());
  EXPECT_EQ(PositionPane(), "(0,0) - w96 h48");
  EXPECT_EQ(GetCapture(), nullptr);
  ExpectFrameShown("whole picture");
}

TEST_F(SelectionTest, DoubleClicksFindTheMaskedRectangleAndNothingOnAUniformPicture) {
  ASSERT_TRUE(OpenPicture(120, 90, [](int32_t x, int32_t y) {
    const uint8_t v = x >= 40 && x < 72 && y >= 30 && y < 54 ? 200 : 100;
    return Rgb{v, v, v};
  }));
  for (const WPARAM keys : {WPARAM{0}, WPARAM{MK_SHIFT}}) {
    SCOPED_TRACE(keys == 0 ? "plain" : "with Shift");
    Send(WM_LBUTTONDBLCLK, 50, 40, MK_LBUTTON | keys);
    Send(WM_LBUTTONUP, 50, 40, keys);
    EXPECT_EQ(Area(), (PixelRect{40, 30, 72, 54}));
    EXPECT_TRUE(AreaCommandsEnabled());
  }

  ASSERT_TRUE(OpenPicture(64, 48, [](int32_t, int32_t) { return Rgb{90, 90, 90}; }));
  Send(WM_LBUTTONDBLCLK, 20, 20, MK_LBUTTON);
  Send(WM_LBUTTONUP, 20, 20);
  EXPECT_EQ(DocState().areaSelected, 0);
  EXPECT_FALSE(AreaCommandsEnabled());
}

TEST_F(SelectionTest, ShiftOverTheLeftEdgeGrabsItAndADragMovesOnlyThatEdge) {
  ASSERT_TRUE(OpenPicture(200, 150));
  Drag(16, 16, 64, 64);
  ASSERT_EQ(Area(), (PixelRect{16, 16, 64, 64}));

  Send(WM_MOUSEMOVE, 17, 40, MK_SHIFT);
  EXPECT_EQ(DocState().hitZone, kZoneLeftEdge);
  EXPECT_EQ(GetCursor(), app().Cursor(IDC_CUR_RESIZE_LR));
  Send(WM_LBUTTONDOWN, 17, 40, MK_LBUTTON | MK_SHIFT);
  Send(WM_MOUSEMOVE, 11, 47, MK_LBUTTON | MK_SHIFT);
  Send(WM_LBUTTONUP, 11, 47, MK_SHIFT);
  EXPECT_EQ(Area(), (PixelRect{10, 16, 64, 64}));
  EXPECT_EQ(GetCapture(), nullptr);
  ExpectFrameShown("after the resize");

  // Leaving the zone gives the cursor back.
  Send(WM_MOUSEMOVE, 120, 120, MK_SHIFT);
  EXPECT_EQ(DocState().hitZone, kZoneNone);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));

  // Shift pressed with the pointer resting inside the frame: the move zone.
  PlacePointer(40, 40);
  SendMessageW(Doc(), WM_KEYDOWN, VK_SHIFT, 1);
  EXPECT_EQ(DocState().hitZone, kZoneInside);
  EXPECT_EQ(GetCursor(), app().Cursor(IDC_CUR_MOVE));
  SendMessageW(Doc(), WM_KEYUP, VK_SHIFT, static_cast<LPARAM>(0xC0000001));
  EXPECT_EQ(DocState().hitZone, kZoneNone);
  EXPECT_NE(GetCursor(), app().Cursor(IDC_CUR_MOVE));
}

TEST_F(SelectionTest, OnePixelMovesShiftTheAreaAndStopAtTheBorder) {
  ASSERT_TRUE(OpenPicture(100, 50));
  app().options.areaSizeUnit = 16;
  Send(WM_LBUTTONDBLCLK, 30, 20, MK_LBUTTON | MK_CONTROL);
  Send(WM_LBUTTONUP, 30, 20, MK_CONTROL);
  ASSERT_EQ(Area(), (PixelRect{0, 0, 96, 48}));
  Command(cmd::kButtonAreaUp);
  Command(cmd::kButtonAreaLeft);
  EXPECT_EQ(Area(), (PixelRect{0, 0, 96, 48})) << "at row 0 and column 0";
  Command(cmd::kButtonAreaDown);
  Command(cmd::kButtonAreaDown);
  Command(cmd::kButtonAreaDown);
  EXPECT_EQ(Area(), (PixelRect{0, 2, 96, 50})) << "the third step would leave the picture";
  for (int i = 0; i < 6; ++i) Command(cmd::kButtonAreaRight);
  EXPECT_EQ(Area(), (PixelRect{4, 2, 100, 50}));
  EXPECT_EQ(PositionPane(), "(4,2) - w96 h48");
  ExpectFrameShown("moved by the buttons");
}

}  // namespace
}  // namespace veilo::testing
