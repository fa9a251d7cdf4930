#include "shell/status_texts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace veilo {

namespace {

// The formatted part of the buffer; every text here is far below its size.
std::string Written(const char* buffer, int length, size_t capacity) {
  if (length < 0) return {};
  return std::string(buffer, std::min(static_cast<size_t>(length), capacity - 1));
}

}  // namespace

std::string ZoomPaneText(int32_t zoomPercent) {
  char buffer[32];
  const int n = std::snprintf(buffer, sizeof buffer, "%d %%", static_cast<int>(zoomPercent));
  return Written(buffer, n, sizeof buffer);
}

std::string AreaPaneText(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  // Distances in 64 bits: corners of opposite signs must not overflow.
  const long long width = std::llabs(static_cast<long long>(x2) - x1);
  const long long height = std::llabs(static_cast<long long>(y2) - y1);
  char buffer[96];
  const int n = std::snprintf(buffer, sizeof buffer, "(%d,%d) - w%lld h%lld",
                              static_cast<int>(std::min(x1, x2)), static_cast<int>(std::min(y1, y2)),
                              width, height);
  return Written(buffer, n, sizeof buffer);
}

std::string PointerPaneText(int32_t x, int32_t y) {
  char buffer[32];
  const int n = std::snprintf(buffer, sizeof buffer, "%4d,%4d", static_cast<int>(x), static_cast<int>(y));
  return Written(buffer, n, sizeof buffer);
}

}  // namespace veilo
