#pragma once
// Scanning: TWAIN source selection (40049) and acquisition (40044, Ctrl+T).
// The acquisition shows the modeless TWAbort dialog, disables the frame and
// waits in a message loop of its own, in which the source's messages go
// through the manager's event filter; each transferred picture becomes a
// document "TWAIN%03d". Every failure is silent.
#include <windows.h>

#include <memory>

#include "shell/twain_manager_win.h"
#include "tools/twain_session.h"

namespace veilo {

struct App;

// TWAbort's private message: the transferred picture's handle in wParam (0 when the
// acquisition ended without one).
inline constexpr UINT kTwainPictureMessage = WM_USER + 10;

// The windows around an acquisition: TWAbort, the wait, the documents.
class TwainWindows : public TwainHost {
 public:
  explicit TwainWindows(App& app) : app_(app) {}
  void Attach(TwainSession& session) { session_ = &session; }

  void BeginWait() override;
  void WaitForPictures(TwainSession& session) override;
  void EndWait() override;
  void PumpMessagesOnce() override;
  void TellAbortDialog(TwainPicture picture) override;
  bool MakeDocument(TwainPicture picture) override;

  HWND abortDialog() const { return dialog_; }

 private:
  static INT_PTR CALLBACK AbortProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR OnAbortMessage(UINT msg, WPARAM wp, LPARAM lp);
  // One message of the wait; the event filter only when `filter`.
  void Handle(MSG& msg, bool filter);

  App& app_;
  TwainSession* session_ = nullptr;
  HWND dialog_ = nullptr;
};

// The manager, the windows and the session of a run, made by the first TWAIN command.
struct TwainLink {
  explicit TwainLink(App& app);
  TwainManager manager;
  TwainWindows windows;
  TwainSession session;
};

void SelectTwainSource(App& app);
void AcquireFromTwain(App& app);

}  // namespace veilo
