#include "shell/doc_window_win.h"

#include <algorithm>

#include "formats/image_files.h"
#include "platform/dialog_win.h"
#include "platform/wide_win.h"
#include "platform/window_win.h"
#include "shell/app_win.h"
#include "shell/frame_win.h"
#include "shell/message_box_win.h"
#include "shell/slide_window_win.h"
#include "shell/texts.h"
#include "view/paint_win.h"
#include "view/quick_zoom_win.h"
#include "view/selection_win.h"
#include "view/spoit_win.h"
#include "view/scrolling.h"
#include "view/zoom.h"

namespace veilo {

DocShell::DocShell(App& app, DocumentWindow& window) : AppShell(app, nullptr), window_(window) {}

void DocShell::InvalidateWindowRect(const ImageDoc&, const WindowRect& r) {
  const RECT rect{r.left, r.top, r.right, r.bottom};
  InvalidateRect(window_.hwnd(), &rect, TRUE);
  UpdateWindow(window_.hwnd());
}

void DocShell::RefreshOverview(ImageDoc&) {
  window_.RebuildThumbnail();
  QuickZoomRefresh(app_, window_);
}

void DocShell::ReapplyZoom(ImageDoc& doc) { window_.ApplyZoom(doc.zoomPercent); }

HWND DocShell::Owner() const { return window_.hwnd(); }

DocumentWindow::DocumentWindow(App& app, std::unique_ptr<ImageDoc> doc, std::string name)
    : app_(app),
      doc_(std::move(doc)),
      name_(std::move(name)),
      shell_(app, *this),
      // The reading thread only tells the window; the window takes the pictures on its own thread.
      readAhead_([this] { PostMessageW(hwnd(), kReadAheadMessage, 0, 0); }) {}

bool DocumentWindow::RegisterClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, kDocumentClass, Window::MdiChildRouter, CS_OWNDC | CS_DBLCLKS, nullptr, nullptr,
                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INACTIVEBORDER + 1)));
}

LRESULT DocumentWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_DESTROY: return OnDestroy();
    case WM_SIZE: return OnSize(wp, lp);
    case WM_PAINT: return OnPaint();
    case WM_ERASEBKGND: return OnEraseBackground(reinterpret_cast<HDC>(wp));
    case WM_CLOSE: return OnClose();
    case WM_SETTEXT: return OnSetText(wp, lp);
    case WM_MDIACTIVATE: return OnMdiActivate(reinterpret_cast<HWND>(lp));
    case WM_TIMER: return OnTimer();
    case WM_HSCROLL: return OnScroll(msg, wp);
    case WM_VSCROLL: return OnScroll(msg, wp);
    case WM_MOUSEWHEEL: return OnMouseWheel(wp, lp);
    case WM_KEYDOWN: return OnKeyDown(wp, lp);
    case WM_KEYUP: return OnKeyUp(wp, lp);
    case WM_COMMAND: return OnCommand(wp, lp);
    case WM_KILLFOCUS: EndAutoScroll(app_, *this); return DefaultHandling(msg, wp, lp);
    case WM_MOUSEMOVE: return OnMouse(msg, wp, lp);
    case WM_LBUTTONDOWN: return OnMouse(msg, wp, lp);
    case WM_LBUTTONUP: return OnMouse(msg, wp, lp);
    case WM_LBUTTONDBLCLK: return OnMouse(msg, wp, lp);
    case WM_RBUTTONDOWN: return OnMouse(msg, wp, lp);
    case WM_MBUTTONDOWN: return OnMouse(msg, wp, lp);
    case WM_NCMOUSEMOVE: return OnMouse(msg, wp, lp);
    case WM_NCLBUTTONUP: return OnMouse(msg, wp, lp);
    case WM_CAPTURECHANGED: return OnMouse(msg, wp, lp);
    case kReadAheadMessage: readAhead_.Collect(); return 0;
    default: return DefaultHandling(msg, wp, lp);
  }
}

LRESULT DocumentWindow::OnCreate() {
  RECT client{};
  if (!GetClientRect(hwnd(), &client)) {
    ShowStartupError(hwnd(), "Failed in GetClientRect!");
    return -1;
  }
  ImageDoc& d = *doc_;
  d.createRect = {client.left, client.top, client.right, client.bottom};
  d.clientWidth = client.right;
  d.clientHeight = client.bottom;
  d.vScrollPos = d.hScrollPos = 0;
  d.docWindow = reinterpret_cast<WindowRef>(hwnd());
  d.zoomPercent = 100;
  RegisterTitle();
  if (app_.frame) app_.frame->ShowZoom(d.zoomPercent);
  RebuildThumbnail();
  ApplyScrollBars();
  SetFocus(hwnd());
  return 0;
}

