#include <unistd.h>

#include "platform/memory_status.h"

namespace veilo {

uint64_t AvailableMemoryBytes() {
  const long pages = ::sysconf(_SC_AVPHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize);
}

}  // namespace veilo
