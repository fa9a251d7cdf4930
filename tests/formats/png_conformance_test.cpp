// The public PNG corpora (PngSuite and libpng's contrib pictures): every
// valid file decodes to its expected picture, every damaged one is refused
// with a message.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "doc/image_doc.h"
#include "doc/packed_dib.h"
#include "formats/png_reader.h"
#include "png_test_files.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

struct ManifestEntry {
  std::string file;       // under the shared test data folder
  std::string reference;  // under tests/data/png-ref
  int tolerance = 0;
};

std::vector<ManifestEntry> ReadManifest() {
  std::ifstream in(testing::TestDataPath("png-ref/manifest.txt"));
  std::vector<ManifestEntry> entries;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    ManifestEntry e;
    if (fields >> e.file >> e.reference >> e.tolerance) entries.push_back(e);
  }
  return entries;
}

bool CorporaPresent() { return std::filesystem::exists(testing::SharedDataPath("pngsuite/basn0g01.png")); }

TEST(PngCorpora, ValidFilesDecodeToTheirExpectedPictures) {
  if (!CorporaPresent()) GTEST_SKIP() << "PNG corpora not present";
  const auto entries = ReadManifest();
  ASSERT_GE(entries.size(), 330u);
  for (const ManifestEntry& e : entries) {
    SCOPED_TRACE(e.file);
    testing::RecordingShell shell;
    ImageDoc doc;
    ASSERT_EQ(ReadPngFile(shell, testing::SharedDataPath(e.file), doc), 1);
    EXPECT_TRUE(shell.errors.empty());
    EXPECT_TRUE(IsCanonical24(ReadDibHeader(doc.dib.data())));
    EXPECT_EQ(doc.bitCount, 24);
    const auto expected = testing::ReadReferencePng(testing::TestDataPath("png-ref/" + e.reference));
    ASSERT_TRUE(expected);
    EXPECT_EQ(testing::CompareWithPpm(doc, *expected, e.tolerance), "");
  }
}

// Interlaced files decode to exactly the pixels of their plain twins.
TEST(PngCorpora, InterlacedTwinsMatch) {
  if (!CorporaPresent()) GTEST_SKIP() << "PNG corpora not present";
  int pairs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(testing::SharedDataPath("pngsuite"))) {
    const std::string name = entry.path().filename().string();
    if (name.size() < 5 || name[3] != 'i' || (name.rfind("bas", 0) != 0 && name[0] != 's')) continue;
    std::string twin = name;
    twin[3] = 'n';
    SCOPED_TRACE(name);
    testing::RecordingShell shell;
    ImageDoc interlaced, plain;
    ASSERT_EQ(ReadPngFile(shell, entry.path().string(), interlaced), 1);
    ASSERT_EQ(ReadPngFile(shell, testing::SharedDataPath("pngsuite/" + twin), plain), 1);
    EXPECT_EQ(testing::DescribePixelDifference(interlaced, plain), "");
    EXPECT_EQ(interlaced.useTransparent, plain.useTransparent);
    EXPECT_EQ(interlaced.transparentColor, plain.transparentColor);
    ++pairs;
  }
  EXPECT_GE(pairs, 30);
}

std::vector<std::string> FilesToRefuse() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(testing::SharedDataPath("pngsuite")))
    if (entry.path().filename().string()[0] == 'x') files.push_back(entry.path().string());
  for (const auto& entry :
       std::filesystem::directory_iterator(testing::SharedDataPath("libpng-contrib/testpngs/crashers"))) {
    // Zero-length ancillary chunks are skipped as libpng skips them; the
    // picture itself is intact, so that file loads.
    if (entry.path().filename() != "empty_ancillary_chunks.png") files.push_back(entry.path().string());
  }
  return files;
}

TEST(PngCorpora, DamagedFilesAreRefusedWithOneMessage) {
  if (!CorporaPresent()) GTEST_SKIP() << "PNG corpora not present";
  const auto files = FilesToRefuse();
  EXPECT_EQ(files.size(), 14u + 22u);
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    testing::RecordingShell shell;
    ImageDoc doc;
    doc.pngTextList = {{"kept", "as it was"}};
    EXPECT_EQ(ReadPngFile(shell, file, doc), 0);
    EXPECT_EQ(shell.errors.size(), 1u);
    EXPECT_TRUE(doc.dib.empty());
    EXPECT_EQ(doc.width, 0);
    EXPECT_EQ(doc.pngTextList.size(), 1u);
  }
}

TEST(PngCorpora, IntactPictureWithEmptyAncillaryChunksLoads) {
  if (!CorporaPresent()) GTEST_SKIP() << "PNG corpora not present";
  testing::RecordingShell shell;
  ImageDoc doc;
  EXPECT_EQ(ReadPngFile(shell, testing::SharedDataPath("libpng-contrib/testpngs/crashers/empty_ancillary_chunks.png"),
                        doc),
            1);
  EXPECT_TRUE(shell.errors.empty());
  EXPECT_EQ(doc.width, 1);
}

}  // namespace
}  // namespace veilo
