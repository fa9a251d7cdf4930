#pragma once
// The rules of the area options dialog: the unit radio buttons, the glass box
// size field with its scroll bar, and where the dialog opens at the pointer.
#include <cstdint>
#include <string_view>

#include "platform/shell_notifications.h"

namespace veilo {

inline constexpr int32_t kGlassBoxMin = 2;
inline constexpr int32_t kGlassBoxMax = 999;

// Radio button of an area unit within its group: 1 ("Free") -> 0, 8 -> 1,
// 16 -> 2. Any other value picks the nearest button below it.
int32_t UnitRadioIndex(int32_t unit);
// The unit a radio button stands for: 0 -> 1, 1 -> 8, 2 -> 16.
int32_t UnitOfRadioIndex(int32_t index);

// The glass box size typed into the field: a leading decimal number, as
// "%d" reads it, limited to 2..999. Text without a number keeps `current`
// (limited the same way).
int32_t GlassBoxFromText(std::string_view text, int32_t current);
// The scroll bar's line-up arrow adds one, line-down takes one away.
int32_t GlassBoxLineUp(int32_t size);
int32_t GlassBoxLineDown(int32_t size);

// The dialog's screen rectangle when it opens at the pointer: centred on the
// pointer, then moved to lie within the frame window's rectangle (its left and
// top edges win when the dialog is larger than the frame).
WindowRect AreaOptionsDialogRect(int32_t pointerX, int32_t pointerY, int32_t width, int32_t height,
                                 const WindowRect& frame);

}  // namespace veilo
