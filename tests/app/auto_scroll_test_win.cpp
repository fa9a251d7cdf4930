// The middle-button auto-scroll and its marker, scrolling past the window's
// edge, windows closed in the middle of a drag or a scroll, and a long random
// run of mouse, key and picture commands (masks, zooms, turns).
#include <random>

#include "selection_fixture_win.h"

namespace veilo::testing {
namespace {

TEST_F(SelectionTest, AMiddleClickStartsTheAutoScrollAndASecondStopsIt) {
  ASSERT_TRUE(OpenPicture(1200, 900));
  const int cursors = CursorCount();
  const int32_t cx = DocState().clientWidth / 2, cy = DocState().clientHeight / 2;
  // The real pointer rests 60 pixels right of the click, where it steers.
  PlacePointer(cx + 60, cy);
  Send(WM_MBUTTONDOWN, cx, cy, MK_MBUTTON);
  const HWND marker = AnyMarker();
  ASSERT_NE(marker, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(DocState().panWindow), marker);
  EXPECT_EQ(GetParent(marker), Doc());
  RECT r{};
  GetWindowRect(marker, &r);
  MapWindowPoints(nullptr, Doc(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ((WindowRect{r.left, r.top, r.right, r.bottom}), (WindowRect{cx - 16, cy - 16, cx + 16, cy + 16}));
  EXPECT_EQ(CursorCount(), cursors + 1);

  // The marker's own moves steer relative to the anchor: 50 below it is down.
  SendMessageW(marker, WM_MOUSEMOVE, 0, MAKELPARAM(16, 16 + 50));
  EXPECT_EQ(DocState().panDirection, 180);
  EXPECT_EQ(GetCursor(), app().Cursor(IDC_CUR_PAN_S));
  // 60 to the right: the timer scrolls right.
  SendMessageW(marker, WM_MOUSEMOVE, 0, MAKELPARAM(16 + 60, 16));
  EXPECT_EQ(DocState().panDirection, 90);
  EXPECT_TRUE(PumpUntil([&] { return DocState().hScrollPos > 0; }, 3000));
  EXPECT_EQ(DocState().vScrollPos, 0);
  EXPECT_EQ(GetScrollPos(Doc(), SB_HORZ), DocState().hScrollPos);

  // Moving the marker puts it back at the anchor.
  SetWindowPos(marker, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(marker, &r);
  MapWindowPoints(nullptr, Doc(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, cx - 16);
  EXPECT_TRUE(IsWindowVisible(marker));

  Send(WM_MBUTTONDOWN, cx + 60, cy, MK_MBUTTON);
  EXPECT_EQ(AnyMarker(), nullptr);
  EXPECT_FALSE(IsWindow(marker));
  EXPECT_EQ(DocState().panWindow, 0u);
  EXPECT_EQ(CursorCount(), cursors);
  const int32_t stopped = DocState().hScrollPos;
  Pump(250, 1000);
  EXPECT_EQ(DocState().hScrollPos, stopped);

  // Any scroll message ends it as well.
  Send(WM_MBUTTONDOWN, cx, cy, MK_MBUTTON);
  ASSERT_NE(AnyMarker(), nullptr);
  SendMessageW(Doc(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(AnyMarker(), nullptr);
  EXPECT_EQ(CursorCount(), cursors);
}

TEST_F(SelectionTest, ADragPastTheEdgeScrollsTheViewOnTheTimer) {
  ASSERT_TRUE(OpenPicture(1200, 900));
  app().options.areaStartUnit = app().options.areaSizeUnit = 1;
  const int32_t right = DocState().clientWidth - 3;
  PlacePointer(right, 200);
  Send(WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
  Send(WM_MOUSEMOVE, right, 200, MK_LBUTTON);
  EXPECT_EQ(DocState().resizeEdges, 1);
  EXPECT_TRUE(PumpUntil([&] { return DocState().hScrollPos >= 32; }, 3000));
  // The area follows the view to the remembered pointer: each tick stretches
  // it there, then scrolls on by one 16-pixel step.
  EXPECT_GE(DocState().areaX2, right + DocState().hScrollPos - 16);
  EXPECT_LE(DocState().areaX2, right + DocState().hScrollPos);
  Send(WM_LBUTTONUP, right, 200);
  EXPECT_EQ(DocState().resizeEdges, 0);
  const int32_t stopped = DocState().hScrollPos;
  Pump(250, 1000);
  EXPECT_EQ(DocState().hScrollPos, stopped);
  ExpectFrameShown("after the edge scroll");
}

TEST_F(SelectionTest, ClosingTheWindowMidwayLeavesNoCaptureNorMarker) {
  const int cursors = CursorCount();
  struct Case {
    const char* what;
    std::function<void(SelectionTest&)> start;
  };
  const Case cases[] = {
      {"during a drag",
       [](SelectionTest& t) {
         t.Send(WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
         t.Send(WM_MOUSEMOVE, 90, 80, MK_LBUTTON);
       }},
      {"during an edge scroll",
       [](SelectionTest& t) {
         t.Send(WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
         t.Send(WM_MOUSEMOVE, t.DocState().clientWidth - 2, 80, MK_LBUTTON);
         EXPECT_NE(t.DocState().resizeEdges, 0);
       }},
      {"during a resize of the frame",
       [](SelectionTest& t) {
         t.Drag(16, 16, 64, 64);
         t.Send(WM_MOUSEMOVE, 64, 40, MK_SHIFT);
         t.Send(WM_LBUTTONDOWN, 64, 40, MK_LBUTTON | MK_SHIFT);
       }},
      {"during an auto-scroll", [](SelectionTest& t) { t.Send(WM_MBUTTONDOWN, 200, 200, MK_MBUTTON); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(OpenPicture(1200, 900));
    c.start(*this);
    Pump(150, 1000);  // a timer tick or two
    SendMessageW(Doc(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(AnyMarker(), nullptr);
    EXPECT_EQ(CursorCount(), cursors);
  }
}

TEST_F(SelectionTest, RandomMouseAndKeysNeverBreakTheDocumentAndUndoAllRestoresIt) {
  constexpr int32_t kWidth = 240, kHeight = 180;
  ASSERT_TRUE(OpenPicture(kWidth, kHeight));
  ImageDoc original = MakeNoiseDoc(kWidth, kHeight, 5);
  CloseDialogsAsTheyAppear();  // the right button's dialog
  std::mt19937 random(4242);
  auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(random); };
  const WORD masks[] = {cmd::kNegPos,      cmd::kVerticalGlass, cmd::kHorizontalGlass,
                        cmd::kMekoForward, cmd::kMekoReverse,   cmd::kFlMask};
  const WORD rotations[] = {cmd::kRotate90, cmd::kRotate180, cmd::kRotate270};
  const WORD moves[] = {cmd::kButtonAreaUp, cmd::kButtonAreaDown, cmd::kButtonAreaLeft, cmd::kButtonAreaRight};
  const int32_t hits[] = {2, 3, 6, 7, 10, 11, 12, 15, 17, 1};
  for (int i = 0; i < 1000; ++i) {
    const int32_t w = DocState().clientWidth, h = DocState().clientHeight;
    const int32_t x = pick(-40, w + 40), y = pick(-40, h + 40);
    const WPARAM keys =
        (pick(0, 1) ? MK_LBUTTON : 0) | (pick(0, 3) == 0 ? MK_SHIFT : 0) | (pick(0, 5) == 0 ? MK_CONTROL : 0);
    switch (pick(0, 15)) {
      case 0: Send(WM_LBUTTONDOWN, x, y, keys | MK_LBUTTON); break;
      case 1:
      case 2:
      case 3: Send(WM_MOUSEMOVE, x, y, keys); break;
      case 4: Send(WM_LBUTTONUP, x, y, keys & ~WPARAM{MK_LBUTTON}); break;
      case 5: Send(WM_LBUTTONDBLCLK, x, y, keys | MK_LBUTTON); break;
      case 6: {
        const POINT s = ScreenOf(x, y);
        SendMessageW(Doc(), WM_NCMOUSEMOVE, static_cast<WPARAM>(hits[pick(0, 9)]), MAKELPARAM(s.x, s.y));
        break;
      }
      case 7: SendMessageW(Doc(), WM_NCLBUTTONUP, HTCAPTION, 0); break;
      case 8: Send(WM_MBUTTONDOWN, x, y, MK_MBUTTON); break;
      case 9: SendMessageW(Doc(), pick(0, 1) ? WM_KEYDOWN : WM_KEYUP, VK_SHIFT, 1); break;
      case 10: SendMessageW(Doc(), WM_TIMER, kFrameTimerId, 0); break;
      case 11: Command(moves[pick(0, 3)]); break;
      case 12:
        if (pick(0, 3) == 0) Command(masks[pick(0, 5)]);
        break;
      case 13:
        SendMessageW(Doc(), pick(0, 1) ? WM_HSCROLL : WM_VSCROLL, static_cast<WPARAM>(pick(0, 7)), 0);
        break;
      case 14: {
        // Now and then a zoom, or a turn of the picture under the selection.
        const int32_t what = pick(0, 19);
        if (what < 2) Command(what == 0 ? cmd::kZoomIn : cmd::kZoomOut);
        if (what == 2) Command(rotations[pick(0, 2)]);
        break;
      }
      case 15:
        if (pick(0, 19) == 0) {
          Send(WM_RBUTTONDOWN, x, y, MK_RBUTTON);
          Pump();
        }
        break;
    }
    if (i % 50 == 0) Pump(5, 200);
    ASSERT_EQ(Documents().size(), 1u) << "event " << i;
  }
  Send(WM_LBUTTONUP, 10, 10);
  Command(cmd::kUndoAll);
  StopClosingDialogs();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(AnyMarker(), nullptr);
  EXPECT_EQ(DocState().undoCount(), 0);
  EXPECT_EQ(DescribePixelDifference(DocState(), original), "");
}

}  // namespace
}  // namespace veilo::testing
