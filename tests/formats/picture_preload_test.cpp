#include "formats/picture_preload.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

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

std::string WritePng(testing::TempFolder& folder, const std::string& name, int32_t width, int32_t height) {
  const std::string path = folder.Path(name);
  ImageDoc picture = testing::MakeNoiseDoc(width, height);
  testing::RecordingShell shell;
  SaveOptions options = StartingSaveOptions(picture);
  EXPECT_EQ(SaveImageFile(shell, path, picture, options), 0);
  return path;
}

TEST(PicturePreload, ReadsInTurnAndSaysSoAfterEachPicture) {
  testing::TempFolder folder;
  std::mutex mutex;
  std::condition_variable changed;
  int finished = 0;
  PicturePreload preload([&] {
    std::lock_guard lock(mutex);
    ++finished;
    changed.notify_all();
  });
  const std::string a = WritePng(folder, "a.png", 30, 20), b = WritePng(folder, "b.png", 31, 21);
  LoadOptions english;
  english.englishMessages = true;
  preload.Start(a, english);
  preload.Start(b, {});
  preload.Start(a, {});  // already asked for
  {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(10), [&] { return finished == 2; }));
  }
  EXPECT_TRUE(preload.Idle());
  std::vector<PreloadedPicture> done = preload.TakeFinished();
  ASSERT_EQ(done.size(), 2u);
  EXPECT_EQ(done[0].path, a);
  EXPECT_TRUE(done[0].options.englishMessages);
  EXPECT_EQ(done[0].stamp, FileStampOf(a));
  EXPECT_EQ(done[1].path, b);
  EXPECT_EQ(done[1].doc->width, 31);
  EXPECT_TRUE(preload.TakeFinished().empty());
  EXPECT_EQ(finished, 2);
}

TEST(PicturePreload, APictureOverItsBudgetIsRefusedAndTheRefusalKept) {
  testing::TempFolder folder;
  const std::string path = WritePng(folder, "big.png", 400, 300);  // about 720 kB with its copy
  PicturePreload preload;
  preload.Start(path, {}, 400000);
  std::optional<PreloadedPicture> refused = preload.Take(path);
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->status, 0);
  EXPECT_FALSE(refused->doc->HasPicture());
  EXPECT_EQ(refused->errors.size(), 1u);
  preload.Start(path, {});
  std::optional<PreloadedPicture> read = preload.Take(path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->status, 0);
}

TEST(PicturePreload, DroppedAndStoppedReadsAreNeverDone) {
  testing::TempFolder folder;
  std::vector<std::string> paths;
  for (int i = 0; i < 6; ++i) paths.push_back(WritePng(folder, std::to_string(i) + ".png", 400, 300));
  std::atomic<int> finished{0};
  {
    PicturePreload preload([&] { ++finished; });
    for (const std::string& path : paths) preload.Start(path, {});
    preload.KeepOnly({paths[0], paths[5]});
    EXPECT_FALSE(preload.IsPending(paths[3]));
    EXPECT_FALSE(preload.Take(paths[3]));  // dropped: nothing to wait for
    std::optional<PreloadedPicture> last = preload.Take(paths[5]);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->status, 0);
    // The first and the last; at most the one being read when the others were dropped besides.
    EXPECT_LE(finished.load(), 3);
    for (const PreloadedPicture& done : preload.TakeFinished()) {
      EXPECT_NE(done.path, paths[3]);
      EXPECT_NE(done.path, paths[4]);
    }

    for (const std::string& path : paths) preload.Start(path, {});
    // Ends with what was queued still waiting: the destructor stops and joins.
  }
  PicturePreload stopped;
  stopped.Stop();
  stopped.Start(paths[0], {});
  EXPECT_TRUE(stopped.Idle());
  EXPECT_FALSE(stopped.Take(paths[0]));
}

}  // namespace
}  // namespace veilo
