// Public TIFF corpora: libtiff's test images with their exact references and
// malformed directory chains, and libtiff's sample pictures including the
// depth series. Every file either loads or is refused without a message.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "formats/tiff_reader.h"
#include "ppm_reference.h"
#include "loaded_picture.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

std::string Libtiff(const std::string& name) { return testing::SharedDataPath("libtiff/" + name); }
std::string Pics(const std::string& name) { return testing::SharedDataPath("libtiffpic/" + name); }
bool Present(const std::string& path) { return std::filesystem::exists(path); }

using testing::Loaded;

Loaded Load(const std::string& path) {
  return testing::LoadWith([](ShellNotifications& shell, ImageDoc& doc) { return ReadTiffFile(shell, doc); }, path);
}

int WorstDifference(ImageDoc& a, ImageDoc& b) {
  int worst = 0;
  for (int32_t y = 0; y < a.height; ++y)
    for (int32_t x = 0; x < a.width; ++x) {
      const testing::Rgb p = testing::PixelOf(a, x, y);
      const testing::Rgb q = testing::PixelOf(b, x, y);
      worst = std::max({worst, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
    }
  return worst;
}

TEST(LibtiffCorpus, FilesWithExactReferencesMatchThem) {
  if (!Present(Libtiff("rgb-3c-8b.tiff"))) GTEST_SKIP() << "corpus not present";
  struct Case {
    const char* tiff;
    const char* ref;
    int tolerance;  // 16-bit samples: the reference was rounded to 8 bits
  };
  for (const Case& c : {Case{"rgb-3c-8b.tiff", "rgb-3c-8b", 0}, Case{"rgb-3c-16b.tiff", "rgb-3c-16b", 1},
                        Case{"minisblack-1c-8b.tiff", "minisblack-1c-8b", 0},
                        Case{"miniswhite-1c-1b.tiff", "miniswhite-1c-1b", 0}}) {
    SCOPED_TRACE(c.tiff);
    Loaded loaded = Load(Libtiff(c.tiff));
    ASSERT_EQ(loaded.result, 1);
    EXPECT_EQ(loaded.doc.bitCount, 24);
    const auto ref = testing::ReadPpm(testing::TestDataPath(std::string("tiff-ref/") + c.ref + ".ppm"));
    ASSERT_TRUE(ref);
    EXPECT_EQ(testing::CompareWithPpm(loaded.doc, *ref, c.tolerance), "");
  }
}

int complaintsSeen = 0;
void CountComplaint(const char*, const char*, va_list) { ++complaintsSeen; }

// The pixels libtiff's one-call read gives for the first directory, as
// top-down rows of red, green and blue; empty when it fails or complains. A
// damaged strip leaves rows holding whatever the decoder's buffer held
// before, which depends on how the reads were split, so such files say
// nothing about the banding.
std::vector<testing::Rgb> ReadInOneCall(const std::string& path, uint32_t& width, uint32_t& height) {
  TIFFSetErrorHandler(CountComplaint);
  TIFFSetWarningHandler(CountComplaint);
  complaintsSeen = 0;
  std::unique_ptr<TIFF, void (*)(TIFF*)> tif(TIFFOpen(path.c_str(), "r"), [](TIFF* t) { if (t) TIFFClose(t); });
  if (!tif || TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width) != 1 ||
      TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height) != 1)
    return {};
  std::vector<uint32_t> raster(size_t{width} * height);
  const bool read = TIFFReadRGBAImageOriented(tif.get(), width, height, raster.data(), ORIENTATION_TOPLEFT, 0) == 1;
  TIFFSetErrorHandler(nullptr);
  TIFFSetWarningHandler(nullptr);
  if (!read || complaintsSeen != 0) return {};
  std::vector<testing::Rgb> pixels;
  pixels.reserve(raster.size());
  for (uint32_t p : raster)
    pixels.push_back({static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p >> 16)});
  return pixels;
}

// The reader reads in bands of whole strips or tiles to show its progress:
// strips, tiles, subsampled YCbCr and old-style JPEG all come out exactly as
// libtiff's single read gives them.
TEST(LibtiffCorpus, ReadingInBandsGivesThePixelsOfOneRead) {
  if (!Present(Libtiff("rgb-3c-8b.tiff"))) GTEST_SKIP() << "corpus not present";
  int compared = 0;
  for (const std::string folder : {"libtiff", "libtiffpic", "libtiffpic/depth"}) {
    for (const auto& entry : std::filesystem::directory_iterator(testing::SharedDataPath(folder))) {
      const std::string ext = entry.path().extension().string();
      if (ext != ".tif" && ext != ".tiff") continue;
      SCOPED_TRACE(entry.path().string());
      Loaded loaded = Load(entry.path().string());
      if (loaded.result != 1) continue;
      uint32_t width = 0, height = 0;
      const std::vector<testing::Rgb> expected = ReadInOneCall(entry.path().string(), width, height);
      if (expected.empty()) continue;
      ASSERT_EQ(loaded.doc.width, static_cast<int32_t>(width));
      ASSERT_EQ(loaded.doc.height, static_cast<int32_t>(height));
      ++compared;
      const PixelBuffer pixels = DocPixels(loaded.doc);
      for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
          const uint8_t* p = pixels.At(static_cast<int32_t>(x), static_cast<int32_t>(y));
          if (!(testing::Rgb{p[kRed], p[kGreen], p[kBlue]} == expected[size_t{y} * width + x]))
            FAIL() << "differs at " << x << ", " << y;
        }
    }
  }
  EXPECT_GE(compared, 40);
}

