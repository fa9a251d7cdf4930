// Public JPEG 2000 corpus: the ISO/IEC 15444-4 class-1 code streams against
// their reference decodes, the JP2 conformance files, and OpenJPEG's
// regression files (decoded, or refused with the reader's message).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "formats/jp2_reader.h"
#include "formats/tiff_reader.h"
#include "ppm_reference.h"
#include "loaded_picture.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

std::string Corpus(const std::string& name) { return testing::SharedDataPath("openjpeg-data/" + name); }
bool Present(const std::string& path) { return std::filesystem::exists(path); }

using testing::Loaded;

Loaded Load(const std::string& path) {
  return testing::LoadWith([](ShellNotifications& shell, ImageDoc& doc) { return ReadJp2File(shell, doc); }, path);
}

// One component of a reference decode: "PG ML <sign><depth> <w> <h>\n" and
// big-endian samples, 1 byte each up to 8 bits, else 2.
struct Pgx {
  bool sgnd = false;
  int depth = 0;
  int32_t width = 0, height = 0;
  std::vector<int32_t> samples;
};

std::optional<Pgx> ReadPgx(const std::string& path) {
  const std::vector<uint8_t> bytes = testing::ReadFileBytes(path);
  const auto eol = std::find(bytes.begin(), bytes.end(), '\n');
  if (eol == bytes.end()) return std::nullopt;
  std::string head(bytes.begin(), eol);
  Pgx pgx;
  const size_t sign = head.find_first_of("+-", 5);
  if (sign != std::string::npos) {
    pgx.sgnd = head[sign] == '-';
    head[sign] = ' ';
  }
  std::istringstream fields(head.substr(5));
  if (!(fields >> pgx.depth >> pgx.width >> pgx.height)) return std::nullopt;
  const size_t bytesPerSample = pgx.depth > 8 ? 2 : 1;
  const auto data = static_cast<size_t>(eol - bytes.begin()) + 1;
  const size_t count = static_cast<size_t>(pgx.width) * static_cast<size_t>(pgx.height);
  if (bytes.size() < data + count * bytesPerSample) return std::nullopt;
  for (size_t i = 0; i < count; ++i) {
    uint32_t v = bytes[data + i * bytesPerSample];
    if (bytesPerSample == 2) v = v << 8 | bytes[data + i * 2 + 1];
    // Signed samples are stored sign-extended to the sample's byte width.
    int32_t s = static_cast<int32_t>(v);
    const int width = static_cast<int>(bytesPerSample) * 8;
    if (pgx.sgnd && (v >> (width - 1)) & 1) s -= int32_t{1} << width;
    pgx.samples.push_back(s);
  }
  return pgx;
}

// A reference sample brought to 8 bits the way a viewer shows it.
int To8Bits(const Pgx& pgx, int32_t sample) {
  const int64_t max = (int64_t{1} << pgx.depth) - 1;
  const int64_t v = std::clamp<int64_t>(sample + (pgx.sgnd ? int64_t{1} << (pgx.depth - 1) : 0), 0, max);
  return static_cast<int>((v * 255 + max / 2) / max);
}

uint8_t Channel(const testing::Rgb& c, int channel) { return channel == 0 ? c.r : channel == 1 ? c.g : c.b; }

struct Reference {
  const char* pgx;
  int channel;  // 0 red (also gray), 1 green, 2 blue
  uint32_t dx, dy;
  int peak;     // allowed difference at the reference's own precision
};

struct StreamCase {
  const char* stream;
  int32_t width, height;
  uint32_t x0, y0;  // image area offset on the reference grid
  std::vector<Reference> refs;
};

