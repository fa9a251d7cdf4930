#include "shell/picture_preload.h"

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

TEST(PicturePreload, ReadsThePictureWhileTheCallerGoesOn) {
  testing::TempFolder folder;
  const std::string path = folder.Path("early.png");
  ImageDoc picture = testing::MakeNoiseDoc(40, 30);
  testing::RecordingShell shell;
  SaveOptions options = StartingSaveOptions(picture);
  ASSERT_EQ(SaveImageFile(shell, path, picture, options), 0);

  PicturePreload preload;
  preload.Start(path, {});
  EXPECT_FALSE(preload.Take(folder.Path("other.png")));  // only for its own path
  std::optional<PreloadedPicture> taken = preload.Take(path);
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->status, 0);
  EXPECT_TRUE(taken->errors.empty());
  EXPECT_EQ(testing::DescribePixelDifference(*taken->doc, picture), "");
  EXPECT_FALSE(preload.Take(path));  // taken once
}

TEST(PicturePreload, KeepsTheReadersMessagesForLater) {
  testing::TempFolder folder;
  const std::string path = folder.Path("broken.gif");
  {
    FilePtr file = OpenFile(path, "wb");
    ASSERT_TRUE(file);
    std::fputs("GIF89a broken", file.get());
  }
  PicturePreload preload;
  preload.Start(path, {});
  std::optional<PreloadedPicture> taken = preload.Take(path);
  ASSERT_TRUE(taken);
  EXPECT_NE(taken->status, 0);
  EXPECT_FALSE(taken->errors.empty());
}

TEST(PicturePreload, ANeverTakenPreloadEndsWithItsOwner) {
  testing::TempFolder folder;
  PicturePreload preload;
  preload.Start(folder.Path("missing.bmp"), {});
}

}  // namespace
}  // namespace veilo
