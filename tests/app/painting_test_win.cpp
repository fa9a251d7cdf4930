// What a document window paints at each zoom, captured from the window: the
// picture where the mapping puts it, the light-grey strips and the background
// around it, and partial repaints that match a full one pixel for pixel.
#include <random>

#include "app_fixture_win.h"
#include "formats/image_dispatch.h"
#include "recording_shell.h"
#include "shell/commands.h"
#include "view/paint_plan.h"
#include "view/view_mapping.h"

namespace veilo::testing {
namespace {

constexpr int32_t kBlock = 4;  // the test picture is made of 4 x 4 blocks of one colour each

Rgb BlockColour(int32_t x, int32_t y) {
  const uint32_t bx = static_cast<uint32_t>(x / kBlock), by = static_cast<uint32_t>(y / kBlock);
  const uint32_t h = (bx * 73856093u) ^ (by * 19349663u);
  return {static_cast<uint8_t>(h), static_cast<uint8_t>(h >> 8), static_cast<uint8_t>((h >> 16) | 1)};
}

// A zoomed coordinate whose picture position lies well inside a block, so that
// any rounding of the stretch lands in the same block.
bool SafelyInsideBlock(int32_t zoomed, int32_t zoom) {
  const double picture = (zoomed + 0.5) * 100.0 / zoom;
  const double within = picture - kBlock * static_cast<int32_t>(picture / kBlock);
  return within >= 1.0 && within <= kBlock - 1.0;
}

class PaintingTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Start();
    MoveWindow(frame(), 0, 0, 900, 700, TRUE);
    ImageDoc picture = MakeDoc(120, 88, BlockColour);
    path_ = folder_.Path("blocks.bmp");
    RecordingShell shell;
    SaveOptions options = StartingSaveOptions(picture);
    ASSERT_EQ(SaveImageFile(shell, path_, picture, options), 0);
    window_ = Open(path_);
    ASSERT_NE(window_, nullptr);
    ShowWindow(window_->hwnd(), SW_MAXIMIZE);
    Pump();
  }

  // Checks every safely sampled client pixel of the picture, and that the
  // pixels right of and below it are light grey or the background.
  void CheckPainted(const char* what) {
    SCOPED_TRACE(what);
    ImageDoc& doc = window_->doc();
    const int32_t zoom = doc.zoomPercent;
    int32_t w = 0, h = 0;
    const std::vector<uint32_t> pixels = CaptureClient(window_->hwnd(), w, h);
    const uint32_t background = SystemRgb(GetSysColor(COLOR_INACTIVEBORDER));
    int checked = 0;
    for (int32_t cy = 0; cy < h; ++cy) {
      for (int32_t cx = 0; cx < w; ++cx) {
        const int32_t zx = cx + doc.hScrollPos, zy = cy + doc.vScrollPos;
        const uint32_t got = pixels[static_cast<size_t>(cy * w + cx)];
        if (zx >= ZoomedWidth(doc) || zy >= ZoomedHeight(doc)) {
          ASSERT_TRUE(got == 0xC0C0C0 || got == background) << cx << "," << cy << " " << std::hex << got;
          continue;
        }
        if (!SafelyInsideBlock(zx, zoom) || !SafelyInsideBlock(zy, zoom)) continue;
        const int32_t px = zx * 100 / zoom, py = zy * 100 / zoom;
        const Rgb c = BlockColour(px, py);
        ASSERT_EQ(got, uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b) << "client " << cx << "," << cy;
        ++checked;
      }
    }
    EXPECT_GT(checked, 0);
  }

  static uint32_t SystemRgb(COLORREF c) { return uint32_t{GetRValue(c)} << 16 | uint32_t{GetGValue(c)} << 8 | GetBValue(c); }

  std::string path_;
  DocumentWindow* window_ = nullptr;
};

TEST_F(PaintingTest, EveryZoomPaintsThePictureWhereTheMappingPutsIt) {
  for (const int32_t zoom : {25, 100, 150, 1600}) {
    window_->ApplyZoom(zoom);
    Pump();
    CheckPainted(("zoom " + std::to_string(zoom)).c_str());
  }
  Command(cmd::kFitWholeImage);
  const ImageDoc& doc = window_->doc();
  EXPECT_EQ(doc.hScrollMax, 0);
  EXPECT_EQ(doc.vScrollMax, 0);
  EXPECT_GT(doc.zoomPercent, 100);
  CheckPainted("whole image");
}

