// Public JPEG corpora: libjpeg-turbo's test pictures and jpeg-decoder's
// reference, odd-size, CMYK and corrupt files. Every file either decodes to
// what the corpus expects or is refused cleanly with a message.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "formats/jpeg_reader.h"
#include "doc/packed_dib.h"
#include "ppm_reference.h"
#include "loaded_picture.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

std::string TurboPath(const std::string& name) { return testing::SharedDataPath("libjpeg-turbo/" + name); }
std::string DecoderPath(const std::string& name) { return testing::SharedDataPath("jpeg-decoder/" + name); }
bool Present(const std::string& path) { return std::filesystem::exists(path); }

using testing::Loaded;

Loaded Load(const std::string& path) {
  return testing::LoadWith([](ShellNotifications& shell, ImageDoc& doc) { return ReadJpegFile(shell, doc); }, path);
}

TEST(LibjpegTurboCorpus, TestPictureMatchesTheFloatingPointReference) {
  if (!Present(TurboPath("testorig.jpg"))) GTEST_SKIP() << "corpus not present";
  Loaded loaded = Load(TurboPath("testorig.jpg"));
  ASSERT_EQ(loaded.result, 1);
  const auto ref = testing::ReadPpm(TurboPath("testorig.ppm"));
  ASSERT_TRUE(ref);
  // The reference comes from the floating-point DCT; ours is the default
  // integer one, which differs by rounding only (at most 3 levels here).
  EXPECT_EQ(testing::CompareWithPpm(loaded.doc, *ref, 3), "");
}

TEST(LibjpegTurboCorpus, SameCoefficientsDecodeToIdenticalPixels) {
  if (!Present(TurboPath("testimgint.jpg"))) GTEST_SKIP() << "corpus not present";
  Loaded baseline = Load(TurboPath("testimgint.jpg"));
  ASSERT_EQ(baseline.result, 1);
  for (const char* name : {"testimgp.jpg", "testimgari.jpg"}) {
    SCOPED_TRACE(name);
    Loaded other = Load(TurboPath(name));
    ASSERT_EQ(other.result, 1);
    EXPECT_EQ(testing::DescribePixelDifference(baseline.doc, other.doc), "");
    EXPECT_TRUE(other.errors.empty());
  }
}

TEST(LibjpegTurboCorpus, CroppedAndTransposedCopyLoads) {
  if (!Present(TurboPath("testimgcrop.jpg"))) GTEST_SKIP() << "corpus not present";
  Loaded loaded = Load(TurboPath("testimgcrop.jpg"));
  ASSERT_EQ(loaded.result, 1);
  EXPECT_EQ(loaded.doc.width, 124);
  EXPECT_EQ(loaded.doc.height, 92);
}

TEST(LibjpegTurboCorpus, TwelveBitFilesAreRefusedWithTheLibrarysMessage) {
  if (!Present(TurboPath("testorig12.jpg"))) GTEST_SKIP() << "corpus not present";
  for (const char* name : {"testorig12.jpg", "monkey12.jpg"}) {
    SCOPED_TRACE(name);
    Loaded loaded = Load(TurboPath(name));
    EXPECT_EQ(loaded.result, 0);
    EXPECT_EQ(loaded.errors, std::vector<std::string>{"Unsupported JPEG data precision 12"});
    EXPECT_FALSE(loaded.doc.HasPicture());
  }
}

// jpeg-decoder's reference renderings (ImageMagick's decode, converted to PPM
// by scripts/make-jpeg-test-data.py).
struct ReferenceCase {
  const char* file;  // under reftest/images/, without ".jpg"
  int tolerance;
};

