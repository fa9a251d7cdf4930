#pragma once
// How much memory the process could still take without the machine paging.
#include <cstdint>

namespace veilo {

// The physical memory free now; in a 32-bit process the address space left
// too, whichever is smaller (memory_status_posix.cpp / memory_status_win.cpp).
uint64_t AvailableMemoryBytes();

}  // namespace veilo
