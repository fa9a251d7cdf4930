#include <windows.h>

#include <algorithm>

#include "platform/memory_status.h"

namespace veilo {

uint64_t AvailableMemoryBytes() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return 0;
  // A 32-bit process runs out of addresses long before a large machine runs out of memory.
  return std::min<uint64_t>(status.ullAvailPhys, status.ullAvailVirtual);
}

}  // namespace veilo
