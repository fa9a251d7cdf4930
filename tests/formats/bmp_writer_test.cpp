#include <gtest/gtest.h>

#include <vector>

#include "doc/image_doc.h"
#include "formats/bmp_reader.h"
#include "formats/bmp_writer.h"
#include "platform/le_bytes.h"
#include "doc/packed_dib.h"
#include "ppm_reference.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::Rgb;

// Colour number i of a palette of distinct colours.
Rgb Colour(int i) { return {static_cast<uint8_t>(i * 37), static_cast<uint8_t>(i * 11 + 5), static_cast<uint8_t>(i / 7)}; }

// A picture using exactly `count` colours, colour 0 at the bottom-left and
// the others appearing in order along the stored rows (bottom row first).
ImageDoc PictureWithColours(int count, int32_t width, int32_t height) {
  return testing::MakeDoc(width, height, [&](int32_t x, int32_t y) {
    const int stored = (height - 1 - y) * width + x;  // position in stored order
    return Colour(stored < count ? stored : stored % count);
  });
}

ImageDoc ReadBack(const std::string& path) {
  testing::RecordingShell shell;
  ImageDoc doc;
  doc.path = path;
  EXPECT_EQ(ReadBmpFile(shell, doc), 0) << path;
  return doc;
}

struct IndexedCase {
  int colours;
  int32_t width, height;
  uint16_t bits;
};

TEST(WriteBmpFile, ChoosesTheDepthByColourCount) {
  const IndexedCase cases[] = {
      {1, 5, 3, 1},  {2, 9, 2, 1},   {3, 5, 3, 4},    {16, 7, 3, 4},
      {17, 6, 4, 8}, {256, 17, 16, 8}, {257, 17, 16, 24}, {600, 31, 20, 24},
  };
  testing::TempFolder folder;
  testing::RecordingShell shell;
  for (const IndexedCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.colours << " colours, " << c.width << "x" << c.height);
    ImageDoc doc = PictureWithColours(c.colours, c.width, c.height);
    const std::string path = folder.Path("out.bmp");
    ASSERT_EQ(WriteBmpFile(shell, path, doc.dib), 1);
    const std::vector<uint8_t> file = testing::ReadFileBytes(path);
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(GetLe32(&file[2]), file.size()) << "file size field";
    const uint8_t* info = &file[14];
    EXPECT_EQ(GetLe16(info + 14), c.bits);
    EXPECT_EQ(GetLe32(info + 4), static_cast<uint32_t>(c.width));
    EXPECT_EQ(GetLe32(info + 8), static_cast<uint32_t>(c.height));
    EXPECT_EQ(GetLe16(info + 12), 1);
    EXPECT_EQ(GetLe32(info + 16), 0u);
    EXPECT_EQ(GetLe32(info + 24), 39u);
    EXPECT_EQ(GetLe32(info + 28), 39u);
    const size_t stride = DibRowStride(c.bits, static_cast<uint32_t>(c.width));
    EXPECT_EQ(GetLe32(info + 20), stride * static_cast<size_t>(c.height));
    if (c.bits == 24) {
      // Stored as the block is held: file header, then the block byte for byte.
      ASSERT_EQ(file.size(), 14 + doc.dib.size());
      EXPECT_TRUE(std::equal(file.begin() + 14, file.end(), doc.dib.data()));
      EXPECT_EQ(GetLe32(&file[10]), 54u);
    } else {
      const size_t entries = size_t{1} << c.bits;
      EXPECT_EQ(GetLe32(&file[10]), 54 + 4 * entries) << "pixel offset";
      EXPECT_EQ(file.size(), 54 + 4 * entries + stride * static_cast<size_t>(c.height));
      // The table lists the colours in order of first appearance, then zeros.
      for (size_t i = 0; i < entries; ++i) {
        const uint8_t* e = &file[54 + 4 * i];
        const Rgb want = static_cast<int>(i) < c.colours ? Colour(static_cast<int>(i)) : Rgb{};
        EXPECT_EQ((Rgb{e[2], e[1], e[0]}), want) << "entry " << i;
        EXPECT_EQ(e[3], 0);
      }
    }
    ImageDoc back = ReadBack(path);
    EXPECT_EQ(testing::DescribePixelDifference(doc, back), "");
  }
}

