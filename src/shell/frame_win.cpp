#include "shell/frame_win.h"

#include <shellapi.h>

#include "doc/title_table.h"
#include "platform/dpi_win.h"
#include "platform/wide_win.h"
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/resource_ids.h"
#include "shell/status_texts.h"
#include "shell/toolbar_texts.h"
#include "view/quick_zoom_win.h"

namespace veilo {

namespace {

HWND CreateStatic(HWND parent, HINSTANCE instance, DWORD style, int id) {
  return CreateWindowExW(0, L"static", L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void Place(HWND window, const ChildRect& r) { MoveWindow(window, r.x, r.y, r.width, r.height, TRUE); }

// The message font at a DPI (the system's default GUI font for panes and tips).
HFONT CreateGuiFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto forDpi = reinterpret_cast<ForDpiFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
  if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)))
    return CreateFontIndirectW(&metrics.lfMessageFont);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, WindowDpi(nullptr));
    return CreateFontIndirectW(&metrics.lfMessageFont);
  }
  return nullptr;
}

}  // namespace

bool FrameWindow::RegisterClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, kFrameClass, Window::Router, CS_OWNDC,
                             LoadIconW(instance, MAKEINTRESOURCEW(IDI_FRAME)), LoadCursorW(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INACTIVEBORDER + 1)));
}

HWND FrameWindow::Create(const ChildRect& placement) {
  return CreateWindowExW(0, kFrameClass, Wide(kFrameTitle).c_str(), WS_VISIBLE | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW,
                         placement.x, placement.y, placement.width, placement.height, nullptr,
                         app_.frameMenu.get(), app_.instance, this);
}

LRESULT FrameWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_SIZE: return OnSize(LOWORD(lp), HIWORD(lp));  // the frame places the MDI client itself
    case WM_TIMER: return OnTimer(wp);
    case WM_COMMAND: return OnCommand(wp, lp);
    case WM_DROPFILES: return OnDropFiles(reinterpret_cast<HDROP>(wp));
    case WM_INITMENU: return OnInitMenu();
    case WM_INITMENUPOPUP: return OnInitMenu();
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), wp, lp);
    case WM_DRAWITEM: return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    case WM_SYSCOMMAND: return OnSysCommand(wp, lp);
    case WM_DPICHANGED: return OnDpiChanged(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
    case WM_SYSCOLORCHANGE: return OnSysColorChange();
    case WM_DESTROY: return OnDestroy();
    default: return DefaultHandling(msg, wp, lp);
  }
}

LRESULT FrameWindow::DefaultHandling(UINT msg, WPARAM wp, LPARAM lp) {
  return DefFrameProcW(hwnd(), mdiClient_, msg, wp, lp);
}

LRESULT FrameWindow::OnCreate() {
  app_.frameWindow = hwnd();
  dpi_ = WindowDpi(hwnd());
  app_.dpi = dpi_;
  timerRunning_ = SetTimer(hwnd(), kFrameTimerId, kFrameTimerMs, nullptr) != 0;
  // The first tick, which opens the command line's files, comes as soon as the
  // frame is up rather than a whole period later.
  PostMessageW(hwnd(), WM_TIMER, kFrameTimerId, 0);
  font_.reset(CreateGuiFont(dpi_));
  MeasureFont();

  CLIENTCREATESTRUCT client{app_.frameWindowMenu, 1};
  mdiClient_ = CreateWindowExW(WS_EX_STATICEDGE, L"MDICLIENT", nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL, 0,
                               0, 0, 0, hwnd(), nullptr, app_.instance, &client);
  app_.mdiClient = mdiClient_;
  topLine_ = CreateStatic(hwnd(), app_.instance, SS_ETCHEDHORZ, 0);
  strip_ = CreateStatic(hwnd(), app_.instance, 0, 30);
  blackLine_ = CreateStatic(hwnd(), app_.instance, SS_BLACKRECT, 0);
  if (!mdiClient_ || !panes_.Create(hwnd(), app_.instance) || !toolbar_.Create(hwnd(), app_.instance) ||
      !tip_.Create(hwnd(), app_.instance))
    return -1;
  panes_.SetFont(font_.get());
  tip_.SetFont(font_.get());
  toolbar_.LoadPictures(app_.instance, dpi_);
  DragAcceptFiles(hwnd(), TRUE);
  RefreshControls();
  OpenQuickZoom(app_);
  return 0;
}

