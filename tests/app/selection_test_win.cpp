// The document window's mouse, in process: dragging an area, its frame on the
// screen through repaints, zooms and scrolls, double-click selection, Shift
// zones, the one-pixel moves, the area options dialog, the middle-button
// auto-scroll and its marker, and windows closed in the middle of all that.
#include <functional>
#include <random>
#include <set>
#include <utility>

#include "app_fixture_win.h"
#include "formats/image_dispatch.h"
#include "platform/wide_win.h"
#include "recording_shell.h"
#include "shell/commands.h"
#include "shell/resource_ids.h"
#include "view/area_options.h"
#include "view/frame_geometry.h"

namespace veilo::testing {
namespace {

using Pixels = std::set<std::pair<int32_t, int32_t>>;

// The client pixels the XOR lines of the current frame invert.
Pixels FramePixels(const ImageDoc& doc) {
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

std::wstring ClassOf(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return name;
}

// Runs `drive` on the first dialog box of this thread once it shows; `drive`
// closes it. Should it not, the dialog is cancelled after about 3 s.
struct DialogDriver {
  static inline std::function<void(HWND)> drive;
  static inline bool driven = false;
  static inline int ticks = 0;
  static inline UINT_PTR timer = 0;

  static void Arm(std::function<void(HWND)> f) {
    drive = std::move(f);
    driven = false;
    ticks = 0;
    timer = SetTimer(nullptr, 0, 30, Tick);
  }
  static void Disarm() {
    if (timer) KillTimer(nullptr, timer);
    timer = 0;
  }
  static BOOL CALLBACK FindShownDialog(HWND w, LPARAM out) {
    if (ClassOf(w) != L"#32770" || !IsWindowVisible(w)) return TRUE;
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
  }
  static HWND ShownDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    const HWND dialog = ShownDialog();
    if (!dialog) {
      if (driven) Disarm();  // done: a ticking timer would keep the pumps from ever going quiet
      return;
    }
    if (!driven) {
      driven = true;
      drive(dialog);
    } else if (++ticks > 100) {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
  }
};

std::string ItemText(HWND dialog, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(dialog, id, text, 256);
  return Utf8(text);
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
    DialogDriver::Disarm();
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

TEST_F(SelectionTest, TheAreaOptionsDialogChangesTheOptionsAtOnce) {
  ASSERT_TRUE(OpenPicture(100, 50));
  AppOptions& o = app().options;
  o.areaStartUnit = 8;
  o.areaSizeUnit = 16;
  o.mask.flInvert = 1;
  o.mask.glassBoxSize = 8;
  struct Seen {
    bool startChecked = false, sizeChecked = false, flChecked = false;
    std::string glassText;
    int32_t startAfterClick = 0, sizeAfterClick = 0, flAfterClick = -1, typed = 0, clamped = 0, up = 0, down = 0;
    std::string textAfterDown;
  } seen;
  DialogDriver::Arm([&](HWND dialog) {
    seen.startChecked = IsDlgButtonChecked(dialog, IDC_AREA_START_8) == BST_CHECKED;
    seen.sizeChecked = IsDlgButtonChecked(dialog, IDC_AREA_SIZE_16) == BST_CHECKED;
    seen.flChecked = IsDlgButtonChecked(dialog, IDC_AREA_FL_INVERT) == BST_CHECKED;
    seen.glassText = ItemText(dialog, IDC_AREA_GLASS_EDIT);
    SendDlgItemMessageW(dialog, IDC_AREA_START_FREE, BM_CLICK, 0, 0);
    seen.startAfterClick = o.areaStartUnit;
    SendDlgItemMessageW(dialog, IDC_AREA_SIZE_8, BM_CLICK, 0, 0);
    seen.sizeAfterClick = o.areaSizeUnit;
    SendDlgItemMessageW(dialog, IDC_AREA_FL_INVERT, BM_CLICK, 0, 0);
    seen.flAfterClick = o.mask.flInvert;
    SetDlgItemTextW(dialog, IDC_AREA_GLASS_EDIT, L"998");
    seen.typed = o.mask.glassBoxSize;
    const HWND bar = GetDlgItem(dialog, IDC_AREA_GLASS_SCROLL);
    SendMessageW(dialog, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(bar));
    SendMessageW(dialog, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(bar));
    seen.up = o.mask.glassBoxSize;
    SetDlgItemTextW(dialog, IDC_AREA_GLASS_EDIT, L"1");
    seen.clamped = o.mask.glassBoxSize;
    SendMessageW(dialog, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
    seen.down = o.mask.glassBoxSize;
    seen.textAfterDown = ItemText(dialog, IDC_AREA_GLASS_EDIT);
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
  });
  Command(cmd::kAreaOptions);
  DialogDriver::Disarm();
  ASSERT_TRUE(DialogDriver::driven);
  EXPECT_EQ(DialogDriver::ShownDialog(), nullptr);
  EXPECT_TRUE(seen.startChecked && seen.sizeChecked && seen.flChecked);
  EXPECT_EQ(seen.glassText, "8");
  EXPECT_EQ(seen.startAfterClick, 1);
  EXPECT_EQ(seen.sizeAfterClick, 8);
  EXPECT_EQ(seen.flAfterClick, 0);
  EXPECT_EQ(seen.typed, 998);
  EXPECT_EQ(seen.up, 999) << "at most 999";
  EXPECT_EQ(seen.clamped, 2) << "at least 2";
  EXPECT_EQ(seen.down, 2);
  EXPECT_EQ(seen.textAfterDown, "2");
  // The changes stay after the dialog.
  EXPECT_EQ(o.areaStartUnit, 1);
  EXPECT_EQ(o.areaSizeUnit, 8);
  EXPECT_EQ(o.mask.flInvert, 0);
  EXPECT_EQ(o.mask.glassBoxSize, 2);
}

TEST_F(SelectionTest, TheRightButtonOpensTheDialogAtThePointerWithinTheFrame) {
  ASSERT_TRUE(OpenPicture(100, 50));
  RECT frameRect{};
  GetWindowRect(frame(), &frameRect);
  // Near the frame's bottom right: the dialog has to move in to stay inside.
  PlacePointerOnScreen({frameRect.right - 20, frameRect.bottom - 20});
  RECT placed{};
  POINT pointer{};
  DialogDriver::Arm([&](HWND dialog) {
    GetWindowRect(dialog, &placed);
    GetCursorPos(&pointer);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  Send(WM_RBUTTONDOWN, 30, 30, MK_RBUTTON);
  Pump();
  DialogDriver::Disarm();
  ASSERT_TRUE(DialogDriver::driven);
  const int32_t width = placed.right - placed.left, height = placed.bottom - placed.top;
  const WindowRect expected = AreaOptionsDialogRect(
      pointer.x, pointer.y, width, height, {frameRect.left, frameRect.top, frameRect.right, frameRect.bottom});
  EXPECT_EQ((WindowRect{placed.left, placed.top, placed.right, placed.bottom}), expected);
  EXPECT_LE(placed.right, frameRect.right);
  EXPECT_LE(placed.bottom, frameRect.bottom);
}

TEST_F(SelectionTest, TheLanguageFileNamesTheDialogsTexts) {
  // A fresh start with the language file.
  ShutdownApp();
  Pump(10, 1000);
  Start(
      "[AREA SELECT DLG]\r\nStart=Start unit\r\nSize=Size unit\r\nFLChk=FL mask reverses colours\r\n"
      "Glass=Glass box\r\n");
  MoveWindow(frame(), 0, 0, 900, 700, TRUE);
  ASSERT_TRUE(app().language.languageLoaded);
  ASSERT_TRUE(OpenPicture(100, 50));
  std::vector<std::string> texts;
  DialogDriver::Arm([&](HWND dialog) {
    for (const int id : {IDC_AREA_START_GROUP, IDC_AREA_SIZE_GROUP, IDC_AREA_FL_INVERT, IDC_AREA_GLASS_LABEL})
      texts.push_back(ItemText(dialog, id));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  Command(cmd::kAreaOptions);
  DialogDriver::Disarm();
  EXPECT_EQ(texts, (std::vector<std::string>{"Start unit", "Size unit", "FL mask reverses colours", "Glass box"}));
}

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
      case 14:
        if (pick(0, 9) == 0) Command(pick(0, 1) ? cmd::kZoomIn : cmd::kZoomOut);
        break;
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
