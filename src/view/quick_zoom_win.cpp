#include "view/quick_zoom_win.h"

#include <memory>

#include "platform/dialog_win.h"
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "shell/frame_win.h"
#include "view/quick_zoom.h"
#include "view/quick_zoom_window_win.h"

namespace veilo {

namespace {

// One Quick Zoom window per program; the box size outlives it, so that copies
// made while it is closed fit it when it opens again at the same size.
struct QuickZoomSlot {
  std::unique_ptr<QuickZoomWindow> window;
  int32_t lastBoxWidth = 0, lastBoxHeight = 0;
};

QuickZoomSlot& Slot() {
  static QuickZoomSlot slot;
  return slot;
}

QuickZoomWindow* Open() {
  QuickZoomWindow* w = Slot().window.get();
  return w && w->hwnd() ? w : nullptr;
}

// The window, when it shows this document.
QuickZoomWindow* ShowingDocument(const DocumentWindow& window) {
  QuickZoomWindow* w = Open();
  return w && w->state().shownWindow == reinterpret_cast<WindowRef>(window.hwnd()) ? w : nullptr;
}

}  // namespace

LRESULT QuickZoomWindow::OnDestroy() {
  Slot().lastBoxWidth = qz_.boxWidth;
  Slot().lastBoxHeight = qz_.boxHeight;
  return 0;
}

void QuickZoomWindow::OnFinalMessage() {
  // The menu item and the enabling snapshot see the window gone only once the object is.
  App& app = app_;
  Slot().window.reset();
  if (app.frame && IsWindow(app.frameWindow)) app.frame->RefreshControls();
}

bool RegisterQuickZoomClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, kQuickZoomClass, Window::Router, CS_HREDRAW | CS_VREDRAW, nullptr,
                             LoadCursorW(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
}

bool QuickZoomShown(const App& app) { return QuickZoomHandle(app) != nullptr; }

HWND QuickZoomHandle(const App&) {
  const QuickZoomWindow* w = Open();
  return w ? w->hwnd() : nullptr;
}

void OpenQuickZoom(App& app) {
  if (Open()) return;
  // In the slot before it exists: while it is made, the copies already take its box size.
  Slot().window = std::make_unique<QuickZoomWindow>(app);
  if (!Slot().window->Create()) Slot().window.reset();
}

void ToggleQuickZoom(App& app) {
  if (QuickZoomWindow* w = Open())
    DestroyWindow(w->hwnd());
  else
    OpenQuickZoom(app);
}

void QuickZoomShow(App&, DocumentWindow& window) {
  QuickZoomWindow* w = Open();
  if (!w) return;
  QuickZoomShowDocument(w->state(), reinterpret_cast<WindowRef>(window.hwnd()));
  w->SyncCaption();
  InvalidateRect(w->hwnd(), nullptr, TRUE);
}

void QuickZoomForget(App&, DocumentWindow& window) {
  QuickZoomWindow* w = Open();
  if (!w || !QuickZoomForgetDocument(w->state(), reinterpret_cast<WindowRef>(window.hwnd()))) return;
  SetWindowTextUtf8(w->hwnd(), kQuickZoomNoDocumentCaption);
  InvalidateRect(w->hwnd(), nullptr, TRUE);
}

void QuickZoomRefresh(App&, DocumentWindow& window) {
  QuickZoomWindow* w = ShowingDocument(window);
  if (!w) return;
  // The copy is redrawn whole; the outline is drawn again for it at once, so
  // that it does not vanish until the next scroll.
  QuickZoomForgetDrawing(w->state());
  InvalidateRect(w->hwnd(), nullptr, TRUE);
  window.NotifyVisibleRect();
}

void QuickZoomVisibleRect(App&, DocumentWindow& window, const PixelRect& visible) {
  if (QuickZoomWindow* w = ShowingDocument(window))
    w->Draw(QuickZoomShowVisibleRect(w->state(), window.doc(), visible));
}

void QuickZoomBoxSize(const App& app, int32_t& width, int32_t& height) {
  const QuickZoomSlot& slot = Slot();
  if (slot.window && slot.window->hwnd()) {
    width = slot.window->state().boxWidth;
    height = slot.window->state().boxHeight;
  } else if (slot.lastBoxWidth > 0 && slot.lastBoxHeight > 0) {
    width = slot.lastBoxWidth;
    height = slot.lastBoxHeight;
  } else {
    width = app.options.quickZoomWidth;
    height = app.options.quickZoomHeight;
  }
}

}  // namespace veilo
