#include "shell/tip_window_win.h"

#include "platform/dialog_win.h"
#include "platform/wide_win.h"
#include "shell/toolbar_layout.h"

namespace veilo {

bool TipWindow::Create(HWND frame, HINSTANCE instance) {
  frame_ = frame;
  brush_.reset(CreateSolidBrush(kTipColour));
  border_ = CreateWindowExW(0, L"static", L"", WS_CHILD | SS_BLACKFRAME, 0, 0, 0, 0, frame, nullptr, instance, nullptr);
  text_ = CreateWindowExW(0, L"static", L"", WS_CHILD | SS_CENTER, 0, 0, 0, 0, frame, nullptr, instance, nullptr);
  return border_ && text_ && brush_;
}

void TipWindow::Show(std::string_view text, HWND button, int dpi) const {
  const std::wstring wide = Wide(text);
  SIZE size{};
  {
    ClientDc dc(text_);
    SelectGuard font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(text_, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  }
  // Measured from the frame's outer corner, the tip lands just below the
  // toolbar, over the top of the document area.
  RECT b{}, frame{};
  GetWindowRect(button, &b);
  GetWindowRect(frame_, &frame);
  const TipPlacement place = PlaceTip({b.left, b.top, b.right - b.left, b.bottom - b.top}, frame.left, frame.top,
                                      size.cx, size.cy, dpi);
  SetWindowTextW(text_, wide.c_str());
  SetWindowPos(border_, HWND_TOP, place.border.x, place.border.y, place.border.width, place.border.height,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  SetWindowPos(text_, HWND_TOP, place.text.x, place.text.y, place.text.width, place.text.height,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void TipWindow::Hide() const {
  ShowWindow(text_, SW_HIDE);
  ShowWindow(border_, SW_HIDE);
}

HBRUSH TipWindow::ColourFor(HWND control, HDC dc) const {
  if (control != text_) return nullptr;
  SetBkColor(dc, kTipColour);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  POINT origin{0, 0};
  ClientToScreen(frame_, &origin);
  ScreenToClient(control, &origin);
  SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
  return brush_.get();
}

}  // namespace veilo