void DocumentWindow::RegisterTitle() {
  const std::optional<TitleRegistration> registration =
      app_.titles.Register(name_, reinterpret_cast<WindowRef>(hwnd()));
  if (!registration) return;  // refused before the window was made; cannot happen here
  doc_->titleSerial = registration->serial;
  doc_->title = registration->caption;
  SetWindowTextUtf8(hwnd(), registration->caption);
  for (const CaptionUpdate& update : registration->updates)
    SetWindowTextUtf8(reinterpret_cast<HWND>(update.window), update.caption);
}

// While maximised, the document's caption also shows in the frame's. The
// MDI child procedure puts it there by recalculating and repainting the
// whole frame, and repaints the window's own hidden caption, on every change
// of picture; setting the two texts here repaints the frame's caption bar
// alone.
LRESULT DocumentWindow::OnSetText(WPARAM wp, LPARAM lp) {
  if (!app_.frame || !IsZoomed(hwnd())) return DefaultHandling(WM_SETTEXT, wp, lp);
  // The maximised window's own caption is out of sight: nothing to repaint.
  const auto* text = reinterpret_cast<const wchar_t*>(lp);
  const LRESULT result = SetTextWithoutCaptionPaint(hwnd(), text);
  app_.frame->ShowMaximisedCaption(text ? Utf8(text) : std::string());
  // The Window menu lists the documents by caption.
  SendMessageW(app_.mdiClient, WM_MDIREFRESHMENU, 0, 0);
  return result;
}

void DocumentWindow::ReleaseTitle() {
  for (const CaptionUpdate& update : app_.titles.Release(doc_->titleSerial))
    SetWindowTextUtf8(reinterpret_cast<HWND>(update.window), update.caption);
  doc_->titleSerial = 0;
}

LRESULT DocumentWindow::OnDestroy() {
  readAhead_.Stop();  // waits for a read under way, then lets every picture read ahead go
  EndSelectionMouse(app_, *this);
  SpoitForgetPicture(*doc_);
  // Also when the window goes without WM_CLOSE (WM_MDIDESTROY, the frame closing).
  QuickZoomForget(app_, *this);
  ForgetDocument(app_.detection, *doc_);
  // A paused slide show does not outlive a document window: the next start asks for a folder.
  ForgetSlideList(app_);
  ReleaseTitle();
  return 0;
}

void DocumentWindow::OnFinalMessage() {
  // The last thing this object does: the application lets it go.
  std::erase_if(app_.documents, [this](const std::unique_ptr<DocumentWindow>& d) { return d.get() == this; });
}

LRESULT DocumentWindow::OnClose() {
  if (app_.frame) {
    app_.frame->UseDocumentMenu(false);
    app_.frame->ClearZoom();
  }
  if (app_.activeDocWindow == hwnd()) app_.activeDocWindow = nullptr;
  QuickZoomForget(app_, *this);
  const LRESULT result = DefaultHandling(WM_CLOSE, 0, 0);
  if (app_.frame) {
    app_.frame->ClearPosition();
    app_.frame->RefreshControls();
  }
  return result;
}

LRESULT DocumentWindow::OnMdiActivate(HWND activated) {
  if (activated == hwnd()) {
    app_.activeDocWindow = hwnd();
    QuickZoomShow(app_, *this);
    if (app_.frame) {
      app_.frame->UseDocumentMenu(true);
      app_.frame->ShowZoom(doc_->zoomPercent);
      if (doc_->areaSelected)
        app_.frame->ShowArea(doc_->areaX1, doc_->areaY1, doc_->areaX2, doc_->areaY2);
      else
        app_.frame->ClearPosition();
    }
    NotifyVisibleRect();
  }
  return DefaultHandling(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd()), reinterpret_cast<LPARAM>(activated));
}

LRESULT DocumentWindow::OnSize(WPARAM wp, LPARAM lp) {
  if (wp != SIZE_MINIMIZED) {
    const ResizeEffects effects = OnDocumentResize(*doc_, LOWORD(lp), HIWORD(lp));
    ApplyScrollBars();
    if (effects.invalidateWithErase) InvalidateRect(hwnd(), nullptr, TRUE);
    if (effects.invalidateWithoutErase) InvalidateRect(hwnd(), nullptr, FALSE);
    NotifyVisibleRect();
  }
  return DefaultHandling(WM_SIZE, wp, lp);
}

LRESULT DocumentWindow::OnPaint() {
  PaintDc paint(hwnd());
  if (!IsIconic(hwnd())) PaintDocument(paint, *doc_, hwnd());
  return 0;
}

// The background is filled by the paint itself, around the picture only, so a
// repaint never flashes the class colour over the old picture.
LRESULT DocumentWindow::OnEraseBackground(HDC) { return 0; }

LRESULT DocumentWindow::OnTimer() {
  AutoScrollTick(app_, *this);
  return 0;
}