const ReferenceCase kReferenceCases[] = {
    // CMYK to RGB rounds differently in ImageMagick.
    {"mozilla/jpg-cmyk-1", 1},
    {"mozilla/jpg-cmyk-2", 1},
    {"mozilla/jpg-gray", 0},
    {"mozilla/jpg-srgb-icc", 0},
    {"mozilla/jpg-progressive", 0},
    {"mozilla/jpg-size-1x1", 0},
    {"mozilla/jpg-size-2x2", 0},
    {"mozilla/jpg-size-3x3", 0},
    {"mozilla/jpg-size-4x4", 0},
    {"mozilla/jpg-size-5x5", 0},
    {"mozilla/jpg-size-7x7", 0},
    {"mozilla/jpg-size-8x8", 0},
    {"mozilla/jpg-size-9x9", 0},
    {"mozilla/jpg-size-15x15", 0},
    {"mozilla/jpg-size-16x16", 0},
    {"mozilla/jpg-size-17x17", 0},
    {"mozilla/jpg-size-31x31", 0},
    {"mozilla/jpg-size-32x32", 0},
    {"mozilla/jpg-size-33x33", 0},
    {"16bit-qtables", 0},
    {"extraneous-data", 0},
    // These three were rendered by a decoder that rounds otherwise; djpeg
    // differs from them by as much as we do.
    {"grayscale_16x24_sampling2x2", 2},
    {"grayscale_24x16_sampling2x2", 2},
    {"grayscale_large", 0},
    {"grayscale_long", 0},
    {"grayscale_square", 0},
    {"non-interleaved-mcu", 0},
    {"partial_progressive", 0},
    {"progressive-missing-ac", 0},
    {"progressive-missing-dc", 0},
    {"restarts", 2},
};

TEST(JpegDecoderCorpus, FilesMatchTheirReferenceRenderings) {
  if (!Present(DecoderPath("reftest/images/restarts.jpg"))) GTEST_SKIP() << "corpus not present";
  for (const ReferenceCase& c : kReferenceCases) {
    SCOPED_TRACE(c.file);
    Loaded loaded = Load(DecoderPath(std::string("reftest/images/") + c.file + ".jpg"));
    ASSERT_EQ(loaded.result, 1);
    const auto ref = testing::ReadPpm(testing::TestDataPath(std::string("jpeg-ref/") + c.file + ".ppm"));
    ASSERT_TRUE(ref);
    EXPECT_EQ(testing::CompareWithPpm(loaded.doc, *ref, c.tolerance), "");
  }
}

TEST(JpegDecoderCorpus, FileWithoutStartMarkerIsRefused) {
  if (!Present(DecoderPath("reftest/images/mozilla/jpg-size-6x6.jpg"))) GTEST_SKIP() << "corpus not present";
  Loaded loaded = Load(DecoderPath("reftest/images/mozilla/jpg-size-6x6.jpg"));
  EXPECT_EQ(loaded.result, 0);
  ASSERT_EQ(loaded.errors.size(), 1u);
  EXPECT_EQ(loaded.errors[0].rfind("Not a JPEG file", 0), 0u) << loaded.errors[0];
}

// Every file of the corpora, the corrupt ones included: a clean load into the
// canonical form, or a refusal with a message and no picture. The sanitizers
// watch the library and our glue.
TEST(JpegCorpora, EveryFileLoadsOrIsRefusedCleanly) {
  int files = 0, loadedCount = 0;
  for (const std::string& root : {DecoderPath(""), TurboPath("")}) {
    if (!Present(root)) continue;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
      const auto ext = entry.path().extension();
      if (ext != ".jpg" && ext != ".jpeg") continue;
      ++files;
      SCOPED_TRACE(entry.path().string());
      Loaded loaded = Load(entry.path().string());
      if (loaded.result == 1) {
        ++loadedCount;
        ASSERT_TRUE(loaded.doc.HasPicture());
        const DibHeader h = ReadDibHeader(loaded.doc.dib.data());
        EXPECT_TRUE(IsCanonical24(h));
        EXPECT_EQ(loaded.doc.dib.size(), kInfoHeaderSize + RowStride24(h.width) * h.height);
        EXPECT_EQ(loaded.doc.fileHeader[0], 'B');
        EXPECT_EQ(loaded.doc.fileHeader[1], 'M');
      } else {
        EXPECT_EQ(loaded.result, 0);
        EXPECT_FALSE(loaded.doc.HasPicture());
        EXPECT_FALSE(loaded.errors.empty());
      }
    }
  }
  if (files == 0) GTEST_SKIP() << "corpora not present";
  EXPECT_GT(loadedCount, 0);
}

}  // namespace
}  // namespace veilo
