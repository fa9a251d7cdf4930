#include "view/background.h"

#include <gtest/gtest.h>

#include "test_pictures.h"

namespace veilo {
namespace {

TEST(BackgroundParts, AreTheUpdatedPartsTheZoomedPictureDoesNotCover) {
  ImageDoc doc = testing::MakeNoiseDoc(100, 50);
  doc.zoomPercent = 150;  // 150 x 75 on screen
  struct Case {
    const char* what;
    int32_t hPos, vPos;
    WindowRect update;
    std::vector<WindowRect> expected;
  };
  const Case cases[] = {
      {"inside the picture", 0, 0, {10, 10, 100, 60}, {}},
      {"right and below", 0, 0, {0, 0, 300, 200}, {{150, 0, 300, 200}, {0, 75, 150, 200}}},
      {"only right", 0, 0, {140, 0, 300, 70}, {{150, 0, 300, 70}}},
      {"only below", 0, 0, {20, 60, 120, 90}, {{20, 75, 120, 90}}},
      {"scrolled", 30, 20, {0, 0, 200, 100}, {{120, 0, 200, 100}, {0, 55, 120, 100}}},
      {"wholly outside", 0, 0, {200, 100, 250, 120}, {{200, 100, 250, 120}}},
      {"empty update", 0, 0, {5, 5, 5, 9}, {}},
  };
  for (const Case& c : cases) {
    doc.hScrollPos = c.hPos;
    doc.vScrollPos = c.vPos;
    EXPECT_EQ(BackgroundParts(doc, c.update), c.expected) << c.what;
  }
}

TEST(BackgroundParts, IsTheWholeUpdateWithoutAPicture) {
  const ImageDoc none;
  EXPECT_EQ(BackgroundParts(none, {0, 0, 10, 10}), (std::vector<WindowRect>{{0, 0, 10, 10}}));
}

}  // namespace
}  // namespace veilo
