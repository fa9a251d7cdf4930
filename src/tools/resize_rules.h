#pragma once
// Resize-and-paste as a new picture: the dialog's state (new width and height,
// the aspect-ratio tie, the stretch mode) and what each control does to it.
// The dialog only moves values between its controls and this state; every
// number it shows comes from here.
#include <cstdint>
#include <string_view>

namespace veilo {

// The four stretch modes, in the order the dialog keeps them.
enum class StretchMode : int32_t { kDeleteScans = 0, kHalfTone = 1, kAndScans = 2, kOrScans = 3 };
inline constexpr int32_t kStretchModeCount = 4;

// GDI's stretch mode for each: COLORONCOLOR (3) drops pixels, HALFTONE (4)
// averages them, BLACKONWHITE (1) ANDs them (dark pixels win), WHITEONBLACK
// (2) ORs them (light pixels win). An unknown mode is treated as Half Tone.
int32_t GdiStretchModeOf(StretchMode mode);
// A stored mode number back to the mode (outside 0..3: Half Tone).
StretchMode StretchModeOf(int32_t number);

// What holds from one use of the dialog to the next within a run.
struct ResizeSettings {
  bool keepAspect = true;
  StretchMode mode = StretchMode::kHalfTone;
};

// A new side is at most what a document can hold (its width and height are
// 16-bit values); larger typed values are taken as this.
inline constexpr int32_t kResizeSideMax = 65535;

inline constexpr const char* kResizeZeroSizeText = "サイズが 0 は、無効です。";

struct ResizeState {
  int32_t pictureWidth = 0, pictureHeight = 0;
  int32_t newWidth = 0, newHeight = 0;
  bool keepAspect = true;
};

// Both new sides start at the picture's size.
ResizeState StartResize(int32_t pictureWidth, int32_t pictureHeight, bool keepAspect);

// The up-down control's upper limit for a side: 16 times the picture's side,
// held to what the control and a document can take (never wrapping round).
int32_t ResizeArrowMax(int32_t pictureSide);

// A side as the edit field's text gives it: the leading decimal number, as
// atoi reads it, within 0..kResizeSideMax (no number: 0).
int32_t ResizeSideFromText(std::string_view text);

// What the dialog has to show after a change. The side that the user changed
// is shown only when its value differs from the text it came from (a value
// held to the limit).
struct ResizeDialogEffects {
  bool showWidth = false, showHeight = false;          // write the value into the edit field
  bool moveWidthArrows = false, moveHeightArrows = false;  // set the up-down control's position
  friend bool operator==(const ResizeDialogEffects&, const ResizeDialogEffects&) = default;
};

// The width field's text changed. A new value is stored and the width's
// arrows follow; with the aspect kept the height becomes picture height x new
// width / picture width (integer division) and is shown when it changed.
ResizeDialogEffects ResizeWidthTyped(ResizeState& state, std::string_view text);
// The same for the height field, the width following.
ResizeDialogEffects ResizeHeightTyped(ResizeState& state, std::string_view text);
// An up-down control moved to `position`: a new value is stored and shown in
// its field, the other side following as when typed.
ResizeDialogEffects ResizeWidthArrowMoved(ResizeState& state, int32_t position);
ResizeDialogEffects ResizeHeightArrowMoved(ResizeState& state, int32_t position);
// The keep-aspect box: turned on, the height is recomputed from the width
// (undoing a height typed while it was off); turned off, nothing else changes.
ResizeDialogEffects ResizeKeepAspectChanged(ResizeState& state, bool keepAspect);

// OK is taken only with both sides above 0; otherwise kResizeZeroSizeText.
bool ResizeSizeAccepted(const ResizeState& state);

}  // namespace veilo
