#pragma once
// Overflow-checked size arithmetic for everything that turns numbers read from
// a file into allocation or copy sizes. Every result is std::nullopt on overflow.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace veilo {

inline std::optional<size_t> CheckedMul(size_t a, size_t b) {
  size_t r;
  if (__builtin_mul_overflow(a, b, &r)) return std::nullopt;
  return r;
}

inline std::optional<size_t> CheckedAdd(size_t a, size_t b) {
  size_t r;
  if (__builtin_add_overflow(a, b, &r)) return std::nullopt;
  return r;
}

// a * b + c, the usual "rows times stride plus header" shape.
inline std::optional<size_t> CheckedMulAdd(size_t a, size_t b, size_t c) {
  auto m = CheckedMul(a, b);
  if (!m) return std::nullopt;
  return CheckedAdd(*m, c);
}

}  // namespace veilo