TEST(LibtiffCorpus, EveryFileLoadsOrIsRefusedSilently) {
  if (!Present(Libtiff("rgb-3c-8b.tiff"))) GTEST_SKIP() << "corpus not present";
  int loadedCount = 0;
  for (const auto& entry : std::filesystem::directory_iterator(testing::SharedDataPath("libtiff"))) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".tif" && ext != ".tiff") continue;
    SCOPED_TRACE(entry.path().filename().string());
    Loaded loaded = Load(entry.path().string());
    EXPECT_TRUE(loaded.errors.empty());
    EXPECT_EQ(loaded.result == 1, loaded.doc.HasPicture());
    if (loaded.result == 1) {
      ++loadedCount;
      EXPECT_EQ(loaded.doc.bitCount, 24);
    }
  }
  EXPECT_GE(loadedCount, 25);
}

TEST(LibtiffCorpus, FirstPageOnlyAndLoopingChainsEnd) {
  if (!Present(Libtiff("test_two_ifds.tif"))) GTEST_SKIP() << "corpus not present";
  Loaded two = Load(Libtiff("test_two_ifds.tif"));
  ASSERT_EQ(two.result, 1);
  EXPECT_EQ(two.doc.width, 1);
  EXPECT_EQ(two.doc.height, 1);
  for (const char* name : {"test_ifd_loop_to_self.tif", "test_ifd_loop_to_first.tif", "test_ifd_loop_subifd.tif"}) {
    SCOPED_TRACE(name);
    Loaded loop = Load(Libtiff(name));
    EXPECT_TRUE(loop.errors.empty());
    EXPECT_EQ(loop.result == 1, loop.doc.HasPicture());
  }
}

TEST(LibtiffCorpus, PaletteGrayAndAlphaFilesBecome24Bit) {
  if (!Present(Libtiff("palette-1c-8b.tiff"))) GTEST_SKIP() << "corpus not present";
  for (const char* name : {"palette-1c-1b.tiff", "palette-1c-4b.tiff", "palette-1c-8b.tiff", "minisblack-1c-16b.tiff",
                           "minisblack-2c-8b-alpha.tiff", "32bpp-None.tiff", "quad-tile.jpg.tiff"}) {
    SCOPED_TRACE(name);
    Loaded loaded = Load(Libtiff(name));
    ASSERT_EQ(loaded.result, 1);
    EXPECT_EQ(loaded.doc.bitCount, 24);
  }
  // The 16-bit gray file is the 8-bit one at a finer precision.
  Loaded eight = Load(Libtiff("minisblack-1c-8b.tiff"));
  Loaded sixteen = Load(Libtiff("minisblack-1c-16b.tiff"));
  ASSERT_EQ(eight.result, 1);
  ASSERT_EQ(sixteen.result, 1);
  EXPECT_LE(WorstDifference(eight.doc, sixteen.doc), 1);
}

TEST(LibtiffPictures, EveryFileLoadsOrIsRefusedSilently) {
  if (!Present(Pics("jello.tif"))) GTEST_SKIP() << "corpus not present";
  int loadedCount = 0;
  for (const std::string folder : {"libtiffpic", "libtiffpic/depth"}) {
    for (const auto& entry : std::filesystem::directory_iterator(testing::SharedDataPath(folder))) {
      if (entry.path().extension() != ".tif") continue;
      SCOPED_TRACE(entry.path().filename().string());
      Loaded loaded = Load(entry.path().string());
      EXPECT_TRUE(loaded.errors.empty());
      EXPECT_EQ(loaded.result == 1, loaded.doc.HasPicture());
      if (loaded.result == 1) ++loadedCount;
    }
  }
  // libtiff's RGBA conversion refuses 6, 10, 12, 14, 24 and 32-bit samples,
  // 2 and 4-bit RGB and 16-bit CMYK: those 22 depth files do not open.
  EXPECT_GE(loadedCount, 25);
}

// The depth series shows one picture at every sample size; from 8 bits up the
// RGB files agree with the 8-bit one, planar or contiguous.
TEST(LibtiffPictures, DepthSeriesAgreesAcrossSampleSizes) {
  if (!Present(Pics("depth/flower-rgb-contig-08.tif"))) GTEST_SKIP() << "corpus not present";
  Loaded base = Load(Pics("depth/flower-rgb-contig-08.tif"));
  ASSERT_EQ(base.result, 1);
  for (const char* layout : {"contig", "planar"})
    for (const char* depth : {"08", "16"}) {
      const std::string name = std::string("depth/flower-rgb-") + layout + "-" + depth + ".tif";
      SCOPED_TRACE(name);
      Loaded other = Load(Pics(name));
      ASSERT_EQ(other.result, 1);
      ASSERT_EQ(other.doc.width, base.doc.width);
      ASSERT_EQ(other.doc.height, base.doc.height);
      EXPECT_LE(WorstDifference(base.doc, other.doc), 1);
    }
}

}  // namespace
}  // namespace veilo
