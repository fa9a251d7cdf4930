#include <gtest/gtest.h>

#include <array>

#include "platform/checked_math.h"
#include "platform/le_bytes.h"
#include "doc/packed_dib.h"
#include "doc/picture_limits.h"

namespace veilo {
namespace {

DibHeader Info(uint16_t bits, uint32_t width, uint32_t height, uint32_t compression = 0,
               uint32_t coloursUsed = 0, uint32_t headerSize = 40) {
  DibHeader h;
  h.headerSize = headerSize;
  h.width = width;
  h.height = height;
  h.bitCount = bits;
  h.compression = compression;
  h.coloursUsed = coloursUsed;
  return h;
}

DibHeader Core(uint16_t bits, uint32_t width, uint32_t height) {
  return Info(bits, width, height, 0, 0, kCoreHeaderSize);
}

TEST(DibSizeRules, RowStrideByBitCount) {
  struct Case { uint16_t bits; uint32_t width; size_t stride; };
  const Case cases[] = {
      {1, 1, 4},   {1, 32, 4},   {1, 33, 8},  {4, 1, 4},   {4, 8, 4},   {4, 9, 8},
      {8, 1, 4},   {8, 4, 4},    {8, 5, 8},   {16, 1, 4},  {16, 2, 4},  {16, 3, 8},
      {24, 1, 4},  {24, 2, 8},   {24, 4, 12}, {32, 3, 12}, {24, 65535, 196608},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DibRowStride(c.bits, c.width), c.stride) << c.bits << " bits, width " << c.width;
}

TEST(DibSizeRules, ColourTableSize) {
  struct Case { const char* what; DibHeader h; size_t size; };
  const Case cases[] = {
      {"core 1 bit", Core(1, 1, 1), 6},
      {"core 8 bits", Core(8, 1, 1), 768},
      {"core 24 bits", Core(24, 1, 1), 0},
      {"info 4 bits", Info(4, 1, 1), 64},
      {"info 8 bits, 20 used", Info(8, 1, 1, 0, 20), 80},
      {"info 24 bits, 256 used", Info(24, 1, 1, 0, 256), 1024},
      {"info 16 bits", Info(16, 1, 1), 0},
      {"16-bit bit fields", Info(16, 1, 1, 3), 12},
      {"16-bit bit fields with palette", Info(16, 1, 1, 3, 256), 12 + 1024},
      {"32-bit bit fields", Info(32, 1, 1, 3), 12},
      {"bit fields inside a 124-byte header", Info(32, 1, 1, 3, 0, 124), 0},
      {"colours used ignored in a 16-byte header", Info(8, 1, 1, 0, 5, 16), 1024},
  };
  for (const Case& c : cases) EXPECT_EQ(DibColourTableSize(c.h), c.size) << c.what;
}

TEST(DibSizeRules, TotalSizeAndPixelOffset) {
  const DibHeader h = Info(8, 5, 3, 0, 20);
  EXPECT_EQ(DibPixelOffset(h), 40u + 80u);
  EXPECT_EQ(DibTotalSize(h), std::optional<size_t>(40 + 80 + 3 * 8));
  EXPECT_EQ(DibTotalSize(Core(24, 2, 2)), std::optional<size_t>(12 + 2 * 8));
}

TEST(DibSizeRules, HostileHeadersNeverWrap) {
  // Every absurd header gives either no size or one no reader would allocate.
  const DibHeader cases[] = {
      Info(8, 65535, 65535, 0, 0xFFFFFFFFu),
      Info(24, 65535, 65535, 0, 0, 0xFFFFFFF0u),
      Info(32, 65535, 65535, 3, 0xFFFFFFFFu),
  };
  for (const DibHeader& h : cases) {
    const auto total = DibTotalSize(h);
    EXPECT_TRUE(!total || *total > MaxPictureBlockBytes());
  }
}

TEST(DibSizeRules, ShortHeaderFieldsReadAsZero) {
  // A 16-byte header ends before the compression field; the bytes after it
  // belong to the colour table and must not be taken for it.
  std::array<uint8_t, 40> block{};
  PutLe32(block.data(), 16);
  PutLe32(block.data() + 4, 3);
  PutLe32(block.data() + 8, 2);
  PutLe16(block.data() + 14, 8);
  PutLe32(block.data() + 16, 1);
  PutLe32(block.data() + 32, 7);
  const DibHeader h = ReadDibHeader(block.data());
  EXPECT_EQ(h.compression, 0u);
  EXPECT_EQ(h.coloursUsed, 0u);
  EXPECT_EQ(h.width, 3u);
  EXPECT_EQ(h.height, 2u);
}

TEST(DibSizeRules, WidthAndHeightAreLow16Bits) {
  std::array<uint8_t, 40> block{};
  PutLe32(block.data(), 40);
  PutLe32(block.data() + 4, 0x00012345);
  PutLe32(block.data() + 8, 0xFFFF0010);
  const DibHeader h = ReadDibHeader(block.data());
  EXPECT_EQ(h.width, 0x2345u);
  EXPECT_EQ(h.height, 0x0010u);
}

TEST(DibSizeRules, CheckedHeaderRefusesBlocksShorterThanTheirRules) {
  PackedDib dib = PackedDib::Canonical24(3, 2);
  ASSERT_TRUE(dib);
  EXPECT_TRUE(CheckedDibHeader(dib.data(), dib.size()));
  EXPECT_FALSE(CheckedDibHeader(dib.data(), dib.size() - 1));
  PutLe32(dib.data(), 14);  // header sizes 13 to 15 are not a layout
  EXPECT_FALSE(CheckedDibHeader(dib.data(), dib.size()));
  EXPECT_FALSE(CheckedDibHeader(nullptr, 0));
}

TEST(DibSizeRules, CanonicalHeader) {
  PackedDib dib = PackedDib::Canonical24(5, 3);
  ASSERT_TRUE(dib);
  const uint8_t* p = dib.data();
  EXPECT_EQ(GetLe32(p), 40u);
  EXPECT_EQ(GetLe16(p + 12), 1);
  EXPECT_EQ(GetLe16(p + 14), 24);
  EXPECT_EQ(GetLe32(p + 20), 16u * 3);
  EXPECT_EQ(GetLe32(p + 24), 39u);
  EXPECT_EQ(GetLe32(p + 28), 39u);
  EXPECT_TRUE(IsCanonical24(ReadDibHeader(p)));
  EXPECT_EQ(dib.size(), 40u + 16 * 3);
  EXPECT_FALSE(PackedDib::Canonical24(65535, 65535)) << "beyond the picture size limit";
}

TEST(DibSizeRules, BitFieldMasks) {
  std::array<uint8_t, 64> block{};
  PutLe32(block.data(), 40);
  PutLe16(block.data() + 14, 16);
  DibHeader h = ReadDibHeader(block.data());
  auto m = DibBitFieldMasks(block.data(), h);
  EXPECT_EQ(m.red, 0x7C00u);
  EXPECT_EQ(m.green, 0x03E0u);
  EXPECT_EQ(m.blue, 0x001Fu);

  PutLe32(block.data() + 16, 3);  // masks follow a 40-byte header
  PutLe32(block.data() + 40, 0xF800);
  PutLe32(block.data() + 44, 0x07E0);
  PutLe32(block.data() + 48, 0x001F);
  h = ReadDibHeader(block.data());
  m = DibBitFieldMasks(block.data(), h);
  EXPECT_EQ(m.red, 0xF800u);
  EXPECT_EQ(m.blue, 0x001Fu);

  PutLe16(block.data() + 14, 32);
  PutLe32(block.data() + 16, 0);
  h = ReadDibHeader(block.data());
  m = DibBitFieldMasks(block.data(), h);
  EXPECT_EQ(m.red, 0xFF0000u);
  EXPECT_EQ(m.green, 0x00FF00u);
  EXPECT_EQ(m.blue, 0x0000FFu);
}

}  // namespace
}  // namespace veilo

namespace veilo {
namespace {

TEST(PackedDibBlock, MovedFromBlockIsEmpty) {
  PackedDib a = PackedDib::Allocate(16);
  PackedDib b = std::move(a);
  EXPECT_TRUE(a.empty());  // NOLINT(bugprone-use-after-move): the state is the point
  EXPECT_EQ(a.size(), 0u);
  EXPECT_EQ(b.size(), 16u);
  PackedDib c;
  c = std::move(b);
  EXPECT_TRUE(b.empty());  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(c.size(), 16u);
}

}  // namespace
}  // namespace veilo