// Compares each reference sample with the picture pixel where it sits.
std::string CompareComponent(ImageDoc& doc, const StreamCase& c, const Reference& r, const Pgx& pgx) {
  const uint32_t firstX = (c.x0 + r.dx - 1) / r.dx;
  const uint32_t firstY = (c.y0 + r.dy - 1) / r.dy;
  const int tolerance = r.peak == 0 ? 0 : static_cast<int>((int64_t{r.peak} * 255 + ((1 << pgx.depth) - 2)) / ((1 << pgx.depth) - 1)) + 1;
  for (int32_t j = 0; j < pgx.height; ++j)
    for (int32_t i = 0; i < pgx.width; ++i) {
      const auto x = static_cast<int32_t>((firstX + static_cast<uint32_t>(i)) * r.dx - c.x0);
      const auto y = static_cast<int32_t>((firstY + static_cast<uint32_t>(j)) * r.dy - c.y0);
      if (x < 0 || y < 0 || x >= doc.width || y >= doc.height) continue;
      const int want = To8Bits(pgx, pgx.samples[static_cast<size_t>(j) * static_cast<size_t>(pgx.width) + static_cast<size_t>(i)]);
      const int got = Channel(testing::PixelOf(doc, x, y), r.channel);
      if (std::abs(got - want) > tolerance)
        return "sample (" + std::to_string(i) + "," + std::to_string(j) + "): " + std::to_string(got) + ", expected " +
               std::to_string(want);
    }
  return {};
}

TEST(OpenJpegConformance, ClassOneStreamsMatchTheirReferenceDecodes) {
  if (!Present(Corpus("conformance/p0_01.j2k"))) GTEST_SKIP() << "corpus not present";
  const std::vector<StreamCase> cases = {
      {"p0_01", 128, 128, 0, 0, {{"c1p0_01_0", 0, 1, 1, 0}}},
      {"p0_02", 127, 126, 0, 0, {{"c1p0_02_0", 0, 2, 1, 0}}},
      {"p0_03", 256, 256, 0, 0, {{"c1p0_03_0", 0, 1, 1, 0}}},
      {"p0_06", 513, 129, 0, 0, {{"c1p0_06_0", 0, 1, 1, 635}, {"c1p0_06_1", 1, 2, 1, 403}, {"c1p0_06_2", 2, 1, 2, 378}}},
      {"p0_09", 17, 37, 0, 0, {{"c1p0_09_0", 0, 1, 1, 0}}},
      {"p0_10", 256, 256, 0, 0, {{"c1p0_10_0", 0, 4, 4, 0}, {"c1p0_10_1", 1, 4, 4, 0}, {"c1p0_10_2", 2, 4, 4, 0}}},
      {"p0_11", 128, 1, 0, 0, {{"c1p0_11_0", 0, 1, 1, 0}}},
      {"p0_12", 3, 5, 0, 0, {{"c1p0_12_0", 0, 1, 1, 0}}},
      {"p0_13", 1, 1, 0, 0, {{"c1p0_13_0", 0, 1, 1, 0}, {"c1p0_13_1", 1, 1, 1, 0}, {"c1p0_13_2", 2, 1, 1, 0}}},
      {"p0_14", 49, 49, 0, 0, {{"c1p0_14_0", 0, 1, 1, 0}, {"c1p0_14_1", 1, 1, 1, 0}, {"c1p0_14_2", 2, 1, 1, 0}}},
      {"p0_15", 256, 256, 0, 0, {{"c1p0_15_0", 0, 1, 1, 0}}},
      {"p0_16", 128, 128, 0, 0, {{"c1p0_16_0", 0, 1, 1, 0}}},
      {"p1_01", 122, 99, 5, 128, {{"c1p1_01_0", 0, 2, 1, 0}}},
      {"p1_06", 12, 12, 0, 0, {{"c1p1_06_0", 0, 1, 1, 2}, {"c1p1_06_1", 1, 1, 1, 2}, {"c1p1_06_2", 2, 1, 1, 2}}},
      // Two components: the first is shown as gray.
      {"p1_07", 8, 12, 4, 0, {{"c1p1_07_0", 0, 4, 1, 0}, {"c1p1_07_0", 2, 4, 1, 0}}},
  };
  for (const StreamCase& c : cases) {
    SCOPED_TRACE(c.stream);
    Loaded loaded = Load(Corpus(std::string("conformance/") + c.stream + ".j2k"));
    ASSERT_EQ(loaded.result, 1);
    EXPECT_TRUE(loaded.errors.empty());
    ASSERT_EQ(loaded.doc.width, c.width);
    ASSERT_EQ(loaded.doc.height, c.height);
    for (const Reference& r : c.refs) {
      SCOPED_TRACE(r.pgx);
      const auto pgx = ReadPgx(Corpus(std::string("conformance-reference/") + r.pgx + ".pgx"));
      ASSERT_TRUE(pgx);
      EXPECT_EQ(CompareComponent(loaded.doc, c, r, *pgx), "");
    }
  }
}