void FrameWindow::MeasureFont() {
  ClientDc dc(hwnd());
  SelectGuard selected(dc.get(), font_.get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  app_.font = {metrics.tmAveCharWidth, metrics.tmHeight + metrics.tmExternalLeading};
}

LRESULT FrameWindow::OnSize(int, int) {
  LayoutChildren();
  return 0;
}

void FrameWindow::LayoutChildren() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const FrameLayout layout = ComputeFrameLayout(client.right, client.bottom, app_.font, dpi_);
  Place(mdiClient_, layout.mdiClient);
  Place(topLine_, layout.topLine);
  Place(strip_, layout.toolbarStrip);
  Place(blackLine_, layout.blackLine);
  panes_.Layout(layout);
  toolbar_.Layout(layout);
}

LRESULT FrameWindow::OnTimer(UINT_PTR id) {
  if (id != kFrameTimerId) return 0;
  if (app_.quitAfterSlideShow) {
    PostMessageW(hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  if (app_.activeDocWindow) SendMessageW(app_.activeDocWindow, WM_TIMER, kFrameTimerId, 0);
  const TipStep step = TipOnTick(tips_, app_.macro.macroRecording != 0);
  tips_ = step.next;
  ApplyTipEffects(step.effects);
  if (!app_.commandLineDone) ProcessCommandLine();
  return 0;
}

void FrameWindow::TrackTip(const MSG& msg) {
  if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE && msg.message != WM_LBUTTONDOWN) return;
  PointerInput input;
  input.row = toolbar_.RowOf(msg.hwnd);
  input.isMove = msg.message != WM_LBUTTONDOWN;
  input.recording = app_.macro.macroRecording != 0;
  input.timerRunning = timerRunning_;
  const TipStep step = TipOnPointer(tips_, input);
  tips_ = step.next;
  ApplyTipEffects(step.effects);
}

void FrameWindow::ApplyTipEffects(const TipEffects& effects) {
  if (effects.hideTip) tip_.Hide();
  if (effects.showTipRow >= 0) {
    const int32_t row = effects.showTipRow;
    // The record-stop face has no window of its own: its tip goes above the record button.
    const HWND button = toolbar_.Button(row == kRecordStopRow ? kRecordRow : row);
    tip_.Show(ToolbarTipText(row, app_.language), button, dpi_);
  }
  if (effects.commentRow >= 0) panes_.ShowComment(ToolbarComment(effects.commentRow, app_.language));
  if (effects.restoreMessagePane) panes_.RestoreMessage();
}

LRESULT FrameWindow::OnDropFiles(HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    DragQueryFileW(drop, i, name.data(), length + 1);
    name.resize(length);
    // Handed on as the private command 1903 with the path in a movable block, as a drop always was.
    const std::string utf8 = Utf8(name);
    GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, utf8.size() + 1));
    if (!block) continue;
    {
      GlobalLockGuard<char> text(block.get());
      if (!text) continue;
      std::copy(utf8.begin(), utf8.end(), text.get());
    }
    SendMessageW(hwnd(), WM_COMMAND, cmd::kOpenDroppedPath, reinterpret_cast<LPARAM>(block.release()));
  }
  DragFinish(drop);
  return 0;
}

LRESULT FrameWindow::OnInitMenu() {
  RefreshControls();
  return 0;
}

LRESULT FrameWindow::OnCtlColorStatic(HDC dc, HWND control, WPARAM wp, LPARAM lp) {
  if (HBRUSH brush = tip_.ColourFor(control, dc)) return reinterpret_cast<LRESULT>(brush);
  return DefaultHandling(WM_CTLCOLORSTATIC, wp, lp);
}

LRESULT FrameWindow::OnDrawItem(const DRAWITEMSTRUCT* item) {
  return item && toolbar_.Draw(*item, app_.macro.macroRecording != 0, dpi_) ? TRUE : FALSE;
}

LRESULT FrameWindow::OnSysCommand(WPARAM wp, LPARAM lp) {
  if (LOWORD(wp) == cmd::kAbout) {
    OnAbout();
    return 0;
  }
  return DefaultHandling(WM_SYSCOMMAND, wp, lp);
}

