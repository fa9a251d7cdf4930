// The endurance run's leak check is only as good as its count: GDI objects,
// windows and heap blocks made and not given back must show, and giving them
// back must bring the count back.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/handles_win.h"
#include "resource_counts_win.h"

namespace veilo::testing {
namespace {

TEST(ResourceCounts, SeeGdiObjectsWindowsAndHeapBlocksComeAndGo) {
  // The input method's window comes and goes with the thread's first window: one stays up throughout.
  const HWND holder = CreateWindowExW(0, L"STATIC", L"holder", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  const ResourceCounts before = MeasureResources();
  // A system that neither answers GetGuiResources nor keeps the handle table
  // where the count looks for it has nothing to check here.
  if (before.gdiObjects < 0) {
    DestroyWindow(holder);
    GTEST_SKIP() << "no count of GDI objects here (" << before.gdiMeasure << ")";
  }
  std::vector<Brush> brushes;
  for (int i = 0; i < 7; ++i) brushes.emplace_back(CreateSolidBrush(RGB(i, 2, 3)));
  const HWND window = CreateWindowExW(0, L"STATIC", L"counted", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(window);
  CreateWindowExW(0, L"STATIC", L"child", WS_CHILD, 0, 0, 5, 5, window, nullptr, GetModuleHandleW(nullptr), nullptr);
  GetStockObject(WHITE_BRUSH);  // stock objects are never counted
  std::vector<std::unique_ptr<char[]>> blocks;
  for (int i = 0; i < 16; ++i) blocks.push_back(std::make_unique<char[]>(4096));

  const ResourceCounts during = MeasureResources();
  EXPECT_EQ(during.gdiObjects, before.gdiObjects + 7) << during.gdiMeasure;
  EXPECT_EQ(during.windows, before.windows + 2);
  EXPECT_GE(during.crtHeapBytes, before.crtHeapBytes + 16 * 4096);

  brushes.clear();
  blocks.clear();
  DestroyWindow(window);
  const ResourceCounts after = MeasureResources();
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_LT(after.crtHeapBytes, before.crtHeapBytes + 4096);
  DestroyWindow(holder);
}

}  // namespace
}  // namespace veilo::testing
