#include "shell/twain_win.h"

#include <cstring>

#include "formats/dib_convert.h"
#include "platform/handles_win.h"
#include "shell/app_win.h"
#include "shell/frame_win.h"

namespace veilo {

namespace {

TwainLink& LinkOf(App& app) {
  if (!app.twain) app.twain = std::make_shared<TwainLink>(app);
  return *app.twain;
}

// A copy of the packed DIB in a transferred block; empty when it cannot be locked.
PackedDib CopyTransferredDib(HGLOBAL block) {
  const std::vector<uint8_t> bytes = GlobalBytes(block);
  if (bytes.empty()) return {};
  PackedDib copy = PackedDib::Allocate(bytes.size());
  if (copy.empty()) return {};
  std::memcpy(copy.data(), bytes.data(), bytes.size());
  return copy;
}

}  // namespace

TwainLink::TwainLink(App& app)
    : manager(app.instance, app.paths.windowsDir),
      windows(app),
      session(manager, windows, reinterpret_cast<WindowRef>(app.frameWindow)) {
  windows.Attach(session);
}

void SelectTwainSource(App& app) { LinkOf(app).session.SelectSource(); }

void AcquireFromTwain(App& app) { LinkOf(app).session.Acquire(); }

void TwainWindows::BeginWait() {
  dialog_ = CreateDialogParamW(app_.instance, L"TWAbort", app_.frameWindow, AbortProc,
                               reinterpret_cast<LPARAM>(this));
  EnableWindow(app_.frameWindow, FALSE);
  PumpMessagesOnce();
}

void TwainWindows::WaitForPictures(TwainSession& session) {
  while (!session.WaitDone()) {
    // Without its dialog nobody could end the wait: close what is open instead.
    if (!dialog_ || !IsWindow(dialog_)) {
      session.ClosePressed();
      break;
    }
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: let go of the source, and let the main loop see the quit too.
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      session.ClosePressed();
      break;
    }
    Handle(msg, true);
  }
}

void TwainWindows::EndWait() {
  if (dialog_ && IsWindow(dialog_)) DestroyWindow(dialog_);
  dialog_ = nullptr;
  if (!IsWindow(app_.frameWindow)) return;
  EnableWindow(app_.frameWindow, TRUE);
  SetFocus(app_.frameWindow);
  SetForegroundWindow(app_.frameWindow);
}

void TwainWindows::PumpMessagesOnce() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Handle(msg, false);
  }
}

void TwainWindows::Handle(MSG& msg, bool filter) {
  if (dialog_ && IsDialogMessageW(dialog_, &msg)) return;
  if (filter && session_ && session_->FilterMessage(&msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void TwainWindows::TellAbortDialog(TwainPicture picture) {
  if (dialog_ && IsWindow(dialog_)) {
    SendMessageW(dialog_, kTwainPictureMessage, static_cast<WPARAM>(picture), 0);
    return;
  }
  // No dialog to tell: the picture is still ours to free, and the wait has to end.
  if (session_) session_->PictureArrived(picture);
}

bool TwainWindows::MakeDocument(TwainPicture picture) {
  GlobalBlock transferred(reinterpret_cast<HGLOBAL>(picture));  // ours now: freed on every way out
  PackedDib dib = CopyTransferredDib(transferred.get());
  transferred.reset();
  if (dib.empty()) return false;
  PackedDib canonical = ConvertDibTo24(std::move(dib));
  if (canonical.empty() || !app_.frame) return false;
  return app_.frame->OpenScannedPicture(std::move(canonical)) != nullptr;
}

INT_PTR CALLBACK TwainWindows::AbortProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lp);
  auto* self = reinterpret_cast<TwainWindows*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!self) return FALSE;
  if (msg == WM_INITDIALOG) self->dialog_ = dialog;
  return self->OnAbortMessage(msg, wp, lp);
}

INT_PTR TwainWindows::OnAbortMessage(UINT msg, WPARAM wp, LPARAM) {
  if (!session_) return FALSE;
  switch (msg) {
    case WM_INITDIALOG: session_->AbortDialogCreated(); return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) != IDOK && LOWORD(wp) != IDCANCEL) return FALSE;
      session_->ClosePressed();
      return TRUE;
    case kTwainPictureMessage: session_->PictureArrived(static_cast<TwainPicture>(wp)); return TRUE;
    default: return FALSE;
  }
}

}  // namespace veilo
