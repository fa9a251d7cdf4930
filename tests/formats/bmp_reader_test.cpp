#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "doc/image_doc.h"
#include "formats/bmp_reader.h"
#include "platform/le_bytes.h"
#include "doc/packed_dib.h"
#include "ppm_reference.h"
#include "doc/picture_limits.h"
#include "formats/file_messages.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::RecordingShell;

struct ReadResult {
  int result = -1;
  ImageDoc doc;
  RecordingShell shell;
};

void Read(const std::string& path, ReadResult& r) {
  r.doc.path = path;
  r.result = ReadBmpFile(r.shell, r.doc);
}

// Every successfully read picture is held in the canonical 24-bit form.
void ExpectCanonical(ImageDoc& doc) {
  ASSERT_FALSE(doc.dib.empty());
  const DibHeader h = ReadDibHeader(doc.dib.data());
  EXPECT_TRUE(IsCanonical24(h));
  EXPECT_EQ(doc.bitCount, 24);
  EXPECT_EQ(static_cast<int32_t>(h.width), doc.width);
  EXPECT_EQ(static_cast<int32_t>(h.height), doc.height);
  EXPECT_EQ(DibTotalSize(h), std::optional<size_t>(doc.dib.size()));
  EXPECT_EQ(GetLe32(doc.dib.data() + 24), 39u);
  EXPECT_EQ(GetLe32(doc.dib.data() + 28), 39u);
  EXPECT_EQ(GetLe32(doc.dib.data() + 20), RowStride24(h.width) * h.height);
}

// "rle8-no-end" -> "rle8_no_end": test names allow no hyphens.
std::string FixtureTestName(const ::testing::TestParamInfo<const char*>& param) {
  std::string name = param.param;
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

class AcceptedFixture : public ::testing::TestWithParam<const char*> {};

TEST_P(AcceptedFixture, DecodesToItsReference) {
  const std::string name = GetParam();
  ReadResult r;
  Read(testing::TestDataPath("bmp/" + name + ".bmp"), r);
  ASSERT_EQ(r.result, 0) << name;
  EXPECT_TRUE(r.shell.errors.empty());
  EXPECT_EQ(r.shell.waitEntries, 1);
  EXPECT_EQ(r.shell.waitDepth, 0);
  EXPECT_EQ(r.doc.fileHeader[0], 'B');
  EXPECT_EQ(r.doc.fileHeader[1], 'M');
  ExpectCanonical(r.doc);
  const auto ref = testing::ReadPpm(testing::TestDataPath("bmp/" + name + ".ppm"));
  ASSERT_TRUE(ref) << "reference of " << name;
  EXPECT_EQ(testing::CompareWithPpm(r.doc, *ref), "") << name;
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, AcceptedFixture,
    ::testing::Values("pal1-w13", "pal4-w5", "pal8-w6-used20", "pal8-index-beyond-table", "core-pal8",
                      "core-pal1", "rgb24-w3", "core-rgb24", "topdown-rgb24", "rgb32", "rgb32-bitfields",
                      "rgb32-v5-bitfields", "rgb16-555", "rgb16-565-bitfields", "rgb16-zero-green-mask",
                      "rgb16-v5-bitfields", "rgb16-bitfields-short-tail", "rle8", "rle8-no-end",
                      "rle8-overrun", "rle8-delta-beyond-top"),
    FixtureTestName);

class RefusedFixture : public ::testing::TestWithParam<const char*> {};

TEST_P(RefusedFixture, ReportsReadErrorAndHoldsNoPicture) {
  const std::string name = GetParam();
  ReadResult r;
  Read(testing::TestDataPath("bmp/" + name + ".bmp"), r);
  EXPECT_EQ(r.result, 1) << name;
  EXPECT_EQ(r.shell.errors, std::vector<std::string>{"Read Error !"}) << name;
  EXPECT_TRUE(r.doc.dib.empty());
  EXPECT_FALSE(r.doc.HasPicture());
  EXPECT_EQ(r.shell.waitDepth, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, RefusedFixture,
    ::testing::Values("bad-signature", "short-file-header", "empty",
                      "header-only", "header-size-8", "header-size-13", "header-size-huge", "truncated-pixels",
                      "huge-palette", "rle8-topdown", "rle4", "jpeg-compressed", "bitcount-2", "zero-width",
                      "negative-width", "width-over-65535", "rgb16-bitfields-truncated"),
    FixtureTestName);

TEST(ReadBmpFile, SizesNoBuildCanHoldAreRefusedWithTheSizeMessage) {
  for (const char* name : {"huge-dims", "huge-dims-rle8"}) {
    ReadResult r;
    Read(testing::TestDataPath(std::string("bmp/") + name + ".bmp"), r);
    EXPECT_EQ(r.result, 1) << name;
    EXPECT_EQ(r.shell.errors, std::vector<std::string>{PictureTooLargeText(65535, 65535, false, kBuildPointerBits)})
        << name;
    EXPECT_FALSE(r.doc.HasPicture());
    EXPECT_EQ(r.shell.waitDepth, 0);
  }
}

TEST(ReadBmpFile, MissingFileFailsSilently) {
  ReadResult r;
  Read(testing::TestDataPath("bmp/no-such-file.bmp"), r);
  EXPECT_EQ(r.result, 1);
  EXPECT_TRUE(r.shell.errors.empty());
  EXPECT_EQ(r.shell.waitEntries, 0);
  EXPECT_TRUE(r.doc.dib.empty());
}

TEST(ReadBmpFile, KeepsTheFileHeader) {
  ReadResult r;
  Read(testing::TestDataPath("bmp/rgb24-w3.bmp"), r);
  ASSERT_EQ(r.result, 0);
  const auto bytes = testing::ReadFileBytes(testing::TestDataPath("bmp/rgb24-w3.bmp"));
  EXPECT_TRUE(std::equal(r.doc.fileHeader.begin(), r.doc.fileHeader.end(), bytes.begin()));
}

TEST(ReadBmpFile, SixteenBitsWithoutBitFieldsAreFiveFiveFive) {
  ReadResult r;
  Read(testing::TestDataPath("bmp/rgb16-555.bmp"), r);
  ASSERT_EQ(r.result, 0);
  EXPECT_EQ(testing::PixelOf(r.doc, 0, 0), (testing::Rgb{255, 255, 255}));  // 0x7FFF
  EXPECT_EQ(testing::PixelOf(r.doc, 1, 0), (testing::Rgb{8, 8, 8}));        // 0x0421
}

TEST(ReadBmpFile, AReadReplacesAnEarlierPicture) {
  ReadResult r;
  r.doc = testing::MakeDoc(4, 4, [](int32_t, int32_t) { return testing::Rgb{1, 2, 3}; });
  Read(testing::TestDataPath("bmp/huge-dims.bmp"), r);
  EXPECT_EQ(r.result, 1);
  EXPECT_TRUE(r.doc.dib.empty());
  EXPECT_EQ(r.doc.width, 0);
}

}  // namespace
}  // namespace veilo
