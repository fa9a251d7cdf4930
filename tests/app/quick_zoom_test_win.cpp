// The Quick Zoom window in the running application: opened with the frame and
// toggled by its command, showing the active document's reduced copy with the
// visible part outlined, moving and zooming the document, and its position
// kept in the settings.
#include <algorithm>

#include "app_fixture_win.h"
#include "formats/image_dispatch.h"
#include "platform/file_io.h"
#include "recording_shell.h"
#include "shell/commands.h"
#include "view/quick_zoom.h"
#include "view/quick_zoom_win.h"

namespace veilo::testing {
namespace {

// Four quadrants of one colour each: any reduction keeps them apart.
constexpr uint32_t kQuadrants[4] = {0x2060A0, 0xC04020, 0x30B050, 0xE0D040};  // TL, TR, BL, BR

uint32_t FromColorRef(COLORREF c) { return uint32_t{GetRValue(c)} << 16 | uint32_t{GetGValue(c)} << 8 | GetBValue(c); }

class QuickZoomTest : public AppTest {
 protected:
  void SetUp() override { AppTest::SetUp(); }

  void StartWithFrame(const std::string& settings = {}) {
    Start({}, settings);
    MoveWindow(frame(), 0, 0, 900, 700, TRUE);
    Pump();
  }

  HWND QuickZoom() { return QuickZoomHandle(app()); }

  // The item is on the document menu (it is brought up to date with or without a document).
  bool Checked() {
    const UINT state = GetMenuState(app().docMenu.get(), cmd::kQuickZoom, MF_BYCOMMAND);
    EXPECT_NE(state, static_cast<UINT>(-1));
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
  }

  // A width x height picture of four coloured quadrants, opened in a window of
  // the given outer size at the frame's top-left.
  DocumentWindow* OpenQuadrants(const std::string& name, int32_t width, int32_t height, int windowW = 300,
                                int windowH = 220) {
    ImageDoc picture = MakeDoc(width, height, [width, height](int32_t x, int32_t y) {
      const uint32_t c = kQuadrants[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
      return Rgb{static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)};
    });
    const std::string path = folder_.Path(name);
    RecordingShell shell;
    SaveOptions options = StartingSaveOptions(picture);
    EXPECT_EQ(SaveImageFile(shell, path, picture, options), 0);
    DocumentWindow* window = Open(path);
    if (window) {
      MoveWindow(window->hwnd(), 0, 0, windowW, windowH, TRUE);
      Pump();
    }
    return window;
  }

  // Where the shown document's copy lies in the box.
  ThumbLayout Layout(DocumentWindow* window) {
    RECT client{};
    GetClientRect(QuickZoom(), &client);
    QuickZoomState qz;
    qz.boxWidth = client.right;
    qz.boxHeight = client.bottom;
    return QuickZoomLayout(qz, window->doc());
  }

