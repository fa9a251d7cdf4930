#pragma once
// The fixture of the document window's mouse tests: a picture in a document
// window of known size, mouse messages in client coordinates, the real
// pointer where Wine must report it, and the frame's pixels on the screen.
#include <functional>
#include <set>
#include <string>
#include <utility>

#include "app_fixture_win.h"
#include "formats/image_dispatch.h"
#include "platform/wide_win.h"
#include "recording_shell.h"
#include "shell/commands.h"
#include "shell/resource_ids.h"
#include "view/frame_geometry.h"

namespace veilo::testing {

using Pixels = std::set<std::pair<int32_t, int32_t>>;

// The client pixels the XOR lines of the current frame invert.
inline Pixels FramePixels(const ImageDoc& doc) {
  SelectionEffect draw;
  draw.kind = SelectionEffect::Kind::kDrawFrame;
  draw.x1 = doc.areaX1, draw.y1 = doc.areaY1, draw.x2 = doc.areaX2, draw.y2 = doc.areaY2;
  draw.scrollX = doc.hScrollPos;
  draw.scrollY = doc.vScrollPos;
  Pixels out;
  for (const LineSegment& s : FrameSides(doc, draw)) {
    const int32_t dx = (s.x2 > s.x1) - (s.x2 < s.x1), dy = (s.y2 > s.y1) - (s.y2 < s.y1);
    for (int32_t x = s.x1, y = s.y1; x != s.x2 || y != s.y2; x += dx, y += dy) {
      const auto [it, added] = out.insert({x, y});
      if (!added) out.erase(it);
    }
  }
  return out;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return name;
}

class SelectionTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Start();
    MoveWindow(frame(), 0, 0, 900, 700, TRUE);
    Pump();
  }
  void TearDown() override {
    StopClosingDialogs();
    AppTest::TearDown();
  }

 public:  // the cases' own helpers reach them too
  // A picture in a 520 x 420 document window at the MDI client's top left.
  DocumentWindow* OpenPicture(int32_t width, int32_t height,
                              const std::function<Rgb(int32_t, int32_t)>& colour = {}) {
    ImageDoc picture = colour ? MakeDoc(width, height, colour) : MakeNoiseDoc(width, height, 5);
    const std::string path = folder_.Path("picture" + std::to_string(++pictures_) + ".bmp");
    RecordingShell shell;
    SaveOptions options = StartingSaveOptions(picture);
    EXPECT_EQ(SaveImageFile(shell, path, picture, options), 0);
    window_ = Open(path);
    if (window_) {
      MoveWindow(window_->hwnd(), 0, 0, 520, 420, TRUE);
      Pump();
    }
    return window_;
  }

  HWND Doc() const { return window_->hwnd(); }
  ImageDoc& DocState() { return window_->doc(); }
  void Send(UINT msg, int32_t x, int32_t y, WPARAM keys = 0) { SendMessageW(Doc(), msg, keys, MAKELPARAM(x, y)); }
  void Drag(int32_t x0, int32_t y0, int32_t x1, int32_t y1, WPARAM keys = 0) {
    Send(WM_LBUTTONDOWN, x0, y0, MK_LBUTTON | keys);
    Send(WM_MOUSEMOVE, x1, y1, MK_LBUTTON | keys);
    Send(WM_LBUTTONUP, x1, y1, keys);
  }
  PixelRect Area() {
    const ImageDoc& d = DocState();
    return {d.areaX1, d.areaY1, d.areaX2, d.areaY2};
  }
  std::string PositionPane() {
    wchar_t text[64] = {};
    GetWindowTextW(app().frame->panes().positionPane(), text, 64);
    return Utf8(text);
  }
  // The negative/positive mask stands for all the area commands.
  bool AreaCommandsEnabled() {
    const bool menu = !(GetMenuState(app().docMenu.get(), cmd::kNegPos, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
    const bool button = IsWindowEnabled(GetDlgItem(frame(), cmd::kButtonNegPos)) != FALSE;
    EXPECT_EQ(menu, button);
    return menu && button;
  }
  POINT ScreenOf(int32_t x, int32_t y) {
    POINT p{x, y};
    ClientToScreen(Doc(), &p);
    return p;
  }
  // The real pointer at a client point, once the system reports it there.
  void PlacePointer(int32_t x, int32_t y) { PlacePointerOnScreen(ScreenOf(x, y)); }
  // Under Wine the reported position can fall back to the old one for a
  // while after a move, until the display server's events catch up: it counts
  // once it has stayed put for half a second.
  static void PlacePointerOnScreen(POINT target) {
    SetCursorPos(target.x, target.y);
    ULONGLONG since = GetTickCount64();
    const bool settled = PumpUntil(
        [&] {
          POINT now{};
          GetCursorPos(&now);
          if (now.x != target.x || now.y != target.y) since = GetTickCount64();
          return GetTickCount64() - since >= 500;
        },
        4000);
    ASSERT_TRUE(settled) << "the pointer did not stay at " << target.x << "," << target.y;
  }
  static BOOL CALLBACK FindMarker(HWND w, LPARAM out) {
    if (ClassOf(w) == L"mmouse") *reinterpret_cast<HWND*>(out) = w;
    return TRUE;
  }
  static BOOL CALLBACK FindMarkerBelow(HWND top, LPARAM out) {
    EnumChildWindows(top, FindMarker, out);
    return TRUE;
  }
  // A marker window anywhere in this thread's windows.
  static HWND AnyMarker() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMarkerBelow, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  // The cursor's display count (ShowCursor's counter), left as it was.
  static int CursorCount() {
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
  }

  // The frame on the screen is exactly the current area's: a capture with it
  // and one painted without it differ at its pixels, each inverted, and
  // nowhere else.
  void ExpectFrameShown(const char* what) {
    SCOPED_TRACE(what);
    ImageDoc& doc = DocState();
    ASSERT_EQ(doc.areaSelected, 1);
    int32_t w = 0, h = 0;
    const std::vector<uint32_t> shown = CaptureClient(Doc(), w, h);
    doc.areaSelected = 0;
    InvalidateRect(Doc(), nullptr, TRUE);
    UpdateWindow(Doc());
    const std::vector<uint32_t> plain = CaptureClient(Doc(), w, h);
    doc.areaSelected = 1;
    InvalidateRect(Doc(), nullptr, TRUE);
    UpdateWindow(Doc());
    const Pixels frame = FramePixels(doc);
    int onFrame = 0;
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        const size_t i = static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x);
        if (frame.count({x, y})) {
          ASSERT_EQ(shown[i], plain[i] ^ 0xFFFFFF) << "frame pixel " << x << "," << y;
          ++onFrame;
        } else {
          ASSERT_EQ(shown[i], plain[i]) << "pixel off the frame " << x << "," << y;
        }
      }
    }
    EXPECT_GT(onFrame, 0);
  }

  DocumentWindow* window_ = nullptr;
  int pictures_ = 0;
};

}  // namespace veilo::testing
