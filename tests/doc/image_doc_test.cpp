#include <gtest/gtest.h>

#include "doc/image_doc.h"
#include "test_pictures.h"

namespace veilo {
namespace {

TEST(PixelBuffer, StridePadsRowsToFourBytes) {
  EXPECT_EQ(RowStride24(1), 4u);
  EXPECT_EQ(RowStride24(2), 8u);
  EXPECT_EQ(RowStride24(4), 12u);
}

TEST(PixelBuffer, RowsAreStoredBottomUp) {
  ImageDoc doc = testing::MakeDoc(2, 3, [](int32_t x, int32_t y) {
    return testing::Rgb{static_cast<uint8_t>(10 * y + x), 0, 0};
  });
  const uint8_t* bits = DibPixelStart(doc.dib.data());
  // The first stored row is the bottom row of the picture (y = 2).
  EXPECT_EQ(bits[kRed], 20);
  EXPECT_EQ(bits[RowStride24(2) * 2 + 3 + kRed], 1);
  EXPECT_EQ(doc.bitCount, 24);
}

}  // namespace
}  // namespace veilo
