// The colour spoit over a document's picture, driven from a thread timer while
// its own message loop runs: picking, giving up, the magnifications, the wheel,
// one picker at a time, and the owner enabled again however the picking ends.
#include <deque>
#include <functional>

#include "app_fixture_win.h"
#include "shell/texts.h"
#include "view/spoit.h"
#include "view/spoit_win.h"

namespace veilo::testing {
namespace {

struct SpoitWindows {
  HWND picker = nullptr;
  HWND view = nullptr;
};
using SpoitStep = std::function<void(const SpoitWindows&)>;

// The steps of one picking, one per timer tick once the picker is there; a
// picker still open after the time limit is closed and the run reported.
struct Script {
  std::deque<SpoitStep> steps;
  ULONGLONG deadline = 0;
  bool timedOut = false;
};
Script* running = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (!running) return;
  SpoitWindows w;
  w.picker = FindWindowW(kSpoitPickerClass, nullptr);
  if (w.picker) w.view = FindWindowExW(w.picker, nullptr, L"SpoitWin", nullptr);
  if (GetTickCount64() > running->deadline) {
    running->timedOut = true;
    if (w.picker) PostMessageW(w.picker, WM_CLOSE, 0, 0);
    return;
  }
  if (!w.picker || !w.view || running->steps.empty()) return;
  const SpoitStep step = std::move(running->steps.front());
  running->steps.pop_front();
  step(w);
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

uint32_t Packed(const std::array<uint8_t, 3>& rgb) { return uint32_t{rgb[0]} << 16 | uint32_t{rgb[1]} << 8 | rgb[2]; }

class SpoitTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Start();
    window_ = Open(WritePicture("noise.bmp", 800, 600, 5));
    ASSERT_NE(window_, nullptr);
  }

  // Runs the spoit over the document's picture with these steps; the result of PickColour.
  int Pick(std::deque<SpoitStep> steps) {
    Script script;
    script.steps = std::move(steps);
    script.deadline = GetTickCount64() + 10000;
    running = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
    const int result = PickColourFromDocument(frame(), window_->doc(), target_);
    KillTimer(nullptr, timer);
    running = nullptr;
    EXPECT_FALSE(script.timedOut) << "the picker had to be closed by the test";
    EXPECT_TRUE(script.steps.empty()) << script.steps.size() << " steps not run";
    EXPECT_EQ(FindWindowW(kSpoitPickerClass, nullptr), nullptr);
    EXPECT_TRUE(IsWindowEnabled(frame()));
    return result;
  }

  static SpoitStep Magnify(int radioIndex) {
    return [radioIndex](const SpoitWindows& w) {
      SendMessageW(GetDlgItem(w.picker, kSpoitFirstRadioId + radioIndex), BM_CLICK, 0, 0);
    };
  }
  static SpoitStep Send(UINT msg, WPARAM wp, LPARAM lp) {
    return [=](const SpoitWindows& w) { SendMessageW(w.view, msg, wp, lp); };
  }
  static SpoitStep Click(int x, int y) {
    return [=](const SpoitWindows& w) {
      SendMessageW(w.view, WM_MOUSEMOVE, 0, At(x, y));
      SendMessageW(w.view, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
      SendMessageW(w.view, WM_LBUTTONUP, 0, At(x, y));
    };
  }
  // A click inside the picture pixel (x, y) at magnification m, wherever the view is scrolled.
  static SpoitStep ClickPixel(int m, int x, int y) {
    return [=](const SpoitWindows& w) {
      const int cx = m * x + m / 2 - GetScrollPos(w.view, SB_HORZ), cy = m * y + m - 1 - GetScrollPos(w.view, SB_VERT);
      Click(cx, cy)(w);
    };
  }
  static SpoitStep GiveUp() { return Send(WM_RBUTTONDOWN, MK_RBUTTON, At(5, 5)); }

  DocumentWindow* window_ = nullptr;
  ColourPickTarget target_;
};

TEST_F(SpoitTest, ALeftClickPicksThePixelUnderThePointer) {
  std::string caption;
  bool ownerEnabled = true;
  uint32_t swatch = 0;
  const int result = Pick({
      Magnify(0),
      [&](const SpoitWindows& w) {
        caption = Caption(w.picker);
        ownerEnabled = IsWindowEnabled(frame()) != 0;
        SendMessageW(w.view, WM_MOUSEMOVE, 0, At(37, 21));
        // The swatch is the static child left of the buttons; it shows the colour under the pointer.
        const HWND swatchWindow = FindWindowExW(w.picker, nullptr, L"static", nullptr);
        UpdateWindow(swatchWindow);
        int32_t sw = 0, sh = 0;
        const std::vector<uint32_t> pixels = CaptureClient(swatchWindow, sw, sh);
        if (!pixels.empty()) swatch = pixels[pixels.size() / 2];
      },
      Click(37, 21),
  });
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(target_.colourChosen);
  EXPECT_EQ(Packed(target_.colour), DocColour(window_->doc(), 37, 21));
  EXPECT_EQ(swatch, DocColour(window_->doc(), 37, 21));
  EXPECT_EQ(caption, Text(TextId::SpoitTitle, app().language));
  EXPECT_FALSE(ownerEnabled);
  EXPECT_EQ(GetAncestor(GetFocus(), GA_ROOT), frame());  // the owner has the keyboard back
}

TEST_F(SpoitTest, MagnifiedClicksPickThePixelTheyLandOn) {
  int h = 0, v = 0, width = 0, height = 0;
  std::vector<uint32_t> painted;
  const int result = Pick({Magnify(2),
                           [&](const SpoitWindows& w) {
                             h = GetScrollPos(w.view, SB_HORZ);
                             v = GetScrollPos(w.view, SB_VERT);
                             UpdateWindow(w.view);
                             painted = CaptureClient(w.view, width, height);
                           },
                           ClickPixel(4, 137, 81)});
  EXPECT_GT(h, 0);  // the view kept its centre, so it is scrolled now
  // Every view pixel shows the picture pixel it magnifies.
  ASSERT_FALSE(painted.empty());
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      ASSERT_EQ(painted[static_cast<size_t>(y * width + x)], DocColour(window_->doc(), (x + h) / 4, (y + v) / 4))
          << x << "," << y;
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Packed(target_.colour), DocColour(window_->doc(), 137, 81));
}

