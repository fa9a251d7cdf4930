#include "doc/picture_limits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <thread>

namespace veilo {
namespace {

TEST(PictureLimits, WorkingBytesCountBlockCopyAndDecodeBuffer) {
  struct Case {
    uint32_t width, height;
    size_t decode;
    uint64_t bytes;  // 2 x (40 + stride x height) + decode x width x height
  };
  const Case cases[] = {
      {1, 1, 0, 2 * (40 + 4)},      // 3 bytes padded to 4
      {2, 1, 0, 2 * (40 + 8)},      // 6 -> 8
      {4, 1, 0, 2 * (40 + 12)},     // 12 needs no padding
      {5, 3, 4, 2 * (40 + 16 * 3) + 4 * 15},
      {20000, 15000, 0, 2 * (40 + uint64_t{60000} * 15000)},
      {20000, 15000, 4, 2 * (40 + uint64_t{60000} * 15000) + uint64_t{4} * 20000 * 15000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " decode " << c.decode);
    const auto bytes = PictureWorkingBytes(c.width, c.height, c.decode);
    if (sizeof(size_t) < 8 && c.bytes > SIZE_MAX) {
      EXPECT_EQ(bytes, std::nullopt);
    } else {
      EXPECT_EQ(bytes, std::optional<size_t>(static_cast<size_t>(c.bytes)));
    }
  }
}

TEST(PictureLimits, SizesThatWrapGiveNoCount) {
  EXPECT_EQ(PictureWorkingBytes(0xFFFFFFFFu, 0xFFFFFFFFu, 0), std::nullopt);
  EXPECT_EQ(PictureWorkingBytes(65536, 65536, SIZE_MAX / 2), std::nullopt);
  if (sizeof(size_t) < 8) {
    EXPECT_EQ(PictureWorkingBytes(65536, 65536, 3), std::nullopt);
  }
}

TEST(PictureLimits, EachBuildHoldsWhatItsAddressSpaceAllows) {
  struct Case {
    uint32_t width, height;
    size_t decode;
    unsigned bits;
    bool holds;
  };
  const Case cases[] = {
      {20000, 15000, 0, 32, false},  // 900 MB picture: no room for its copy in 2 GiB
      {20000, 15000, 0, 64, true},
      {20000, 15000, 4, 64, true},   // TIFF's raster as well
      {12000, 12000, 0, 32, true},   // 432 MB twice
      {12000, 12000, 4, 32, false},  // ... plus a 576 MB raster
      {8000, 6000, 12, 32, true},    // a JPEG 2000 photo with its component buffers
      {65535, 65535, 3, 32, false},
      {65535, 65535, 0, 64, false},  // 25.8 GB with its copy
      {65536, 65536, 3, 64, false},
      {50000, 50000, 0, 64, true},
      {1, 1, 0, 32, true},
      {0, 10, 0, 64, false},
      {10, 0, 0, 32, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " decode " << c.decode << " on "
                                      << c.bits << " bits");
    EXPECT_EQ(CanHoldPicture(c.width, c.height, c.decode, c.bits), c.holds);
  }
}

TEST(PictureLimits, SingleBlocksStayWithinHalfTheBudget) {
  EXPECT_EQ(MaxPictureBlockBytes(32), size_t{512} << 20);
  if (sizeof(size_t) >= 8) {
    EXPECT_EQ(uint64_t{MaxPictureBlockBytes(64)}, uint64_t{8} << 30);
  }
}

TEST(PictureLimits, AProcessMayLowerButNotRaiseItsBudget) {
  LimitPictureBudget(uint64_t{100} << 20);
  EXPECT_FALSE(CanHoldPicture(5000, 5000, 0, 64));  // 150 MB
  EXPECT_TRUE(CanHoldPicture(3000, 3000, 0, 64));
  EXPECT_EQ(PictureBudgetBytes(32), uint64_t{100} << 20);
  LimitPictureBudget(UINT64_MAX);
  EXPECT_EQ(PictureBudgetBytes(32), uint64_t{1} << 30);
  EXPECT_TRUE(CanHoldPicture(5000, 5000, 0, 64));
}

TEST(PictureLimits, AThreadsLowerBudgetHoldsForItsReadsAlone) {
  {
    ScopedThreadPictureBudget lowered(uint64_t{100} << 20);
    EXPECT_FALSE(CanHoldPicture(5000, 5000, 0, 64));
    EXPECT_EQ(MaxPictureBlockBytes(64), size_t{50} << 20);
    {
      ScopedThreadPictureBudget raised(uint64_t{1} << 40);  // lowers only
      EXPECT_FALSE(CanHoldPicture(5000, 5000, 0, 64));
    }
    bool otherThreadHolds = false;
    std::thread([&] { otherThreadHolds = CanHoldPicture(5000, 5000, 0, 64); }).join();
    EXPECT_TRUE(otherThreadHolds);
    EXPECT_FALSE(CanHoldPicture(5000, 5000, 0, 64));
  }
  EXPECT_TRUE(CanHoldPicture(5000, 5000, 0, 64));
}

}  // namespace
}  // namespace veilo
