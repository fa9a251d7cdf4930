#pragma once
// The spoit's picture view ("SpoitWin"): the picture magnified and scrolled by
// its bars and the wheel. The pixel under the pointer goes to the picker's
// swatch; a left click picks it, the right button gives up.
#include <windows.h>

#include <array>
#include <cstdint>

#include "platform/window_win.h"
#include "view/colour_pick_target.h"
#include "view/spoit.h"

namespace veilo {

inline constexpr wchar_t kSpoitViewClass[] = L"SpoitWin";

// What the view asks of the picker that holds it.
class SpoitViewHost {
 public:
  virtual void ShowPointerColour(const std::array<uint8_t, 3>& rgb) = 0;
  // The picking is over (picked or given up): the picker closes.
  virtual void FinishPicking() = 0;

 protected:
  ~SpoitViewHost() = default;
};

class SpoitView : public Window {
 public:
  SpoitView(SpoitState& state, ColourPickTarget& target, SpoitViewHost& host)
      : state_(state), target_(target), host_(host) {}
  static bool RegisterClass(HINSTANCE instance);
  HWND Create(HWND parent, HINSTANCE instance);

  // Both bars from the state's maxima and offsets.
  void ApplyBars() const;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  LRESULT OnSize(int width, int height);
  LRESULT OnPaint();
  LRESULT OnScroll(UINT msg, WPARAM wp);
  LRESULT OnMouseWheel(WPARAM wp);
  LRESULT OnMouseMove(int x, int y);
  LRESULT OnLeftDown(int x, int y);
  LRESULT OnLeftUp();
  void ApplyMove(int bar, const SpoitMove& move);

  SpoitState& state_;
  ColourPickTarget& target_;
  SpoitViewHost& host_;
};

}  // namespace veilo