TEST_F(PaintingTest, ScrolledViewsPaintTheirPartOfThePicture) {
  window_->ApplyZoom(1600);
  Pump();
  const int32_t h = window_->doc().hScrollPos, v = window_->doc().vScrollPos;
  SendMessageW(window_->hwnd(), WM_HSCROLL, SB_PAGERIGHT, 0);
  SendMessageW(window_->hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  Pump();
  EXPECT_EQ(window_->doc().hScrollPos, std::min(h + window_->doc().clientWidth, window_->doc().hScrollMax));
  EXPECT_EQ(window_->doc().vScrollPos, v + 16);
  CheckPainted("scrolled at 1600 %");
  Key(VK_END);
  EXPECT_EQ(window_->doc().vScrollPos, window_->doc().vScrollMax);
  CheckPainted("at the bottom");
}

// Repainting any part of the view gives exactly the pixels a full paint gave:
// what the block alignment of stretched paints is for.
TEST_F(PaintingTest, PartialRepaintsMatchAFullPaint) {
  std::mt19937 random(7);
  for (const int32_t zoom : {50, 150, 300, 1600}) {
    window_->ApplyZoom(zoom);
    SendMessageW(window_->hwnd(), WM_HSCROLL, SB_LINERIGHT, 0);
    Pump();
    int32_t w = 0, h = 0;
    const std::vector<uint32_t> full = CaptureClient(window_->hwnd(), w, h);
    for (int i = 0; i < 12; ++i) {
      const int32_t left = static_cast<int32_t>(random() % static_cast<uint32_t>(w));
      const int32_t top = static_cast<int32_t>(random() % static_cast<uint32_t>(h));
      const RECT part{left, top, left + 1 + static_cast<int32_t>(random() % 97), top + 1 + static_cast<int32_t>(random() % 89)};
      InvalidateRect(window_->hwnd(), &part, FALSE);
      UpdateWindow(window_->hwnd());
    }
    const std::vector<uint32_t> repainted = CaptureClient(window_->hwnd(), w, h);
    for (size_t p = 0; p < full.size(); ++p)
      ASSERT_EQ(repainted[p], full[p]) << "zoom " << zoom << " at " << p % static_cast<size_t>(w) << ","
                                       << p / static_cast<size_t>(w);
  }
}

TEST_F(PaintingTest, ZoomCommandsStepAndFollowTheLimits) {
  const HWND zoomIn = GetDlgItem(frame(), cmd::kButtonZoomIn);
  const HWND zoomOut = GetDlgItem(frame(), cmd::kButtonZoomOut);
  const int32_t up[] = {150, 200, 300, 400, 800, 1600};
  for (const int32_t expected : up) {
    Key(VK_F3);
    EXPECT_EQ(window_->doc().zoomPercent, expected);
  }
  EXPECT_FALSE(IsWindowEnabled(zoomIn));
  wchar_t pane[32] = {};
  GetWindowTextW(app().frame->panes().zoomPane(), pane, 32);
  EXPECT_EQ(std::wstring(pane), L"1600 %");
  Command(cmd::kActualSize);
  EXPECT_EQ(window_->doc().zoomPercent, 100);
  for (int i = 0; i < 8; ++i) Key(VK_F4);
  EXPECT_EQ(window_->doc().zoomPercent, 20);
  EXPECT_FALSE(IsWindowEnabled(zoomOut));
  EXPECT_TRUE(IsWindowEnabled(zoomIn));
}

TEST_F(PaintingTest, TheWheelScrollsFifteenStepsANotch) {
  window_->ApplyZoom(1600);
  Pump();
  SendMessageW(window_->hwnd(), WM_VSCROLL, SB_TOP, 0);
  SendMessageW(window_->hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  Pump();
  EXPECT_EQ(window_->doc().vScrollPos, 240);  // 15 steps of 16 pixels
  SendMessageW(window_->hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  Pump();
  EXPECT_EQ(window_->doc().vScrollPos, 0);
}

// Erasing the background never paints over the picture: when the next picture
// of the folder replaces this one, the old one stays until the new one is drawn.
TEST_F(PaintingTest, ErasingTheBackgroundLeavesThePictureAlone) {
  ClientDc screen(window_->hwnd());
  MemoryDc memory(screen.get());
  Bitmap canvas(CreateCompatibleBitmap(screen.get(), 64, 64));
  SelectGuard selected(memory.get(), canvas.get());
  Brush marker(CreateSolidBrush(RGB(1, 2, 3)));
  const RECT all{0, 0, 64, 64};
  FillRect(memory.get(), &all, marker.get());
  EXPECT_EQ(SendMessageW(window_->hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.get()), 0), 0);
  EXPECT_EQ(GetPixel(memory.get(), 10, 10), RGB(1, 2, 3));
}

TEST_F(PaintingTest, WholeImageIsShiftF2) {
  Key(VK_F2, true);
  EXPECT_EQ(window_->doc().hScrollMax, 0);
  EXPECT_EQ(window_->doc().vScrollMax, 0);
  EXPECT_GT(window_->doc().zoomPercent, 100);
  EXPECT_EQ(window_->doc().zoomPercent % 10, 0);
}

}  // namespace
}  // namespace veilo::testing
