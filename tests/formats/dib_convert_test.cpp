#include <gtest/gtest.h>

#include "doc/image_doc.h"
#include "formats/dib_convert.h"
#include "platform/le_bytes.h"
#include "doc/packed_dib.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

// A 2 x 1 picture, 4 bits per pixel, two table entries: red and blue.
PackedDib FourBitPicture() {
  PackedDib dib = PackedDib::Allocate(40 + 2 * 4 + 4);
  uint8_t* p = dib.data();
  PutLe32(p, 40);
  PutLe32(p + 4, 2);
  PutLe32(p + 8, 1);
  PutLe16(p + 12, 1);
  PutLe16(p + 14, 4);
  PutLe32(p + 32, 2);
  p[40 + 2] = 255;  // entry 0: red
  p[44 + 0] = 255;  // entry 1: blue
  p[48] = 0x10;     // pixel 0 -> entry 1, pixel 1 -> entry 0
  return dib;
}

testing::Rgb PixelAt(const PackedDib& dib, int x) {
  const uint8_t* p = DibPixelStart(dib.data()) + 3 * x;
  return {p[2], p[1], p[0]};
}

TEST(ConvertDibTo24, CopyLeavesTheSourceAlone) {
  const PackedDib source = FourBitPicture();
  const PackedDib out = ConvertDibTo24(source);
  ASSERT_TRUE(out);
  EXPECT_TRUE(IsCanonical24(ReadDibHeader(out.data())));
  EXPECT_EQ(PixelAt(out, 0), (testing::Rgb{0, 0, 255}));
  EXPECT_EQ(PixelAt(out, 1), (testing::Rgb{255, 0, 0}));
  EXPECT_EQ(GetLe16(source.data() + 14), 4);

  // A canonical source is copied, not shared.
  const PackedDib copy = ConvertDibTo24(out);
  ASSERT_TRUE(copy);
  EXPECT_NE(copy.data(), out.data());
  EXPECT_EQ(PixelAt(copy, 0), PixelAt(out, 0));
}

TEST(ConvertDibTo24, ConsumingHandsBackACanonicalSourceAsItIs) {
  PackedDib canonical = PackedDib::Canonical24(3, 3);
  const uint8_t* block = canonical.data();
  const PackedDib out = ConvertDibTo24(std::move(canonical));
  EXPECT_EQ(out.data(), block);
  EXPECT_TRUE(canonical.empty());

  PackedDib indexed = FourBitPicture();
  const PackedDib converted = ConvertDibTo24(std::move(indexed));
  EXPECT_TRUE(converted);
  EXPECT_TRUE(indexed.empty());
}

TEST(ConvertDibTo24, RefusesBlocksItCannotReadSafely) {
  PackedDib shortBlock = FourBitPicture();
  PutLe32(shortBlock.data() + 8, 50);  // claims 50 rows, holds one
  EXPECT_FALSE(ConvertDibTo24(shortBlock));
  PackedDib compressed = FourBitPicture();
  PutLe32(compressed.data() + 16, 2);  // RLE4
  EXPECT_FALSE(ConvertDibTo24(compressed));
  EXPECT_FALSE(ConvertDibTo24(PackedDib{}));
  // Consuming a block that cannot be converted still releases it.
  EXPECT_FALSE(ConvertDibTo24(std::move(shortBlock)));
  EXPECT_TRUE(shortBlock.empty());
}

TEST(ConvertDocTo24, ReplacesTheDocumentsPicture) {
  testing::RecordingShell shell;
  ImageDoc doc;
  SetDocPicture(doc, FourBitPicture());
  EXPECT_EQ(doc.bitCount, 4);
  EXPECT_EQ(ConvertDocTo24(shell, doc), 0);
  EXPECT_EQ(doc.bitCount, 24);
  EXPECT_EQ(testing::PixelOf(doc, 0, 0), (testing::Rgb{0, 0, 255}));

  PackedDib broken = FourBitPicture();
  PutLe32(broken.data() + 8, 50);
  SetDocPicture(doc, std::move(broken));
  EXPECT_EQ(ConvertDocTo24(shell, doc), 1);
  EXPECT_TRUE(doc.dib.empty());
  EXPECT_FALSE(doc.HasPicture());
  EXPECT_TRUE(shell.errors.empty());
}

}  // namespace
}  // namespace veilo