TEST_F(SpoitTest, ARightClickGivesUpAndLeavesTheColour) {
  window_->doc().transparentColor = {1, 2, 3};
  EXPECT_EQ(Pick({Magnify(0), Send(WM_MOUSEMOVE, 0, At(10, 10)), GiveUp()}), 0);
  EXPECT_FALSE(target_.colourChosen);
  EXPECT_EQ(target_.colour, (std::array<uint8_t, 3>{1, 2, 3}));
}

TEST_F(SpoitTest, MagnifyingKeepsTheCentreAndTheMagnificationIsKeptForTheNextPicking) {
  RECT view{};
  int hBefore = 0, vBefore = 0, hAfter = 0, vAfter = 0;
  const auto offsets = [](const SpoitWindows& w, int& h, int& v) {
    h = GetScrollPos(w.view, SB_HORZ);
    v = GetScrollPos(w.view, SB_VERT);
  };
  int line = 0;
  EXPECT_EQ(Pick({Magnify(0), Send(WM_HSCROLL, SB_PAGERIGHT, 0), Send(WM_VSCROLL, SB_PAGEDOWN, 0),
                  [&](const SpoitWindows& w) {
                    GetClientRect(w.view, &view);
                    offsets(w, hBefore, vBefore);
                  },
                  Magnify(3),
                  [&](const SpoitWindows& w) {
                    offsets(w, hAfter, vAfter);
                    // A line is 16 pixels at any magnification.
                    SendMessageW(w.view, WM_VSCROLL, SB_LINEDOWN, 0);
                    line = GetScrollPos(w.view, SB_VERT) - vAfter;
                  },
                  GiveUp()}),
            0);
  ASSERT_GT(hBefore, 0);
  ASSERT_GT(vBefore, 0);
  EXPECT_NEAR((hAfter + view.right / 2) / 8.0, hBefore + view.right / 2, 1.0);
  EXPECT_NEAR((vAfter + view.bottom / 2) / 8.0, vBefore + view.bottom / 2, 1.0);
  EXPECT_EQ(line, kSpoitLineStep);

  bool stillEight = false;
  int h = -1, v = -1;
  const int result = Pick({[&](const SpoitWindows& w) {
                             stillEight = IsDlgButtonChecked(w.picker, kSpoitFirstRadioId + 3) == BST_CHECKED;
                             offsets(w, h, v);  // the view starts at the top-left again
                           },
                           Click(8 * 5 + 7, 8 * 9)});
  EXPECT_TRUE(stillEight);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Packed(target_.colour), DocColour(window_->doc(), 5, 9));
}

TEST_F(SpoitTest, TheWheelOverThePickerScrollsThePicture) {
  int wheeled = -1;
  EXPECT_EQ(Pick({Magnify(0),
                  [&](const SpoitWindows& w) {
                    SendMessageW(w.picker, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
                    wheeled = GetScrollPos(w.view, SB_VERT);
                  },
                  GiveUp()}),
            0);
  EXPECT_EQ(wheeled, 15 * 2);  // fifteen steps a notch, two pixels each at x 1
}

TEST_F(SpoitTest, ASecondPickerWhileOneIsOpenReturnsAtOnce) {
  int second = -1;
  EXPECT_EQ(Pick({[&](const SpoitWindows&) {
                    ColourPickTarget other = PickTargetOf(window_->doc());
                    second = PickColour(frame(), other);
                  },
                  GiveUp()}),
            0);
  EXPECT_EQ(second, 0);
}

TEST_F(SpoitTest, ClosingTheDocumentClosesThePickerFirst) {
  const HWND document = window_->hwnd();
  EXPECT_EQ(Pick({[&](const SpoitWindows&) {
    SendMessageW(app().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(document), 0);
  }}),
            0);
  EXPECT_FALSE(IsWindow(document));
  EXPECT_TRUE(app().documents.empty());
}

TEST_F(SpoitTest, AQuitMessageEndsThePickingAndIsLeftForTheOuterLoop) {
  EXPECT_EQ(Pick({[](const SpoitWindows&) { PostQuitMessage(7); }}), 0);
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

}  // namespace
}  // namespace veilo::testing