LRESULT FrameWindow::OnDpiChanged(int dpi, const RECT* suggested) {
  dpi_ = dpi;
  app_.dpi = dpi;
  font_.reset(CreateGuiFont(dpi_));
  panes_.SetFont(font_.get());
  tip_.SetFont(font_.get());
  MeasureFont();
  toolbar_.LoadPictures(app_.instance, dpi_);
  if (suggested)
    SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutChildren();
  return 0;
}

LRESULT FrameWindow::OnSysColorChange() {
  toolbar_.LoadPictures(app_.instance, dpi_);
  return DefaultHandling(WM_SYSCOLORCHANGE, 0, 0);
}

LRESULT FrameWindow::OnDestroy() {
  SaveAppSettings(app_, hwnd());
  // The application owns both menus and destroys them itself.
  SetMenu(hwnd(), nullptr);
  if (timerRunning_) KillTimer(hwnd(), kFrameTimerId);
  timerRunning_ = false;
  PostQuitMessage(0);
  return 0;
}

UiSnapshot FrameWindow::Snapshot() const {
  UiSnapshot s;
  if (const DocumentWindow* doc = app_.ActiveDocument()) {
    const ImageDoc& d = doc->doc();
    s.hasDocument = true;
    s.areaSelected = d.areaSelected != 0;
    s.undoCount = d.undoCount();
    s.redoCount = d.redoCount();
    s.zoomPercent = d.zoomPercent;
  }
  s.macroCount = app_.macro.macroCount;
  s.recording = app_.macro.macroRecording != 0;
  s.clipboardHasBitmap = IsClipboardFormatAvailable(CF_BITMAP) != 0;
  s.quickZoomShown = QuickZoomShown(app_);
  return s;
}

void FrameWindow::RefreshControls() {
  const ControlStates states = ComputeControlStates(Snapshot());
  for (HMENU menu : {app_.frameMenu.get(), app_.docMenu.get()}) {
    if (!menu) continue;
    for (const MenuItemState& item : states.menuItems) {
      EnableMenuItem(menu, item.id, MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
      CheckMenuItem(menu, item.id, MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
    }
  }
  toolbar_.Apply(states);
}

void FrameWindow::ShowZoom(int32_t zoomPercent) { panes_.SetZoomText(ZoomPaneText(zoomPercent)); }
void FrameWindow::ClearZoom() { panes_.SetZoomText(""); }
void FrameWindow::ShowArea(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  panes_.SetPositionText(AreaPaneText(x1, y1, x2, y2));
}
void FrameWindow::ShowPointer(int32_t x, int32_t y) { panes_.SetPositionText(PointerPaneText(x, y)); }
void FrameWindow::ClearPosition() { panes_.SetPositionText(""); }

void FrameWindow::ShowMaximisedCaption(std::string_view document) {
  // Past the MDI frame procedure, which would keep the text as the frame's
  // own title. The caption bar alone is repainted, with the next paint: the
  // default handling would repaint the whole frame at once, menu bar
  // included, before the new picture is shown.
  const std::wstring caption = Wide(MaximisedFrameCaption(kFrameTitle, document));
  SetTextWithoutCaptionPaint(hwnd(), caption.c_str());
  TITLEBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (!GetTitleBarInfo(hwnd(), &bar)) {
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    return;
  }
  POINT corners[2] = {{bar.rcTitleBar.left, bar.rcTitleBar.top}, {bar.rcTitleBar.right, bar.rcTitleBar.bottom}};
  MapWindowPoints(nullptr, hwnd(), corners, 2);  // the update rectangle is in client coordinates
  const RECT strip{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  RedrawWindow(hwnd(), &strip, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void FrameWindow::UseDocumentMenu(bool document) {
  HMENU menu = document ? app_.docMenu.get() : app_.frameMenu.get();
  HMENU windowMenu = document ? app_.docWindowMenu : app_.frameWindowMenu;
  SendMessageW(mdiClient_, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu), reinterpret_cast<LPARAM>(windowMenu));
  DrawMenuBar(hwnd());
  documentMenuShown_ = document;
  RefreshControls();
}

}  // namespace veilo
