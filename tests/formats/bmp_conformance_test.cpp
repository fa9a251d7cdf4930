// The public BMP conformance suite: every "good" file either decodes to its
// reference rendering or is one whose feature this reader refuses; every
// questionable or bad file loads or is refused cleanly.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "doc/image_doc.h"
#include "formats/bmp_reader.h"
#include "doc/packed_dib.h"
#include "ppm_reference.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

constexpr const char* kRefused = nullptr;

struct SuiteCase {
  const char* file;       // under the suite's folder
  const char* reference;  // tests/data/bmpsuite-ref/<reference>.ppm, or kRefused
  int tolerance;          // scaled bit-field channels may round the other way
};

const SuiteCase kCases[] = {
    {"g/pal1.bmp", "pal1", 0},
    {"g/pal1bg.bmp", "pal1bg", 0},
    {"g/pal1wb.bmp", "pal1", 0},
    {"g/pal4.bmp", "pal4", 0},
    {"g/pal4gs.bmp", "pal4gs", 0},
    {"g/pal4rle.bmp", kRefused, 0},  // RLE4
    {"g/pal8-0.bmp", "pal8", 0},
    {"g/pal8.bmp", "pal8", 0},
    {"g/pal8gs.bmp", "pal8gs", 0},
    {"g/pal8nonsquare.bmp", "pal8nonsquare-e", 0},
    {"g/pal8os2.bmp", "pal8", 0},
    {"g/pal8rle.bmp", "pal8", 0},
    {"g/pal8topdown.bmp", "pal8", 0},
    {"g/pal8v4.bmp", "pal8", 0},
    {"g/pal8v5.bmp", "pal8", 0},
    {"g/pal8w124.bmp", "pal8w124", 0},
    {"g/pal8w125.bmp", "pal8w125", 0},
    {"g/pal8w126.bmp", "pal8w126", 0},
    {"g/rgb16-565.bmp", "rgb16-565", 1},
    {"g/rgb16-565pal.bmp", "rgb16-565", 1},
    {"g/rgb16.bmp", "rgb16", 1},
    {"g/rgb16bfdef.bmp", "rgb16", 1},
    {"g/rgb24.bmp", "rgb24", 0},
    {"g/rgb24pal.bmp", "rgb24", 0},
    {"g/rgb32.bmp", "rgb24", 0},
    {"g/rgb32bf.bmp", "rgb24", 0},
    {"g/rgb32bfdef.bmp", "rgb24", 0},
    // Questionable files whose rendering is settled.
    {"q/pal8os2-hs.bmp", "pal8", 0},
    {"q/pal8os2-sz.bmp", "pal8", 0},
    {"q/pal8os2v2.bmp", "pal8", 0},
    {"q/pal8os2v2-16.bmp", "pal8", 0},
    {"q/pal8os2v2-40sz.bmp", "pal8", 0},
    {"q/pal8os2v2-sz.bmp", "pal8", 0},
    {"q/pal8oversizepal.bmp", "pal8", 0},
    {"q/pal8rletrns.bmp", "pal8rletrns-0", 0},
    {"q/pal8rlecut.bmp", "pal8rlecut-0", 0},
    {"q/rgb16-231.bmp", "rgb16-231", 1},
    {"q/rgb16-3103.bmp", "rgb16-3103", 1},
    {"q/rgb24largepal.bmp", "rgb24", 0},
    {"q/rgb24lprof.bmp", "rgb24", 0},
    {"q/rgb24prof.bmp", "rgb24", 0},
    {"q/rgb32-111110.bmp", "rgb24", 1},
    {"q/rgb32-7187.bmp", "rgb32-7187", 1},
    {"q/rgb32-xbgr.bmp", "rgb24", 0},
    {"q/rgb32fakealpha.bmp", "rgb24", 0},
    {"q/rgb32h52.bmp", "rgb24", 0},
    {"q/rgb24jpeg.bmp", kRefused, 0},
    {"q/rgb24png.bmp", kRefused, 0},
    {"q/pal4rletrns.bmp", kRefused, 0},
    {"q/rgb24rle24.bmp", kRefused, 0},
    {"q/rgba64.bmp", kRefused, 0},
    {"q/pal2.bmp", kRefused, 0},
    {"b/rletopdown.bmp", kRefused, 0},
    {"b/reallybig.bmp", kRefused, 0},
    {"b/badbitcount.bmp", kRefused, 0},
    {"b/badwidth.bmp", kRefused, 0},
    {"b/shortfile.bmp", kRefused, 0},
};

std::string SuitePath(const std::string& file) { return testing::SharedDataPath("bmpsuite/" + file); }

TEST(BmpSuite, FilesDecodeToTheirReferencesOrAreRefused) {
  if (!std::filesystem::exists(SuitePath("g/pal8.bmp"))) GTEST_SKIP() << "conformance suite not present";
  for (const SuiteCase& c : kCases) {
    SCOPED_TRACE(c.file);
    testing::RecordingShell shell;
    ImageDoc doc;
    doc.path = SuitePath(c.file);
    const int result = ReadBmpFile(shell, doc);
    if (c.reference == kRefused) {
      EXPECT_EQ(result, 1);
      EXPECT_EQ(shell.errors, std::vector<std::string>{"Read Error !"});
      continue;
    }
    ASSERT_EQ(result, 0);
    const auto ref = testing::ReadPpm(testing::TestDataPath(std::string("bmpsuite-ref/") + c.reference + ".ppm"));
    ASSERT_TRUE(ref);
    EXPECT_EQ(testing::CompareWithPpm(doc, *ref, c.tolerance), "");
  }
}

// Every file of every folder: a clean load into the canonical form, or a
// clean refusal with the one message. Sanitizers watch the reads.
TEST(BmpSuite, EveryFileLoadsOrIsRefusedCleanly) {
  const std::string root = SuitePath("");
  if (!std::filesystem::exists(root)) GTEST_SKIP() << "conformance suite not present";
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.path().extension() != ".bmp") continue;
    ++files;
    SCOPED_TRACE(entry.path().string());
    testing::RecordingShell shell;
    ImageDoc doc;
    doc.path = entry.path().string();
    const int result = ReadBmpFile(shell, doc);
    EXPECT_EQ(shell.waitDepth, 0);
    if (result == 0) {
      EXPECT_TRUE(shell.errors.empty());
      ASSERT_TRUE(doc.HasPicture());
      const DibHeader h = ReadDibHeader(doc.dib.data());
      EXPECT_TRUE(IsCanonical24(h));
      EXPECT_EQ(DibTotalSize(h), std::optional<size_t>(doc.dib.size()));
    } else {
      EXPECT_EQ(result, 1);
      EXPECT_EQ(shell.errors, std::vector<std::string>{"Read Error !"});
      EXPECT_TRUE(doc.dib.empty());
    }
  }
  EXPECT_GE(files, 91);
}

}  // namespace
}  // namespace veilo