LRESULT DocumentWindow::OnScroll(UINT msg, WPARAM wp) {
  const ScrollBarKind bar = msg == WM_HSCROLL ? ScrollBarKind::kHorizontal : ScrollBarKind::kVertical;
  // The thumb's position in full: the message's 16 bits wrap on long zoomed pictures.
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(hwnd(), msg == WM_HSCROLL ? SB_HORZ : SB_VERT, &info);
  Scroll(bar, LOWORD(wp), info.nTrackPos);
  return 0;
}

void DocumentWindow::Scroll(ScrollBarKind bar, int32_t scrollCode, int32_t thumbPosition) {
  EndAutoScroll(app_, *this);
  const ScrollMove move = ScrollDocument(*doc_, bar, scrollCode, thumbPosition);
  ApplyScrollMove(hwnd(), bar, move);
  if (move.moved) NotifyVisibleRect();
}

LRESULT DocumentWindow::OnMouseWheel(WPARAM wp, LPARAM) {
  EndAutoScroll(app_, *this);
  const ScrollMove move = WheelScroll(*doc_, static_cast<int16_t>(HIWORD(wp)));
  ApplyScrollMove(hwnd(), ScrollBarKind::kVertical, move);
  if (move.moved) NotifyVisibleRect();
  return 0;
}

LRESULT DocumentWindow::OnKeyDown(WPARAM wp, LPARAM lp) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (wp) {
    case VK_SHIFT: SelectionShiftKey(app_, *this, true); return 0;
    case VK_SPACE: StepInFolder(shift, GetKeyState(VK_CONTROL) < 0); return 0;
    case VK_PRIOR: SendMessageW(hwnd(), WM_VSCROLL, SB_PAGEUP, 0); return 0;
    case VK_NEXT: SendMessageW(hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0); return 0;
    case VK_HOME: SendMessageW(hwnd(), WM_VSCROLL, SB_TOP, 0); return 0;
    case VK_END: SendMessageW(hwnd(), WM_VSCROLL, SB_BOTTOM, 0); return 0;
    case VK_LEFT: SendMessageW(hwnd(), WM_HSCROLL, SB_LINELEFT, 0); return 0;
    case VK_RIGHT: SendMessageW(hwnd(), WM_HSCROLL, SB_LINERIGHT, 0); return 0;
    case VK_UP: SendMessageW(hwnd(), WM_VSCROLL, SB_LINEUP, 0); return 0;
    case VK_DOWN: SendMessageW(hwnd(), WM_VSCROLL, SB_LINEDOWN, 0); return 0;
    case VK_DELETE: DeleteFile(); return 0;
    default: return DefaultHandling(WM_KEYDOWN, wp, lp);
  }
}

LRESULT DocumentWindow::OnKeyUp(WPARAM wp, LPARAM lp) {
  if (wp == VK_SHIFT) {
    SelectionShiftKey(app_, *this, false);
    return 0;
  }
  return DefaultHandling(WM_KEYUP, wp, lp);
}

LRESULT DocumentWindow::OnMouse(UINT msg, WPARAM wp, LPARAM lp) {
  if (RouteMouseToSelection(app_, *this, msg, wp, lp)) return 0;
  return DefaultHandling(msg, wp, lp);
}

void DocumentWindow::ApplyScrollBars(bool redraw) {
  ImageDoc& d = *doc_;
  SetScrollRange(hwnd(), SB_VERT, 0, d.vScrollMax, FALSE);
  SetScrollPos(hwnd(), SB_VERT, d.vScrollPos, redraw);
  SetScrollRange(hwnd(), SB_HORZ, 0, d.hScrollMax, FALSE);
  SetScrollPos(hwnd(), SB_HORZ, d.hScrollPos, redraw);
}

void DocumentWindow::UpdateRanges(bool redrawBars) {
  UpdateScrollRanges(*doc_);
  ApplyScrollBars(redrawBars);
  NotifyVisibleRect();
}

void DocumentWindow::ApplyZoom(int32_t zoomPercent) {
  SetZoom(*doc_, zoomPercent);
  ApplyScrollBars();
  NotifyVisibleRect();
  InvalidateRect(hwnd(), nullptr, TRUE);
  UpdateWindow(hwnd());
  if (app_.frame) {
    app_.frame->ShowZoom(doc_->zoomPercent);
    app_.frame->RefreshControls();
  }
}

void DocumentWindow::NotifyVisibleRect() { QuickZoomVisibleRect(app_, *this, VisibleRect(*doc_)); }

bool CanOpenAnotherDocument(App& app, HWND owner) {
  if (app.titles.UsedCount() < TitleTable::kCapacity) return true;
  ReportErrorBox(owner, Text(TextId::TooManyDocuments, app.language));
  return false;
}

}  // namespace veilo
