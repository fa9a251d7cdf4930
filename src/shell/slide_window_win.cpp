#include "shell/slide_window_win.h"

#include <windowsx.h>

#include <memory>
#include <utility>

#include "doc/image_doc.h"
#include "doc/packed_dib.h"
#include "formats/image_dispatch.h"
#include "platform/file_io.h"
#include "platform/handles_win.h"
#include "platform/memory_status.h"
#include "platform/wide_win.h"
#include "platform/window_win.h"
#include "shell/app_shell_win.h"
#include "shell/app_win.h"
#include "shell/command_line.h"
#include "shell/frame_win.h"
#include "shell/message_box_win.h"
#include "shell/texts.h"
#include "tools/slide_fit.h"
#include "tools/read_ahead.h"
#include "tools/slide_show.h"

namespace veilo {

namespace {

HWND g_running = nullptr;

void ReleaseSlideList(App& app) {
  app.slideList.clear();
  app.slidePaused.reset();
  StartAnew(app.slide);
}

class SlideWindow : public Window {
 public:
  explicit SlideWindow(App& app)
      : app_(app),
        shell_(app, app.frameWindow),
        readAhead_([this] { PostMessageW(hwnd(), kReadAheadMessage, 0, 0); }) {}
  const ImageDoc* picture() const { return picture_.get(); }
  const ReadAhead& readAhead() const { return readAhead_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  int32_t Count() const { return static_cast<int32_t>(app_.slideList.size()); }
  void Apply(const SlideAction& action);
  void LoadSlide();
  LoadOptions SlideLoadOptions() const;
  void ReadAheadAround(int32_t index);
  void Paint();
  void OnCreate();
  void OnKey(std::optional<SlideKey> key);
  void OnMouseMove(LPARAM lp);
  LRESULT OnSetCursor(WPARAM wp, LPARAM lp);

  App& app_;
  AppShell shell_;  // reader errors other than GIF's and JPEG's go to boxes owned by the frame
  std::shared_ptr<const ImageDoc> picture_;
  std::optional<HiddenCursorGuard> hiddenCursor_;  // a screen saver shows no pointer
  // The slides around the one on screen, read while it is shown; the way the
  // show went last (from the index shown before) decides which one comes first.
  ReadAhead readAhead_;
  int32_t shownIndex_ = -1;
};

void SlideWindow::OnCreate() {
  g_running = hwnd();
  EnableWindow(app_.frameWindow, FALSE);
  const SlideAction created =
      SlideWindowCreated(app_.slide, Count(), app_.tickCount(), app_.options.slideSeconds);
  if (app_.slide.screenSaver) {
    POINT at{};
    GetCursorPos(&at);
    SlidePointerAt(app_.slide, {at.x, at.y});
    hiddenCursor_.emplace();
  }
  // A fresh start shows its first picture now; a resumed one has the paused picture back.
  if (!created.restorePausedPicture) LoadSlide();
  Apply(created);
}

LRESULT SlideWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE:
      // Anything that restores the window puts it back over the whole screen.
      if (wp != SIZE_MINIMIZED && wp != SIZE_MAXIMIZED) ShowWindow(hwnd(), SW_SHOWMAXIMIZED);
      InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills the border around the picture itself
    case WM_PAINT: Paint(); return 0;
    case WM_TIMER:
      if (wp == kSlideTimerId) Apply(SlideTimerTick(app_.slide, Count()));
      return 0;
    case WM_KEYDOWN: OnKey(SlideKeyForVirtualKey(static_cast<uint32_t>(wp))); return 0;
    case WM_CHAR: OnKey(SlideKeyForCharacter(static_cast<uint32_t>(wp))); return 0;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case kReadAheadMessage: readAhead_.Collect(); return 0;
    case WM_SETCURSOR: return OnSetCursor(wp, lp);
    case WM_MOUSEMOVE: OnMouseMove(lp); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: Apply(SlideMouseInput(app_.slide, app_.tickCount())); return 0;
    case WM_DESTROY:
      readAhead_.Stop();
      Apply(SlideWindowDestroyed(app_.slide));
      hiddenCursor_.reset();
      if (g_running == hwnd()) g_running = nullptr;
      EnableWindow(app_.frameWindow, TRUE);
      if (IsWindow(app_.frameWindow)) SetForegroundWindow(app_.frameWindow);
      return 0;
    default: return DefaultHandling(msg, wp, lp);
  }
}

void SlideWindow::OnKey(std::optional<SlideKey> key) {
  if (key) Apply(SlideKeyPressed(app_.slide, *key, Count()));
}

// Moves are compared in screen pixels, where the pointer's place at the start was taken.
void SlideWindow::OnMouseMove(LPARAM lp) {
  POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  ClientToScreen(hwnd(), &at);
  Apply(SlideMouseMoved(app_.slide, app_.tickCount(), {at.x, at.y}));
}

LRESULT SlideWindow::OnSetCursor(WPARAM wp, LPARAM lp) {
  if (!app_.slide.screenSaver || LOWORD(lp) != HTCLIENT) return DefaultHandling(WM_SETCURSOR, wp, lp);
  SetCursor(nullptr);
  return TRUE;
}

// Loads the next picture before the one on screen is let go, so that the screen never goes
// black between two pictures; a picture that cannot be read leaves the screen black.
void SlideWindow::LoadSlide() {
  const int32_t index = app_.slide.slideIndex;
  if (index < 0 || index >= Count()) return;
  const std::string& path = app_.slideList[static_cast<size_t>(index)].path;
  const LoadOptions options = SlideLoadOptions();
  std::shared_ptr<ImageDoc> next = readAhead_.Take(path, options);
  if (!next) {
    next = std::make_shared<ImageDoc>();
    next->path = path;
    if (LoadImageFile(shell_, *next, options) != 0 || !next->HasPicture()) {
      next = std::make_shared<ImageDoc>();
      next->path = path;
    }
  }
  picture_ = std::move(next);
  InvalidateRect(hwnd(), nullptr, FALSE);
  ReadAheadAround(index);
}

LoadOptions SlideWindow::SlideLoadOptions() const {
  LoadOptions options = DocumentLoadOptions(app_);
  options.showLibraryMessages = false;
  options.mismatchedContent = MismatchedContent::kIgnore;  // a slide asks and explains nothing
  return options;
}

void SlideWindow::ReadAheadAround(int32_t index) {
  const bool backwards = SlideWentBack(static_cast<size_t>(Count()), shownIndex_, static_cast<size_t>(index));
  shownIndex_ = index;
  const uint32_t width = picture_ ? static_cast<uint32_t>(picture_->width) : 0;
  const uint32_t height = picture_ ? static_cast<uint32_t>(picture_->height) : 0;
  readAhead_.Follow(PlanSlideReadAhead(app_.slideList, static_cast<size_t>(index), backwards), SlideLoadOptions(),
                    width, height, AvailableMemoryBytes());
}

void SlideWindow::Apply(const SlideAction& action) {
  if (action.restorePausedPicture) {
    picture_ = app_.slidePaused;
    InvalidateRect(hwnd(), nullptr, FALSE);
    if (app_.slide.slideIndex >= 0 && app_.slide.slideIndex < Count()) ReadAheadAround(app_.slide.slideIndex);
  }
  if (action.showPicture) LoadSlide();
  if (action.timer == SlideTimer::kStart)
    SetTimer(hwnd(), kSlideTimerId, static_cast<UINT>(EffectiveSlideInterval(app_.slide.intervalMs)),
             nullptr);
  else if (action.timer == SlideTimer::kStop)
    KillTimer(hwnd(), kSlideTimerId);
  if (action.openAsDocument && picture_ && !picture_->path.empty() && app_.frame) {
    // The document opens behind the show, which goes on.
    const std::string path = picture_->path;
    app_.frame->OpenFile(path, false);  // no question over the show
    if (IsWindow(hwnd())) {
      SetForegroundWindow(hwnd());
      SetFocus(hwnd());
    }
  }
  if (action.showOptionsDialog) {
    ShowSlideOptions(app_, hwnd(), app_.slide);
    InvalidateRect(hwnd(), nullptr, FALSE);  // the info line may have been switched
    Apply(SlideDialogEnded(app_.slide));
  }
  if (action.showHelpDialog) {
    ShowSlideHelp(app_, hwnd());
    Apply(SlideDialogEnded(app_.slide));
  }
  if (action.keepPausedPicture) app_.slidePaused = picture_;
  if (action.releaseList) ReleaseSlideList(app_);
  if (action.endProgram) app_.quitAfterSlideShow = true;
  if (action.destroyWindow || action.endProgram) DestroyWindow(hwnd());
}

void SlideWindow::Paint() {
  PaintDc paint(hwnd());
  RECT client{};
  GetClientRect(hwnd(), &client);
  const HDC dc = paint.get();
  const ImageDoc* shown = picture_ && picture_->HasPicture() ? picture_.get() : nullptr;
  std::optional<FitRect> fit;
  if (shown) fit = FitPicture(shown->width, shown->height, client.right, client.bottom);
  if (fit) {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, fit->x, fit->y, fit->width, fit->height, 0, 0, shown->width, shown->height,
                  DibPixelStart(shown->dib.data()), reinterpret_cast<const BITMAPINFO*>(shown->dib.data()),
                  DIB_RGB_COLORS, SRCCOPY);
    // Only the border around the picture is painted black: the picture is never wiped first.
    ExcludeClipRect(dc, fit->x, fit->y, fit->x + fit->width, fit->y + fit->height);
  }
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectClipRgn(dc, nullptr);
  if (shown && app_.slide.showInfo) {
    const std::wstring info = Wide(SlideInfoText(shown->path, shown->width, shown->height));
    SelectGuard font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT line = client;
    DrawTextW(dc, info.c_str(), static_cast<int>(info.size()), &line,
              DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
  }
}

// Shows the list now in app.slideList, running the window's own message loop until it is gone.
// A show from the menu belongs to the frame; one from a command line or a drop has no owner, so
// that it shows also while the frame stays minimised (the screen saver's frame does). A screen
// saver stays above every other window.
void RunSlideWindow(App& app, HWND owner) {
  if (g_running) return;  // one show at a time
  SlideWindow window(app);
  const DWORD exStyle = app.slide.screenSaver ? WS_EX_TOPMOST : 0;
  const HWND hwnd = CreateWindowExW(exStyle, kSlideClass, L"SLIDE", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, app.instance, &window);
  if (!hwnd) {
    EnableWindow(app.frameWindow, TRUE);
    return;
  }
  ShowWindow(hwnd, SW_SHOWMAXIMIZED);
  SetForegroundWindow(hwnd);
  SetFocus(hwnd);
  MSG msg{};
  while (IsWindow(hwnd)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // A quit meant for the program: end the show and hand it on to the outer loop.
      DestroyWindow(hwnd);
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) {
      DestroyWindow(hwnd);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void ReportNoPictures(App& app) {
  ReportErrorBox(app.frameWindow, Text(TextId::SlideNoPictures, app.language));
}

SlideStartOutcome RunSlideList(App& app, std::optional<SlideList> list) {
  if (!list) return SlideStartOutcome::kNothingNamed;
  if (list->empty()) return SlideStartOutcome::kNoPictures;
  app.slideList = std::move(*list);
  RunSlideWindow(app, nullptr);
  return SlideStartOutcome::kShown;
}

void FollowUp(App& app, SlideStartOutcome outcome) {
  const SlideStartFollowUp next = AfterSlideStart(outcome, app.slide.screenSaver);
  if (next.reportNoPictures) ReportNoPictures(app);
  if (next.endProgram) app.quitAfterSlideShow = true;
}

}  // namespace

bool RegisterSlideClass(HINSTANCE instance) {
  const auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  return RegisterWindowClass(instance, kSlideClass, Window::Router, 0, nullptr, arrow, black);
}

HWND RunningSlideWindow() { return g_running; }

const ReadAhead* RunningSlideReadAhead() {
  const auto* window = g_running ? static_cast<const SlideWindow*>(Window::FromHandle(g_running)) : nullptr;
  return window ? &window->readAhead() : nullptr;
}

std::string SlidePicturePath() {
  if (!g_running) return {};
  const auto* window = static_cast<const SlideWindow*>(Window::FromHandle(g_running));
  const ImageDoc* picture = window ? window->picture() : nullptr;
  return picture && picture->HasPicture() ? picture->path : std::string{};
}

void ForgetSlideList(App& app) {
  if (g_running) return;  // the running show keeps its list; it is let go when the show ends by Esc
  ReleaseSlideList(app);
}

void StartSlideShowFromMenu(App& app) {
  if (g_running) return;
  const bool pausedFileExists = app.slidePaused && FileExists(app.slidePaused->path);
  if (!ResumeOrStartAnew(app.slide, static_cast<int32_t>(app.slideList.size()), pausedFileExists)) {
    ForgetSlideList(app);
    const std::optional<std::string> folder = ChooseSlideFolder(app, app.frameWindow);
    if (!folder) return;
    app.slideList = BuildSlideListFromFolder(*folder, app.slide.includeSubfolders);
    if (app.slideList.empty()) {
      ReportNoPictures(app);
      return;
    }
  }
  RunSlideWindow(app, app.frameWindow);
}

void StartSlideShowFromCommandLine(App& app, std::string_view commandLine) {
  if (g_running) return FollowUp(app, SlideStartOutcome::kAlreadyRunning);
  ForgetSlideList(app);
  FollowUp(app, RunSlideList(app, BuildSlideListFromArguments(SplitArguments(commandLine),
                                                              app.slide.includeSubfolders)));
}

void StartSlideShowFromFolder(App& app, const std::string& folder) {
  if (g_running) return FollowUp(app, SlideStartOutcome::kAlreadyRunning);
  ForgetSlideList(app);
  FollowUp(app, RunSlideList(app, BuildSlideListFromFolder(folder, app.slide.includeSubfolders)));
}

}  // namespace veilo
