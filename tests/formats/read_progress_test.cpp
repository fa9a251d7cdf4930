#include "formats/read_progress.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstdint>
#include <string>
#include <vector>

#include "formats/image_dispatch.h"
#include "png_test_files.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

TEST(ReadProgress, PngReadsShowEveryTenthOnceRisingTo100) {
  const std::vector<std::string> expected = {"PNG 0% 読み込み中...",  "PNG 10% 読み込み中...", "PNG 20% 読み込み中...",
                                             "PNG 30% 読み込み中...", "PNG 40% 読み込み中...", "PNG 50% 読み込み中...",
                                             "PNG 60% 読み込み中...", "PNG 70% 読み込み中...", "PNG 80% 読み込み中...",
                                             "PNG 90% 読み込み中...", "PNG 100% 読み込み中...", ""};
  testing::TempFolder folder;
  for (bool interlaced : {false, true}) {
    SCOPED_TRACE(interlaced ? "interlaced" : "sequential");
    testing::PngSpec spec;
    spec.width = 3;
    spec.height = 37;
    spec.interlaced = interlaced;
    spec.samples.assign(3 * 3 * 37, 90);
    const std::string path = folder.Path(interlaced ? "i.png" : "s.png");
    ASSERT_TRUE(testing::WriteFileBytes(path, testing::EncodePng(spec)));
    ImageDoc doc;
    doc.path = path;
    testing::RecordingShell shell;
    ASSERT_EQ(LoadImageFile(shell, doc), 0);
    // The dispatch clears the pane once the reader is done.
    EXPECT_EQ(shell.messagePane, expected);
  }
}

TEST(ReadProgress, GifReadsEndAt100AlsoWhenTheRestIsBlack) {
  // A 1 x 25 image whose data ends after its first row: the rest stays black.
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 25, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255,
                              0x2C, 0, 0, 0, 0, 1, 0, 25, 0, 0, 2, 2, 0x44, 0x01, 0, 0x3B};
  testing::TempFolder folder;
  const std::string path = folder.Path("g.gif");
  ASSERT_TRUE(testing::WriteFileBytes(path, gif));
  ImageDoc doc;
  doc.path = path;
  testing::RecordingShell shell;
  LoadOptions english;
  english.englishMessages = true;
  ASSERT_EQ(LoadImageFile(shell, doc, english), 0);
  ASSERT_GE(shell.messagePane.size(), 3u);
  EXPECT_EQ(shell.messagePane.front(), "GIF 0% Read...");
  EXPECT_EQ(shell.messagePane[shell.messagePane.size() - 2], "GIF 100% Read...");
  EXPECT_EQ(shell.messagePane.back(), "");
}

// The message pane's texts while a noise picture saved as `name` (the
// extension picks the writer) is read back; empty when either fails.
std::vector<std::string> PaneWhileReadingNoise(const std::string& name, int32_t width, int32_t height) {
  testing::TempFolder folder;
  const std::string path = folder.Path(name);
  ImageDoc picture = testing::MakeNoiseDoc(width, height);
  testing::RecordingShell writing;
  SaveOptions options = StartingSaveOptions(picture);
  if (SaveImageFile(writing, path, picture, options) != 0) return {};
  ImageDoc doc;
  doc.path = path;
  testing::RecordingShell shell;
  if (LoadImageFile(shell, doc) != 0) return {};
  return shell.messagePane;
}

// Every pane text but the last clears nothing and differs from the one before.
void ExpectRisingProgress(const std::vector<std::string>& pane, const std::string& format) {
  ASSERT_GE(pane.size(), 4u);
  EXPECT_EQ(pane.front(), format + " 0% 読み込み中...");
  for (size_t i = 1; i + 1 < pane.size(); ++i) EXPECT_NE(pane[i], pane[i - 1]);
  EXPECT_EQ(pane[pane.size() - 2], format + " 100% 読み込み中...");
  EXPECT_EQ(pane.back(), "");
}

TEST(ReadProgress, BmpReadsRiseTo100AndThePaneIsClearedAfter) {
  // 1200 x 400 at 24 bits: 1.4 MB, read in pieces.
  ExpectRisingProgress(PaneWhileReadingNoise("big.bmp", 1200, 400), "BMP");
}

// Writes a 24-bit RGB TIFF of `width` x `height` in strips of `rowsPerStrip`
// rows, each row a colour of its own.
bool WriteStripedTiff(const std::string& path, uint32_t width, uint32_t height, uint32_t rowsPerStrip) {
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  if (tif == nullptr) return false;
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_DEFLATE);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
  std::vector<uint8_t> row(size_t{width} * 3);
  bool ok = true;
  for (uint32_t y = 0; y < height && ok; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      row[3 * x] = static_cast<uint8_t>(y);
      row[3 * x + 1] = static_cast<uint8_t>(x);
      row[3 * x + 2] = static_cast<uint8_t>(y * 7 + x);
    }
    ok = TIFFWriteScanline(tif, row.data(), y, 0) == 1;
  }
  TIFFClose(tif);
  return ok;
}

TEST(ReadProgress, TiffReadsInWholeStripsRiseTo100WithEveryRowInPlace) {
  // Strips that do and do not divide the height, and a single strip.
  struct Case { uint32_t height, rowsPerStrip; size_t minimumSteps; };
  const Case cases[] = {{100, 3, 4}, {97, 10, 4}, {50, 50, 2}};
  testing::TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.height << " rows in strips of " << c.rowsPerStrip);
    const std::string path = folder.Path("s" + std::to_string(c.rowsPerStrip) + ".tif");
    ASSERT_TRUE(WriteStripedTiff(path, 5, c.height, c.rowsPerStrip));
    ImageDoc doc;
    doc.path = path;
    testing::RecordingShell shell;
    ASSERT_EQ(LoadImageFile(shell, doc), 0);
    if (c.minimumSteps > 2) {
      ExpectRisingProgress(shell.messagePane, "TIFF");
    } else {
      EXPECT_EQ(shell.messagePane, (std::vector<std::string>{"TIFF 0% 読み込み中...", "TIFF 100% 読み込み中...", ""}));
    }
    ASSERT_EQ(doc.width, 5);
    ASSERT_EQ(doc.height, static_cast<int32_t>(c.height));
    for (uint32_t y = 0; y < c.height; ++y) {
      const testing::Rgb expected{static_cast<uint8_t>(y), 4, static_cast<uint8_t>(y * 7 + 4)};
      ASSERT_EQ(testing::PixelOf(doc, 4, static_cast<int32_t>(y)), expected) << "row " << y;
    }
  }
}

TEST(ReadProgress, Jpeg2000ReadsRiseTo100) {
  ExpectRisingProgress(PaneWhileReadingNoise("noise.jp2", 600, 400), "JPEG2000");
}

TEST(ReadProgress, TextsFollowTheLanguage) {
  EXPECT_EQ(ReadProgressText("GIF", 40, true), "GIF 40% Read...");
  EXPECT_EQ(ReadProgressText("TIFF", 0, false), "TIFF 0% 読み込み中...");
}

}  // namespace
}  // namespace veilo
