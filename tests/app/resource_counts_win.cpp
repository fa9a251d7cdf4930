#include "resource_counts_win.h"

#include <malloc.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/wide_win.h"

namespace veilo::testing {

namespace {

// Where GetGuiResources answers 0 (Wine), the GDI handle table that the
// process block points to still tells which entries are in use: its entries
// are 24 bytes on 64-bit Windows and in Wine, 16 on 32-bit Windows; the word
// at offset 12 holds the entry's type in its high half (0: free) and the stock
// flag (0x80) in its low byte. The stride is checked on a brush made for the
// purpose, so a table of another shape counts nothing rather than nonsense.
const uint8_t* HandleTable() {
  using GetPeb = void*(WINAPI*)();
  const auto getPeb = reinterpret_cast<GetPeb>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetCurrentPeb")));
  if (!getPeb) return nullptr;
  const auto* peb = static_cast<const uint8_t*>(getPeb());
  return *reinterpret_cast<const uint8_t* const*>(peb + (sizeof(void*) == 8 ? 0xF8 : 0x94));
}

uint32_t EntryWord(const uint8_t* table, size_t stride, size_t index) {
  uint32_t word;
  std::memcpy(&word, table + index * stride + 12, sizeof word);
  return word;
}

bool InUse(uint32_t word) { return (word >> 16) != 0 && (word & 0x80) == 0; }

// The entry stride that sees a fresh brush come and go; 0 when none does.
size_t TableStride(const uint8_t* table) {
  for (size_t stride : {size_t{24}, size_t{16}}) {
    const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const size_t index = reinterpret_cast<uintptr_t>(brush) & 0xFFFF;
    const bool seen = InUse(EntryWord(table, stride, index));
    DeleteObject(brush);
    if (seen && !InUse(EntryWord(table, stride, index))) return stride;
  }
  return 0;
}

long CountTableEntries() {
  const uint8_t* table = HandleTable();
  if (!table) return -1;
  static const size_t stride = TableStride(table);
  if (!stride) return -1;
  MEMORY_BASIC_INFORMATION region{};
  if (!VirtualQuery(table, &region, sizeof region)) return -1;
  const size_t bytes = static_cast<const uint8_t*>(region.BaseAddress) + region.RegionSize - table;
  const size_t entries = std::min<size_t>(bytes / stride, 0x10000);
  long count = 0;
  for (size_t i = 0; i < entries; ++i)
    if (InUse(EntryWord(table, stride, i))) ++count;
  return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

BOOL CALLBACK NameTopLevel(HWND window, LPARAM names) {
  wchar_t name[64] = {}, title[64] = {};
  GetClassNameW(window, name, 64);
  GetWindowTextW(window, title, 64);
  reinterpret_cast<std::vector<std::string>*>(names)->push_back(Utf8(name) + " '" + Utf8(title) + "'" +
                                                              (IsWindowVisible(window) ? "" : " (hidden)"));
  return TRUE;
}

}  // namespace

std::vector<std::string> ThreadWindowNames() {
  std::vector<std::string> names;
  EnumThreadWindows(GetCurrentThreadId(), NameTopLevel, reinterpret_cast<LPARAM>(&names));
  std::sort(names.begin(), names.end());
  return names;
}

ResourceCounts MeasureResources() {
  ResourceCounts counts;
  const HANDLE self = GetCurrentProcess();
  if (const DWORD gdi = GetGuiResources(self, GR_GDIOBJECTS)) {
    counts.gdiObjects = static_cast<long>(gdi);
    counts.gdiMeasure = "GetGuiResources";
  } else {
    counts.gdiObjects = CountTableEntries();
    counts.gdiMeasure = "handle table";
  }
  if (const DWORD user = GetGuiResources(self, GR_USEROBJECTS)) counts.userObjects = static_cast<long>(user);
  EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&counts.windows));
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (K32GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
    counts.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
  _HEAPINFO entry{};
  while (_heapwalk(&entry) == _HEAPOK)
    if (entry._useflag == _USEDENTRY) counts.crtHeapBytes += entry._size;
  return counts;
}

std::string ResourceCounts::Describe() const {
  return "GDI objects " + std::to_string(gdiObjects) + " (" + gdiMeasure + "), USER objects " +
         std::to_string(userObjects) + ", windows " + std::to_string(windows) + ", private bytes " +
         std::to_string(privateBytes) + ", C heap in use " + std::to_string(crtHeapBytes);
}

}  // namespace veilo::testing
