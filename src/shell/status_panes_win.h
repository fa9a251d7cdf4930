#pragma once
// The three panes at the bottom of the frame: zoom, message and position.
// The message pane remembers the last text an operation put there, so that it
// can be shown again after a toolbar comment has covered it.
#include <windows.h>

#include <string>
#include <string_view>

#include "shell/toolbar_layout.h"

namespace veilo {

inline constexpr int kZoomPaneId = 31;
inline constexpr int kMessagePaneId = 32;

class StatusPanes {
 public:
  bool Create(HWND frame, HINSTANCE instance);
  void Layout(const FrameLayout& layout) const;
  void SetFont(HFONT font) const;

  void SetZoomText(std::string_view text) const;
  // An operation's text: shown and remembered (empty clears both).
  void SetMessage(std::string_view text);
  // A toolbar comment: shown, not remembered.
  void ShowComment(std::string_view text) const;
  void RestoreMessage() const;
  void SetPositionText(std::string_view text) const;

  HWND zoomPane() const { return zoom_; }
  HWND messagePane() const { return message_; }
  HWND positionPane() const { return position_; }
  const std::string& rememberedMessage() const { return remembered_; }

 private:
  HWND zoom_ = nullptr, message_ = nullptr, position_ = nullptr;
  std::string remembered_;
};

}  // namespace veilo
