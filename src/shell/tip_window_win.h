#pragma once
// The toolbar tip: a one-pixel black border and a centred text on the tip
// colour, both children of the frame, shown above the button.
#include <windows.h>

#include <string_view>

#include "platform/handles_win.h"

namespace veilo {

inline constexpr COLORREF kTipColour = RGB(255, 255, 208);

class TipWindow {
 public:
  bool Create(HWND frame, HINSTANCE instance);
  void SetFont(HFONT font) const { SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }
  // Shows the text above `button`, at the frame's DPI.
  void Show(std::string_view text, HWND button, int dpi) const;
  void Hide() const;
  bool IsShown() const { return IsWindowVisible(text_) != 0; }

  // WM_CTLCOLORSTATIC for the text window: its colours; null for other windows.
  HBRUSH ColourFor(HWND control, HDC dc) const;

 private:
  HWND frame_ = nullptr, border_ = nullptr, text_ = nullptr;
  Brush brush_;
};

}  // namespace veilo
