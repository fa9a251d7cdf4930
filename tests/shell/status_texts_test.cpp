#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "shell/status_texts.h"

namespace veilo {
namespace {

TEST(StatusTexts, Formats) {
  EXPECT_EQ(ZoomPaneText(150), "150 %");
  EXPECT_EQ(ZoomPaneText(2000), "2000 %");
  EXPECT_EQ(PointerPaneText(7, 1234), "   7,1234");
  EXPECT_EQ(PointerPaneText(-1, 12345), "  -1,12345");
}

TEST(StatusTexts, AreaUsesTheTopLeftCornerAndDistances) {
  EXPECT_EQ(AreaPaneText(10, 20, 110, 70), "(10,20) - w100 h50");
  EXPECT_EQ(AreaPaneText(110, 70, 10, 20), "(10,20) - w100 h50");  // dragged up and left
  EXPECT_EQ(AreaPaneText(5, 5, 5, 5), "(5,5) - w0 h0");
  const int32_t big = std::numeric_limits<int32_t>::max();
  const int32_t small = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(AreaPaneText(small, 0, big, 0), "(-2147483648,0) - w4294967295 h0");
}

}  // namespace
}  // namespace veilo
