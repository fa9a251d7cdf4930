#pragma once
// What a long run must give back: the process's GDI objects, its windows and
// USER objects, and its private memory, measured as well as the system lets.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace veilo::testing {

struct ResourceCounts {
  // GDI objects in use, stock objects left out; -1 when nothing can count them.
  long gdiObjects = -1;
  const char* gdiMeasure = "";   // which count gdiObjects is ("GetGuiResources" or "handle table")
  long userObjects = -1;         // GetGuiResources' USER count; -1 where it reports none (Wine)
  long windows = 0;              // windows of this thread, children included
  size_t privateBytes = 0;       // private (or, where that reads 0, page-file) bytes of the process
  // Bytes in use in the C runtime's heap: the program's own allocations,
  // without what the system's libraries (common dialogs, shell) keep in theirs.
  size_t crtHeapBytes = 0;
  std::string Describe() const;
};

ResourceCounts MeasureResources();
// "class 'title'" of each top-level window of this thread, sorted: what differs when `windows` does.
std::vector<std::string> ThreadWindowNames();

}  // namespace veilo::testing