  // The painted box, once the window lies above the frame (it must, to be seen).
  std::vector<uint32_t> CaptureBox(int32_t& width, int32_t& height) {
    EXPECT_TRUE(PumpUntil([this] {
      for (HWND w = GetWindow(frame(), GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        if (w == QuickZoom()) return true;
      return false;
    }));
    UpdateWindow(QuickZoom());
    return CaptureClient(QuickZoom(), width, height);
  }

  void Mouse(UINT msg, WPARAM keys, int x, int y) {
    SendMessageW(QuickZoom(), msg, keys, MAKELPARAM(x, y));
    Pump();
  }

  std::string ZoomPane() { return Caption(app().frame->panes().zoomPane()); }
};

TEST_F(QuickZoomTest, OpensWithTheFrameAndTogglesWithItsCommandAndKey) {
  StartWithFrame();
  const HWND qz = QuickZoom();
  ASSERT_NE(qz, nullptr);
  wchar_t className[16] = {};
  GetClassNameW(qz, className, 16);
  EXPECT_EQ(std::wstring(className), L"View");
  EXPECT_EQ(GetWindow(qz, GW_OWNER), frame());
  EXPECT_TRUE(IsWindowVisible(qz));
  EXPECT_TRUE(GetWindowLongW(qz, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(GetWindowLongW(qz, GWL_STYLE) & WS_THICKFRAME);
  EXPECT_EQ(Caption(qz), "Quick Zoom");
  RECT r{};
  GetWindowRect(qz, &r);
  EXPECT_EQ(r.left, 300);  // the stored position and size of a first start
  EXPECT_EQ(r.top, 200);
  EXPECT_EQ(r.right - r.left, 160);
  EXPECT_EQ(r.bottom - r.top, 160);
  EXPECT_TRUE(Checked());

  Key(VK_F1, /*shift=*/true);
  EXPECT_EQ(QuickZoom(), nullptr);
  EXPECT_FALSE(IsWindow(qz));
  EXPECT_FALSE(Checked());
  Command(cmd::kQuickZoom);
  ASSERT_NE(QuickZoom(), nullptr);
  EXPECT_TRUE(Checked());
  Key(VK_F1, /*shift=*/true);
  EXPECT_EQ(QuickZoom(), nullptr);
  Key(VK_F1, /*shift=*/true);
  EXPECT_NE(QuickZoom(), nullptr);
  EXPECT_TRUE(Checked());
}

TEST_F(QuickZoomTest, KeepsToTheFrameAboveItAndHiddenWhileItIsMinimised) {
  StartWithFrame();
  const auto aboveFrame = [this] {
    for (HWND w = GetWindow(frame(), GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
      if (w == QuickZoom()) return true;
    return false;
  };
  EXPECT_TRUE(PumpUntil(aboveFrame));
  // Activating the frame again must not bury it either.
  SetActiveWindow(QuickZoom());
  SetActiveWindow(frame());
  EXPECT_TRUE(PumpUntil(aboveFrame));

  ShowWindow(frame(), SW_MINIMIZE);
  EXPECT_TRUE(PumpUntil([this] { return !IsWindowVisible(QuickZoom()); }));
  ShowWindow(frame(), SW_RESTORE);
  EXPECT_TRUE(PumpUntil([this] { return IsWindowVisible(QuickZoom()) != 0; }));
  EXPECT_TRUE(PumpUntil(aboveFrame));
}

TEST_F(QuickZoomTest, ShowsTheActiveDocumentAndFollowsActivationAndClose) {
  StartWithFrame();
  DocumentWindow* first = OpenQuadrants("first.bmp", 64, 32);
  DocumentWindow* second = OpenQuadrants("second.bmp", 32, 64);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(Caption(QuickZoom()), "second.bmp");
  MDIActivate(first);
  EXPECT_EQ(Caption(QuickZoom()), "first.bmp");

  SendMessageW(first->hwnd(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_EQ(Caption(QuickZoom()), "second.bmp");
  // Gone without WM_CLOSE: the window forgets it all the same.
  SendMessageW(app().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Active()->hwnd()), 0);
  Pump();
  EXPECT_TRUE(app().documents.empty());
  EXPECT_EQ(Caption(QuickZoom()), "Quick Zoom");
  int32_t w = 0, h = 0;
  const std::vector<uint32_t> box = CaptureBox(w, h);
  const uint32_t face = FromColorRef(GetSysColor(COLOR_BTNFACE));
  for (const uint32_t p : box) ASSERT_EQ(p, face);
}

TEST_F(QuickZoomTest, PaintsTheReducedCopyCentredWithTheVisiblePartOutlined) {
  StartWithFrame();
  DocumentWindow* window = OpenQuadrants("wide.bmp", 960, 480);
  ASSERT_NE(window, nullptr);
  const ThumbLayout t = Layout(window);
  int32_t w = 0, h = 0;
  std::vector<uint32_t> box = CaptureBox(w, h);
  ASSERT_EQ(t.thumbWidth, w);  // the wide picture meets the box's sides, centred vertically
  ASSERT_GT(t.offsetY, 0);
  const auto at = [&](int32_t x, int32_t y) { return box[static_cast<size_t>(y * w + x)]; };
  const uint32_t face = FromColorRef(GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(at(w / 2, t.offsetY / 2), face);
  EXPECT_EQ(at(w / 2, t.offsetY + t.thumbHeight + 2), face);
  const int32_t qx[2] = {t.offsetX + t.thumbWidth * 3 / 8, t.offsetX + t.thumbWidth * 3 / 4};
  const int32_t qy[2] = {t.offsetY + t.thumbHeight / 4, t.offsetY + t.thumbHeight * 3 / 4};
  for (int q = 0; q < 4; ++q) EXPECT_EQ(at(qx[q % 2], qy[q / 2]), kQuadrants[q]) << "quadrant " << q;

  // The outline of the visible part is inverted over the copy; scrolled, it moves.
  const auto inverted = [&](int32_t x, int32_t y) { return at(x, y) == (0xFFFFFF ^ at(x - 1, y)); };
  const std::optional<WindowRect> outline = VisibleOutline(t, VisibleRect(window->doc()));
  ASSERT_TRUE(outline);
  ASSERT_LT(outline->right, t.offsetX + t.thumbWidth / 2);  // inside the top-left quadrant
  ASSERT_LT(outline->bottom, t.offsetY + t.thumbHeight / 2);
  const int32_t row = (outline->top + outline->bottom) / 2;
  EXPECT_EQ(at(outline->right, row), 0xFFFFFF ^ kQuadrants[0]);
  EXPECT_EQ(at(outline->right - 1, row), kQuadrants[0]);
  EXPECT_EQ(at(outline->right + 1, row), kQuadrants[0]);
  EXPECT_EQ(at(outline->left + 2, outline->bottom), 0xFFFFFF ^ kQuadrants[0]);

  SendMessageW(window->hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
  Pump();
  const std::optional<WindowRect> moved = VisibleOutline(t, VisibleRect(window->doc()));
  ASSERT_TRUE(moved);
  ASSERT_GT(moved->top, outline->top);
  box = CaptureBox(w, h);
  EXPECT_EQ(at(outline->left + 2, outline->top), kQuadrants[0]);  // the old outline is gone
  EXPECT_TRUE(inverted(moved->right, (moved->top + moved->bottom) / 2));
  EXPECT_FALSE(inverted(outline->right, outline->top + 1));

  // A repaint draws it again in the same place, and only there.
  InvalidateRect(QuickZoom(), nullptr, TRUE);
  const std::vector<uint32_t> before = box;
  box = CaptureBox(w, h);
  EXPECT_EQ(box, before);
}

TEST_F(QuickZoomTest, MasksUndoAndTurnsShowInTheCopy) {
  StartWithFrame();
  DocumentWindow* window = OpenQuadrants("masked.bmp", 200, 100, 600, 400);
  ASSERT_NE(window, nullptr);
  const ThumbLayout t = Layout(window);
  const int32_t x = t.offsetX + t.thumbWidth * 3 / 4, y = t.offsetY + t.thumbHeight / 4;  // top-right quadrant
  int32_t w = 0, h = 0;
  std::vector<uint32_t> box = CaptureBox(w, h);
  ASSERT_EQ(box[static_cast<size_t>(y * w + x)], kQuadrants[1]);
  SelectArea(window->doc(), 100, 0, 200, 50);
  app().frame->RefreshControls();
  Command(cmd::kNegPos);
  ASSERT_EQ(window->doc().undoCount(), 1);
  box = CaptureBox(w, h);
  EXPECT_EQ(box[static_cast<size_t>(y * w + x)], 0xFFFFFF ^ kQuadrants[1]);
  const int32_t left = t.offsetX + t.thumbWidth / 4;
  EXPECT_EQ(box[static_cast<size_t>(y * w + left)], kQuadrants[0]);  // outside the area, as it was
  // The outline of the visible part (here the whole copy) is drawn again over the new copy.
  EXPECT_EQ(box[static_cast<size_t>(t.offsetY * w + left)], 0xFFFFFF ^ kQuadrants[0]);

  Command(cmd::kUndo);
  box = CaptureBox(w, h);
  EXPECT_EQ(box[static_cast<size_t>(y * w + x)], kQuadrants[1]);

  // Turned, the picture stands upright in the box: a new copy, centred the other way.
  Command(cmd::kRotate90);
  const ThumbLayout turned = Layout(window);
  ASSERT_EQ(turned.thumbHeight, h);
  ASSERT_GT(turned.offsetX, 0);
  box = CaptureBox(w, h);
  const uint32_t face = FromColorRef(GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(box[static_cast<size_t>(h / 2 * w + turned.offsetX / 2)], face);
  const uint32_t inside = box[static_cast<size_t>(h / 4 * w + turned.offsetX + turned.thumbWidth / 4)];
  EXPECT_NE(std::find(std::begin(kQuadrants), std::end(kQuadrants), inside), std::end(kQuadrants));
}

TEST_F(QuickZoomTest, LeftClicksMoveTheViewNoFurtherThanItsMaximum) {
  StartWithFrame();
  DocumentWindow* window = OpenQuadrants("big.bmp", 960, 480);
  ASSERT_NE(window, nullptr);
  const ImageDoc& doc = window->doc();
  ASSERT_GT(doc.hScrollMax, 0);
  ASSERT_GT(doc.vScrollMax, 0);
  const ThumbLayout t = Layout(window);
  SetFocus(frame());

  // The bottom-right corner of the copy: the view goes as far as it can, and no further.
  const int cornerX = t.offsetX + t.thumbWidth - 1, cornerY = t.offsetY + t.thumbHeight - 1;
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, cornerX, cornerY);
  Mouse(WM_LBUTTONUP, 0, cornerX, cornerY);
  EXPECT_EQ(doc.hScrollPos, doc.hScrollMax);
  EXPECT_EQ(doc.vScrollPos, doc.vScrollMax);
  EXPECT_EQ(GetScrollPos(window->hwnd(), SB_HORZ), doc.hScrollPos);
  EXPECT_EQ(GetFocus(), window->hwnd());

  // A drag across the middle: large and small moves both end centred on the pointer.
  const double perBoxPixel = 1.0 / t.thumbScale;
  for (const int x : {t.offsetX + t.thumbWidth / 2, t.offsetX + t.thumbWidth / 2 - 3}) {
    const int y = t.offsetY + t.thumbHeight / 2;
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, x, y);
    const double centreX = doc.hScrollPos + doc.clientWidth / 2.0;
    const double centreY = doc.vScrollPos + doc.clientHeight / 2.0;
    EXPECT_NEAR(centreX, (x - t.offsetX) * perBoxPixel, perBoxPixel + 1) << x;
    EXPECT_NEAR(centreY, (y - t.offsetY) * perBoxPixel, perBoxPixel + 1) << x;
    EXPECT_EQ(GetScrollPos(window->hwnd(), SB_HORZ), doc.hScrollPos);
    EXPECT_EQ(GetScrollPos(window->hwnd(), SB_VERT), doc.vScrollPos);
  }
  Mouse(WM_LBUTTONUP, 0, 0, 0);
}

TEST_F(QuickZoomTest, ARightButtonBandZoomsTheDocumentToIt) {
  StartWithFrame();
  DocumentWindow* window = OpenQuadrants("band.bmp", 960, 480);
  ASSERT_NE(window, nullptr);
  const ImageDoc& doc = window->doc();
  const ThumbLayout t = Layout(window);
  const int ax = t.offsetX + 10, ay = t.offsetY + 10;

  // Ending on the anchor's row zooms nothing.
  Mouse(WM_RBUTTONDOWN, MK_RBUTTON, ax, ay);
  Mouse(WM_MOUSEMOVE, MK_RBUTTON, ax + 30, ay);
  Mouse(WM_RBUTTONUP, 0, ax + 30, ay);
  EXPECT_EQ(doc.zoomPercent, 100);

  SetFocus(frame());
  Mouse(WM_RBUTTONDOWN, MK_RBUTTON, ax, ay);
  Mouse(WM_MOUSEMOVE, MK_RBUTTON, ax + 20, ay + 12);
  Mouse(WM_MOUSEMOVE, MK_RBUTTON, ax + 30, ay + 20);
  Mouse(WM_RBUTTONUP, 0, ax + 30, ay + 20);
  const int32_t zoom = doc.zoomPercent;
  EXPECT_GT(zoom, 100);
  EXPECT_EQ(zoom % 10, 0);
  EXPECT_EQ(ZoomPane(), std::to_string(zoom) + " %");
  EXPECT_EQ(GetFocus(), window->hwnd());
  // The view starts at the band's top-left corner.
  const double perBoxPixel = 1.0 / t.thumbScale;
  EXPECT_NEAR(doc.hScrollPos * 100.0 / zoom, 10 * perBoxPixel, perBoxPixel);
  EXPECT_NEAR(doc.vScrollPos * 100.0 / zoom, 10 * perBoxPixel, perBoxPixel);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(frame(), cmd::kButtonZoomIn)));
}

TEST_F(QuickZoomTest, CopiesFollowTheBoxWhenTheWindowComesBackInAnotherSize) {
  StartWithFrame();
  Command(cmd::kQuickZoom);
  ASSERT_EQ(QuickZoom(), nullptr);
  DocumentWindow* window = OpenQuadrants("later.bmp", 300, 100);
  ASSERT_NE(window, nullptr);
  app().options.quickZoomWidth = 260;
  app().options.quickZoomHeight = 200;
  Command(cmd::kQuickZoom);
  ASSERT_NE(QuickZoom(), nullptr);
  RECT client{};
  GetClientRect(QuickZoom(), &client);
  const ThumbLayout wanted = ThumbnailLayout(300, 100, client.right, client.bottom);
  EXPECT_EQ(window->doc().thumbWidth, wanted.thumbWidth);
  EXPECT_EQ(window->doc().thumbHeight, wanted.thumbHeight);
  int32_t w = 0, h = 0;
  const std::vector<uint32_t> box = CaptureBox(w, h);
  EXPECT_EQ(box[static_cast<size_t>((h / 2 - 4) * w + w / 4)], kQuadrants[0]);
}

TEST_F(QuickZoomTest, ItsPositionIsWrittenToTheSettingsAndUsedAtTheNextStart) {
  StartWithFrame();
  SetWindowPos(QuickZoom(), nullptr, 123, 145, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  SendMessageW(frame(), WM_CLOSE, 0, 0);
  Pump();
  const std::optional<std::vector<uint8_t>> written = ReadWholeFile(exeDir_ + "\\veilo.ini", 1 << 20);
  ASSERT_TRUE(written);
  const std::string text(written->begin(), written->end());
  EXPECT_NE(text.find("ViewWin=123 145 160 160"), std::string::npos) << text;

  ShutdownApp();
  Start();
  RECT r{};
  GetWindowRect(QuickZoom(), &r);
  EXPECT_EQ(r.left, 123);
  EXPECT_EQ(r.top, 145);
}

}  // namespace
}  // namespace veilo::testing
