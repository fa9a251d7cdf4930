#include "shell/status_panes_win.h"

#include "platform/dialog_win.h"

namespace veilo {

namespace {

HWND CreatePane(HWND frame, HINSTANCE instance, int id, DWORD alignment) {
  return CreateWindowExW(WS_EX_STATICEDGE, L"static", L"", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | alignment, 0, 0, 0,
                         0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void Place(HWND window, const ChildRect& r) { MoveWindow(window, r.x, r.y, r.width, r.height, TRUE); }

}  // namespace

bool StatusPanes::Create(HWND frame, HINSTANCE instance) {
  zoom_ = CreatePane(frame, instance, kZoomPaneId, SS_CENTER);
  message_ = CreatePane(frame, instance, kMessagePaneId, SS_LEFT);
  position_ = CreatePane(frame, instance, 0, SS_CENTER);
  return zoom_ && message_ && position_;
}

void StatusPanes::Layout(const FrameLayout& layout) const {
  Place(zoom_, layout.zoomPane);
  Place(message_, layout.messagePane);
  Place(position_, layout.positionPane);
}

void StatusPanes::SetFont(HFONT font) const {
  for (HWND pane : {zoom_, message_, position_}) SendMessageW(pane, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void StatusPanes::SetZoomText(std::string_view text) const { SetWindowTextUtf8(zoom_, text); }

void StatusPanes::SetMessage(std::string_view text) {
  remembered_ = std::string(text);
  SetWindowTextUtf8(message_, remembered_);
}

void StatusPanes::ShowComment(std::string_view text) const { SetWindowTextUtf8(message_, text); }

void StatusPanes::RestoreMessage() const { SetWindowTextUtf8(message_, remembered_); }

void StatusPanes::SetPositionText(std::string_view text) const { SetWindowTextUtf8(position_, text); }

}  // namespace veilo
