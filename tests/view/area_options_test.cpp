#include "view/area_options.h"

#include <gtest/gtest.h>

#include <string>

namespace veilo {
namespace {

TEST(AreaOptions, UnitsAndTheirRadioButtons) {
  const struct {
    int32_t unit, index;
  } pairs[] = {{1, 0}, {8, 1}, {16, 2}};
  for (const auto& p : pairs) {
    EXPECT_EQ(UnitRadioIndex(p.unit), p.index);
    EXPECT_EQ(UnitOfRadioIndex(p.index), p.unit);
  }
  EXPECT_EQ(UnitRadioIndex(64), 2) << "never a button beyond the group";
  EXPECT_EQ(UnitRadioIndex(-8), 0);
  EXPECT_EQ(UnitOfRadioIndex(7), 16);
}

TEST(AreaOptions, GlassBoxTextIsReadAsALeadingNumberWithinItsRange) {
  const struct {
    std::string text;
    int32_t current, expected;
  } cases[] = {
      {"8", 20, 8},      {" 12", 20, 12},  {"+7", 20, 7},    {"12ab", 20, 12}, {"999", 20, 999},
      {"1", 20, 2},      {"0", 20, 2},     {"-5", 20, 2},    {"1000", 20, 999},
      {"", 20, 20},      {"abc", 20, 20},  {"-", 20, 20},    {"+-3", 20, 20},  // no number: unchanged
      {"", 0, 2},        {"99999999999999", 20, 999},          {"-99999999999999", 20, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GlassBoxFromText(c.text, c.current), c.expected) << '"' << c.text << '"';
  }
}

TEST(AreaOptions, GlassBoxScrollArrowsStepByOneWithinTheRange) {
  EXPECT_EQ(GlassBoxLineUp(8), 9);
  EXPECT_EQ(GlassBoxLineUp(999), 999);
  EXPECT_EQ(GlassBoxLineDown(8), 7);
  EXPECT_EQ(GlassBoxLineDown(2), 2);
}

TEST(AreaOptions, DialogOpensCentredOnThePointerInsideTheFrame) {
  const WindowRect frame{100, 50, 900, 650};
  const struct {
    int32_t x, y;
    WindowRect expected;
  } cases[] = {
      {500, 350, {400, 290, 600, 410}},  // 200 by 120 around the pointer
      {120, 60, {100, 50, 300, 170}},    // pushed right and down into the frame
      {890, 640, {700, 530, 900, 650}},  // pushed left and up
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AreaOptionsDialogRect(c.x, c.y, 200, 120, frame), c.expected) << c.x << "," << c.y;
  }
  // Larger than the frame: its top-left corner stays visible.
  EXPECT_EQ(AreaOptionsDialogRect(500, 350, 1000, 120, frame), (WindowRect{100, 290, 1100, 410}));
}

}  // namespace
}  // namespace veilo
