#include "formats/read_progress.h"

#include <gtest/gtest.h>

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

TEST(ReadProgress, BmpReadsRiseTo100AndThePaneIsClearedAfter) {
  // 1200 x 400 at 24 bits: 1.4 MB, read in pieces.
  testing::TempFolder folder;
  const std::string path = folder.Path("big.bmp");
  ImageDoc picture = testing::MakeNoiseDoc(1200, 400);
  testing::RecordingShell writing;
  SaveOptions options = StartingSaveOptions(picture);
  ASSERT_EQ(SaveImageFile(writing, path, picture, options), 0);
  ImageDoc doc;
  doc.path = path;
  testing::RecordingShell shell;
  ASSERT_EQ(LoadImageFile(shell, doc), 0);
  ASSERT_GE(shell.messagePane.size(), 4u);
  EXPECT_EQ(shell.messagePane.front(), "BMP 0% 読み込み中...");
  for (size_t i = 1; i + 1 < shell.messagePane.size(); ++i) EXPECT_NE(shell.messagePane[i], shell.messagePane[i - 1]);
  EXPECT_EQ(shell.messagePane[shell.messagePane.size() - 2], "BMP 100% 読み込み中...");
  EXPECT_EQ(shell.messagePane.back(), "");
}

TEST(ReadProgress, TextsFollowTheLanguage) {
  EXPECT_EQ(ReadProgressText("GIF", 40, true), "GIF 40% Read...");
  EXPECT_EQ(ReadProgressText("TIFF", 0, false), "TIFF 0% 読み込み中...");
}

}  // namespace
}  // namespace veilo