TEST(WriteBmpFile, OneColourIsAOneBitFileOfZeros) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  ImageDoc doc = testing::MakeDoc(10, 2, [](int32_t, int32_t) { return Rgb{9, 8, 7}; });
  ASSERT_EQ(WriteBmpFile(shell, folder.Path("one.bmp"), doc.dib), 1);
  const auto file = testing::ReadFileBytes(folder.Path("one.bmp"));
  ASSERT_EQ(file.size(), 62u + 2 * 4);
  EXPECT_EQ((std::vector<uint8_t>(file.begin() + 54, file.begin() + 62)),
            (std::vector<uint8_t>{7, 8, 9, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(std::all_of(file.begin() + 62, file.end(), [](uint8_t b) { return b == 0; }));
}

TEST(WriteBmpFile, OddWidthFourBitRowsEndWithAHighNibble) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  // Three colours, 3 pixels wide: indices 0 1 2 -> bytes 0x01, 0x20, padding.
  ImageDoc doc = testing::MakeDoc(3, 1, [](int32_t x, int32_t) { return Colour(x); });
  ASSERT_EQ(WriteBmpFile(shell, folder.Path("odd.bmp"), doc.dib), 1);
  const auto file = testing::ReadFileBytes(folder.Path("odd.bmp"));
  ASSERT_EQ(file.size(), 54u + 64 + 4);
  EXPECT_EQ((std::vector<uint8_t>(file.end() - 4, file.end())), (std::vector<uint8_t>{0x01, 0x20, 0, 0}));
}

TEST(WriteBmpFile, OneBitPixelsGoMostSignificantBitFirst) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  ImageDoc doc = testing::MakeDoc(10, 1, [](int32_t x, int32_t) { return Colour(x == 1 || x == 8 ? 1 : 0); });
  ASSERT_EQ(WriteBmpFile(shell, folder.Path("bits.bmp"), doc.dib), 1);
  const auto file = testing::ReadFileBytes(folder.Path("bits.bmp"));
  ASSERT_EQ(file.size(), 62u + 4);
  EXPECT_EQ((std::vector<uint8_t>(file.end() - 4, file.end())), (std::vector<uint8_t>{0x40, 0x80, 0, 0}));
}

TEST(WriteBmpFile, BottomLeftColourIsEntryZero) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  // The top-left pixel appears first in reading order but last in stored order.
  ImageDoc doc = testing::MakeDoc(2, 2, [](int32_t x, int32_t y) { return y == 1 && x == 0 ? Colour(5) : Colour(6); });
  ASSERT_EQ(WriteBmpFile(shell, folder.Path("order.bmp"), doc.dib), 1);
  const auto file = testing::ReadFileBytes(folder.Path("order.bmp"));
  EXPECT_EQ((Rgb{file[56], file[55], file[54]}), Colour(5));
  EXPECT_EQ((Rgb{file[60], file[59], file[58]}), Colour(6));
}

TEST(WriteBmpFile, ConvertsOtherDepthsBeforeWriting) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  // An 8-bit block with a core header, as a scanner might hand one over.
  PackedDib dib = PackedDib::Allocate(12 + 768 + 4);
  PutLe32(dib.data(), 12);
  PutLe16(dib.data() + 4, 2);
  PutLe16(dib.data() + 6, 1);
  PutLe16(dib.data() + 8, 1);
  PutLe16(dib.data() + 10, 8);
  dib.data()[12 + 3 * 1 + 2] = 200;  // entry 1: red 200
  dib.data()[12 + 768 + 1] = 1;
  ASSERT_EQ(WriteBmpFile(shell, folder.Path("core.bmp"), dib), 1);
  ImageDoc back = ReadBack(folder.Path("core.bmp"));
  EXPECT_EQ(testing::PixelOf(back, 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(testing::PixelOf(back, 1, 0), (Rgb{200, 0, 0}));
}

TEST(WriteBmpFile, RefusesAnInconsistentBlockAndCreatesNothing) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  PackedDib dib = PackedDib::Canonical24(4, 4);
  PutLe32(dib.data() + 8, 400);  // the header claims more rows than the block holds
  EXPECT_EQ(WriteBmpFile(shell, folder.Path("bad.bmp"), dib), 0);
  EXPECT_EQ(WriteBmpFile(shell, folder.Path("empty.bmp"), PackedDib{}), 0);
  EXPECT_TRUE(folder.Entries().empty());
  EXPECT_TRUE(shell.errors.empty());
}

TEST(WriteBmpFile, TwentyFourBitFileReadsAndWritesBackUnchanged) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  ImageDoc doc = testing::MakeNoiseDoc(13, 7);
  ASSERT_EQ(WriteBmpFile(shell, folder.Path("a.bmp"), doc.dib), 1);
  ImageDoc back = ReadBack(folder.Path("a.bmp"));
  ASSERT_EQ(WriteBmpFile(shell, folder.Path("b.bmp"), back.dib), 1);
  EXPECT_EQ(testing::ReadFileBytes(folder.Path("a.bmp")), testing::ReadFileBytes(folder.Path("b.bmp")));
}

}  // namespace
}  // namespace veilo
