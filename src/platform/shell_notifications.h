#pragma once
// What the portable core asks of the window system: repaint, update the
// command states, show a message, show the wait cursor. The Win32 shell
// implements it; tests use a recording fake. Every call has a do-nothing
// default so that a caller needing only a few of them stays small.
#include <cstdint>
#include <string_view>

namespace veilo {

struct ImageDoc;

struct WindowRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

class ShellNotifications {
 public:
  virtual ~ShellNotifications() = default;

  // Invalidate (with erase) and update this client rectangle of doc's window.
  virtual void InvalidateWindowRect(const ImageDoc& /*doc*/, const WindowRect& /*r*/) {}
  // Re-render the reduced overview copy and repaint the Quick Zoom window.
  virtual void RefreshOverview(ImageDoc& /*doc*/) {}
  // The picture changed size: apply doc.zoomPercent again (scroll ranges, repaint).
  virtual void ReapplyZoom(ImageDoc& /*doc*/) {}

  virtual void EnableUndo(bool /*on*/) {}
  virtual void EnableRedo(bool /*on*/) {}
  virtual void SetRecording(bool /*on*/) {}

  // The common error box: default beep, then "Error!" with the warning icon.
  virtual void ShowError(std::string_view /*utf8Text*/) {}
  // Text of the status bar's message pane (progress of long work).
  virtual void SetMessagePane(std::string_view /*utf8Text*/) {}

  virtual void BeginWait() {}
  virtual void EndWait() {}
};

// Shows the wait cursor for the lifetime of the guard.
class WaitCursor {
 public:
  explicit WaitCursor(ShellNotifications& shell) : shell_(shell) { shell_.BeginWait(); }
  ~WaitCursor() { shell_.EndWait(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  ShellNotifications& shell_;
};

}  // namespace veilo
