#include "view/reduced_copy.h"

#include <gtest/gtest.h>

#include "test_pictures.h"

namespace veilo {
namespace {

TEST(ReducePicture, TakesThePixelUnderEachCopyPixelsCorner) {
  ImageDoc doc = testing::MakeNoiseDoc(37, 23);
  struct Size {
    int32_t w, h;
  };
  for (const Size size : {Size{37, 23}, Size{12, 7}, Size{1, 1}, Size{37, 5}, Size{74, 46}}) {
    ImageDoc copy;
    SetDocPicture(copy, ReducePicture(doc, size.w, size.h));
    ASSERT_EQ(copy.width, size.w);
    ASSERT_EQ(copy.height, size.h);
    for (int32_t y = 0; y < size.h; ++y)
      for (int32_t x = 0; x < size.w; ++x)
        ASSERT_EQ(testing::PixelOf(copy, x, y), testing::PixelOf(doc, x * 37 / size.w, y * 23 / size.h))
            << size.w << "x" << size.h << " at " << x << "," << y;
  }
}

TEST(ReducePicture, MakesNothingOfNothing) {
  ImageDoc doc = testing::MakeNoiseDoc(4, 4);
  EXPECT_TRUE(ReducePicture(doc, 0, 3).empty());
  ImageDoc none;
  EXPECT_TRUE(ReducePicture(none, 3, 3).empty());
}

}  // namespace
}  // namespace veilo
