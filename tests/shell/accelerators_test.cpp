#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "shell/accelerators.h"
#include "shell/commands.h"

namespace veilo {
namespace {

TEST(Accelerators, NoKeyIsBoundTwice) {
  std::set<std::pair<VirtualKey, uint8_t>> seen;
  for (const Accelerator& a : AcceleratorTable()) {
    EXPECT_TRUE(seen.insert({a.key, a.modifiers}).second) << DescribeAccelerator(a);
  }
}

TEST(Accelerators, MatchTheKeysTheDocumentMenuShows) {
  for (const DocumentCommand& c : DocumentCommandTable()) {
    if (c.menuId == 0) continue;
    EXPECT_EQ(AcceleratorTextFor(c.menuId), c.acceleratorText) << c.menuId;
  }
}

TEST(Accelerators, BindTheFrameCommandsKeys) {
  struct Case {
    const char* keys;
    CommandId command;
  };
  const Case cases[] = {
      {"F1", cmd::kQ0Options},        {"F2", cmd::kJpegOptions},
      {"Shift+F1", cmd::kQuickZoom},  {"Shift+F3", cmd::kRgbOptions},
      {"F11", cmd::kSlideShowMenu},   {"Ctrl+O", cmd::kOpen},
      {"Ctrl+T", cmd::kTwainAcquire}, {"", cmd::kMacroRecord},
      {"", cmd::kPasteNew},
  };
  for (const Case& c : cases) EXPECT_EQ(AcceleratorTextFor(c.command), c.keys) << c.command;
}

TEST(Accelerators, UsePlatformKeyCodes) {
  EXPECT_EQ(vk::kF1, 0x70);
  EXPECT_EQ(vk::kF12, 0x7B);
  EXPECT_EQ(vk::kInsert, 0x2D);
  EXPECT_EQ(vk::Letter('Z'), 0x5A);
  EXPECT_EQ(DescribeAccelerator({vk::kF10, kCtrl, cmd::kCpMask}), "Ctrl+F10");
}

}  // namespace
}  // namespace veilo