TEST(OpenJpegConformance, GrayStreamsHaveEqualChannels) {
  if (!Present(Corpus("conformance/p0_01.j2k"))) GTEST_SKIP() << "corpus not present";
  Loaded loaded = Load(Corpus("conformance/p0_01.j2k"));
  ASSERT_EQ(loaded.result, 1);
  for (int32_t y = 0; y < loaded.doc.height; y += 7)
    for (int32_t x = 0; x < loaded.doc.width; x += 5) {
      const testing::Rgb c = testing::PixelOf(loaded.doc, x, y);
      ASSERT_TRUE(c.r == c.g && c.g == c.b) << x << "," << y;
    }
}

// The corpus renders these JP2 files as 8-bit RGB TIFFs; 4 levels of
// difference are allowed.
TEST(OpenJpegConformance, Jp2FilesMatchTheirRenderings) {
  if (!Present(Corpus("conformance/file4.jp2"))) GTEST_SKIP() << "corpus not present";
  for (const char* name : {"4", "9"}) {
    SCOPED_TRACE(name);
    Loaded jp2 = Load(Corpus(std::string("conformance/file") + name + ".jp2"));
    ASSERT_EQ(jp2.result, 1);
    testing::RecordingShell shell;
    ImageDoc tiff;
    tiff.path = Corpus(std::string("conformance-reference/jp2_") + name + ".tif");
    ASSERT_EQ(ReadTiffFile(shell, tiff), 1);
    ASSERT_EQ(jp2.doc.width, tiff.width);
    ASSERT_EQ(jp2.doc.height, tiff.height);
    int worst = 0;
    for (int32_t y = 0; y < tiff.height; ++y)
      for (int32_t x = 0; x < tiff.width; ++x) {
        const testing::Rgb a = testing::PixelOf(jp2.doc, x, y);
        const testing::Rgb b = testing::PixelOf(tiff, x, y);
        worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
      }
    EXPECT_LE(worst, 4);
  }
}

TEST(OpenJpegConformance, OtherJp2FilesLoadAtTheirSize) {
  if (!Present(Corpus("conformance/file1.jp2"))) GTEST_SKIP() << "corpus not present";
  struct Case {
    const char* name;
    int32_t width, height;
  };
  for (const Case& c : {Case{"file1", 768, 512}, Case{"file2", 480, 640}, Case{"file3", 480, 640},
                        Case{"file6", 768, 512}, Case{"file8", 700, 400}}) {
    SCOPED_TRACE(c.name);
    Loaded loaded = Load(Corpus(std::string("conformance/") + c.name + ".jp2"));
    ASSERT_EQ(loaded.result, 1);
    EXPECT_EQ(loaded.doc.width, c.width);
    EXPECT_EQ(loaded.doc.height, c.height);
  }
  // The 12-bit gray file and the 8-bit one show the same picture.
  Loaded eight = Load(Corpus("conformance/file4.jp2"));
  Loaded twelve = Load(Corpus("conformance/file6.jp2"));
  ASSERT_EQ(eight.result, 1);
  ASSERT_EQ(twelve.result, 1);
  int worst = 0;
  for (int32_t y = 0; y < eight.doc.height; y += 3)
    for (int32_t x = 0; x < eight.doc.width; x += 3)
      worst = std::max(worst, std::abs(testing::PixelOf(eight.doc, x, y).r - testing::PixelOf(twelve.doc, x, y).r));
  EXPECT_LE(worst, 8);
}

