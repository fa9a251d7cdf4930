#include "tools/slide_chooser.h"

#include <gtest/gtest.h>

namespace veilo {
namespace {

TEST(SlideChooser, PanelButtonsAndHeight) {
  struct Case {
    int32_t w, h, windowHeight;
    FitRect panel;
    int32_t buttonsY, newHeight;
  };
  const Case cases[] = {
      // 420 x 350: panel at (21, 350 - 60) sized 175 x 55; buttons at 350 + 25 - 60.
      {420, 350, 400, {21, 290, 175, 55}, 315, 416},
      // Fractions truncate term by term: 12 * 333 / 70 = 57, 5 * 333 / 70 = 23, 11 * 333 / 70 = 52.
      {301, 333, 377, {15, 276, 125, 52}, 299, 392},
      {0, 0, 0, {0, 0, 0, 0}, 0, 0},
  };
  for (const Case& c : cases) {
    const SlideChooserLayout l = LayoutSlideChooser(c.w, c.h, c.windowHeight);
    EXPECT_EQ(l.panel, c.panel) << c.w << "x" << c.h;
    EXPECT_EQ(l.buttonsY, c.buttonsY) << c.w << "x" << c.h;
    EXPECT_EQ(l.windowHeight, c.newHeight) << c.w << "x" << c.h;
  }
}

TEST(SlideChooser, OptionPanelHalves) {
  const SlideOptionPanelLayout l = LayoutSlideOptionPanel(175, 55, 23);
  EXPECT_EQ(l.subfolderCheck, (FitRect{0, 0, 175, 27}));
  EXPECT_EQ(l.helpButton, (FitRect{0, 26, 175, 23}));
}

}  // namespace
}  // namespace veilo
