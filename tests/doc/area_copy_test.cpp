#include "doc/area_copy.h"

#include <gtest/gtest.h>

#include "test_pictures.h"

namespace veilo {
namespace {

ImageDoc CopyAsDoc(ImageDoc& doc, const PixelRect& r) {
  ImageDoc out;
  SetDocPicture(out, CopyPictureArea(doc, r));
  return out;
}

TEST(CopyPictureArea, CopiesTheRectangleRowByRowFromTheTop) {
  ImageDoc doc = testing::MakeNoiseDoc(13, 9);
  // Odd widths give padded rows on both sides.
  ImageDoc part = CopyAsDoc(doc, {3, 2, 10, 7});
  ASSERT_EQ(part.width, 7);
  ASSERT_EQ(part.height, 5);
  EXPECT_EQ(part.bitCount, 24);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 7; ++x)
      ASSERT_EQ(testing::PixelOf(part, x, y), testing::PixelOf(doc, 3 + x, 2 + y)) << x << "," << y;
}

TEST(CopyPictureArea, ClipsToThePictureAndRefusesEmptyAreas) {
  ImageDoc doc = testing::MakeNoiseDoc(8, 8);
  EXPECT_EQ(CopyAsDoc(doc, {6, 6, 20, 20}).width, 2);
  EXPECT_TRUE(CopyPictureArea(doc, {4, 4, 4, 8}).empty());
  EXPECT_TRUE(CopyPictureArea(doc, {8, 0, 12, 8}).empty());
  ImageDoc none;
  EXPECT_TRUE(CopyPictureArea(none, {0, 0, 1, 1}).empty());
}

}  // namespace
}  // namespace veilo