// sYCC files with sub-sampled chroma, rendered as RGB by OpenJPEG's own tool.
TEST(OpenJpegConformance, YccFilesAreShownInRgb) {
  if (!Present(Corpus("nonregression/issue411-ycc444.jp2"))) GTEST_SKIP() << "corpus not present";
  for (const char* name : {"issue411-ycc444", "issue411-ycc422", "issue411-ycc420"}) {
    SCOPED_TRACE(name);
    Loaded loaded = Load(Corpus(std::string("nonregression/") + name + ".jp2"));
    ASSERT_EQ(loaded.result, 1);
    const auto ref = testing::ReadPpm(testing::TestDataPath(std::string("jp2-ref/") + name + ".ppm"));
    ASSERT_TRUE(ref);
    EXPECT_EQ(testing::CompareWithPpm(loaded.doc, *ref, 3), "");
  }
}

TEST(OpenJpegRegressionFiles, ValidFilesDecode) {
  if (!Present(Corpus("nonregression/Marrin.jp2"))) GTEST_SKIP() << "corpus not present";
  for (const char* name :
       {"basn4a08.jp2", "basn6a08.jp2", "Marrin.jp2", "orb-blue10-lin-jp2.jp2", "orb-blue10-lin-j2k.j2k", "relax.jp2",
        "text_GBR.jp2", "issue559-eci-091-CIELab.jp2", "issue188_beach_64bitsbox.jp2", "cthead1.j2k",
        "tnsot_zero_missing_eoc.jp2"}) {
    SCOPED_TRACE(name);
    Loaded loaded = Load(Corpus(std::string("nonregression/") + name));
    EXPECT_EQ(loaded.result, 1);
    EXPECT_TRUE(loaded.errors.empty());
  }
}

// Recent OpenJPEG releases decode it; 2.5.0 refuses the tile size in its
// header. Either way nothing absurd is allocated.
TEST(OpenJpegRegressionFiles, AbsurdTileSizeLoadsOrIsRefusedCleanly) {
  if (!Present(Corpus("nonregression/huge-tile-size.jp2"))) GTEST_SKIP() << "corpus not present";
  Loaded loaded = Load(Corpus("nonregression/huge-tile-size.jp2"));
  if (loaded.result == 1) {
    EXPECT_TRUE(loaded.errors.empty());
  } else {
    EXPECT_EQ(loaded.errors, std::vector<std::string>{"error: cannot load image data"});
  }
}

TEST(OpenJpegRegressionFiles, DamagedAndOversizedFilesAreRefusedWithTheMessage) {
  if (!Present(Corpus("nonregression/broken1.jp2"))) GTEST_SKIP() << "corpus not present";
  for (const char* name :
       {"broken.jpc", "broken1.jp2", "broken2.jp2", "broken3.jp2", "broken4.jp2",
        "gdal_fuzzer_assert_in_opj_j2k_read_SQcd_SQcc.patch.jp2", "gdal_fuzzer_check_comp_dx_dy.jp2",
        "gdal_fuzzer_check_number_of_tiles.jp2", "gdal_fuzzer_unchecked_numresolutions.jp2", "issue165.jp2",
        "issue427-null-image-size.jp2", "issue427-illegal-tile-offset.jp2", "issue1438.j2k",
        "issue1472-bigloop.j2k"}) {
    SCOPED_TRACE(name);
    Loaded loaded = Load(Corpus(std::string("nonregression/") + name));
    EXPECT_EQ(loaded.result, 0);
    EXPECT_EQ(loaded.errors, std::vector<std::string>{"error: cannot load image data"});
    EXPECT_FALSE(loaded.doc.HasPicture());
  }
}

}  // namespace
}  // namespace veilo
