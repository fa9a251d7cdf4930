#pragma once
// The toolbar: 27 owner-drawn picture buttons (26 placed; the record-stop row
// is only the record button's second face), their pictures fitted to the
// system's button colours and to the screen density.
#include <windows.h>

#include <array>

#include "platform/handles_win.h"
#include "shell/enabling.h"
#include "shell/toolbar.h"
#include "shell/toolbar_layout.h"

namespace veilo {

class Toolbar {
 public:
  bool Create(HWND frame, HINSTANCE instance);
  void Layout(const FrameLayout& layout) const;
  // (Re)loads every picture for a DPI and the current system colours.
  void LoadPictures(HINSTANCE instance, int dpi);
  // Draws a button; false when the request is not for one of ours.
  bool Draw(const DRAWITEMSTRUCT& item, bool recording, int dpi) const;
  // Enables the buttons as the states say; the record button is redrawn when its face changes.
  void Apply(const ControlStates& states);

  int32_t RowOf(HWND window) const;  // -1 for any other window
  HWND Button(int32_t row) const { return buttons_[static_cast<size_t>(row)]; }

 private:
  std::array<HWND, kToolbarRowCount> buttons_{};
  std::array<Bitmap, kToolbarRowCount> enabledPictures_, disabledPictures_;
  int32_t recordFace_ = kRecordRow;
};

}  // namespace veilo
