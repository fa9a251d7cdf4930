#pragma once
// Screen density: every layout length is given for 96 DPI and scaled by the
// window's DPI, rounded to nearest as the system scales its own metrics, so
// the result is exact at 96 DPI.
#include <cstdint>

namespace veilo {

inline constexpr int32_t kBaseDpi = 96;

constexpr int32_t ScaleToDpi(int32_t value, int32_t dpi) {
  const int64_t scaled = static_cast<int64_t>(value) * dpi;
  const int64_t half = kBaseDpi / 2;
  return static_cast<int32_t>(scaled >= 0 ? (scaled + half) / kBaseDpi : -((-scaled + half) / kBaseDpi));
}

}  // namespace veilo
