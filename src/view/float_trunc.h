#pragma once
// Float-to-integer conversions for the view arithmetic. A plain cast of a
// value beyond the target's range is undefined behaviour, so these hold the
// integer part (towards zero) to the target's range instead.
#include <cstdint>

namespace veilo {

inline int32_t TruncToInt32(double v) {
  if (v != v) return 0;  // NaN
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(v);
}

// Coordinates of the Quick Zoom box are 16-bit quantities: the integer part
// is held to -32768..32767 rather than wrapped, so an absurd product can never
// turn into a small or negative coordinate.
inline int32_t TruncToInt16(double v) {
  const int32_t t = TruncToInt32(v);
  return t > INT16_MAX ? INT16_MAX : (t < INT16_MIN ? INT16_MIN : t);
}

// Integer division rounding towards minus infinity (d > 0).
inline int64_t FloorDiv(int64_t n, int64_t d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }

// Clamps a 64-bit intermediate to the int32 range.
inline int32_t ClampToInt32(int64_t v) {
  return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v));
}

}  // namespace veilo
