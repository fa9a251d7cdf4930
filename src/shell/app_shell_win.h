#pragma once
// What the portable core asks of the window system, for operations that run
// on behalf of a window: errors in boxes owned by it, the message pane, the
// wait cursor, and the menus and toolbar brought up to date after a change.
#include <windows.h>

#include "platform/shell_notifications.h"

namespace veilo {

struct App;

// Posted to a window by its read-ahead's thread each time a picture has been read.
inline constexpr UINT kReadAheadMessage = WM_APP + 1;

class AppShell : public ShellNotifications {
 public:
  AppShell(App& app, HWND owner) : app_(app), owner_(owner) {}

  void EnableUndo(bool on) override;
  void EnableRedo(bool on) override;
  void SetRecording(bool on) override;
  void ShowError(std::string_view utf8Text) override;
  void SetMessagePane(std::string_view utf8Text) override;
  void BeginWait() override;
  void EndWait() override;

 protected:
  // The window that owns the error boxes.
  virtual HWND Owner() const { return owner_; }

  App& app_;
  HWND owner_;

 private:
  int waitDepth_ = 0;
  HCURSOR savedCursor_ = nullptr;
};

}  // namespace veilo
