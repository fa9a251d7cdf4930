#include "tools/read_ahead.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/file_io.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using Path = std::optional<std::string>;

TEST(ReadAheadPlan, AheadIsTheWayOfTravelAndBehindTheOtherNeighbour) {
  struct Case {
    const char* name;
    ReadAheadPlan plan;
    std::vector<std::string> paths;
  };
  const FolderNeighbours middle{"c", "a"}, first{"b", std::nullopt}, last{std::nullopt, "y"}, alone{};
  SlideList slides;
  for (const char* p : {"s0", "s1", "s2", "s3"}) slides.push_back({p});
  const SlideList two(slides.begin(), slides.begin() + 2), one(slides.begin(), slides.begin() + 1);
  const Case cases[] = {
      {"forward", PlanFolderReadAhead(middle, false), {"c", "a"}},
      {"backward", PlanFolderReadAhead(middle, true), {"a", "c"}},
      {"forward from the first", PlanFolderReadAhead(first, false), {"b"}},
      {"backward from the first: nothing ahead", PlanFolderReadAhead(first, true), {"b"}},
      {"forward at the end of the folder", PlanFolderReadAhead(last, false), {"y"}},
      {"alone in its folder", PlanFolderReadAhead(alone, false), {}},
      {"slides forward", PlanSlideReadAhead(slides, 1, false), {"s2", "s0"}},
      {"slides backward", PlanSlideReadAhead(slides, 1, true), {"s0", "s2"}},
      {"slides wrap at the end", PlanSlideReadAhead(slides, 3, false), {"s0", "s2"}},
      {"slides wrap at the start", PlanSlideReadAhead(slides, 0, true), {"s3", "s1"}},
      {"two slides: the other one once", PlanSlideReadAhead(two, 0, false), {"s1"}},
      {"one slide", PlanSlideReadAhead(one, 0, false), {}},
      {"index past the list", PlanSlideReadAhead(slides, 4, false), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.plan.Paths(), c.paths) << c.name;
  EXPECT_EQ(PlanFolderReadAhead(first, true).ahead, Path{});
}

TEST(SlideWentBack, OnlyBackByOneInALongerListCounts) {
  struct Case {
    const char* name;
    size_t count;
    int64_t previous;
    size_t shown;
    bool back;
  };
  const Case cases[] = {
      {"back by one", 4, 2, 1, true},
      {"back over the start", 4, 0, 3, true},
      {"forward by one", 4, 2, 3, false},
      {"forward over the end", 4, 3, 0, false},
      {"a jump", 5, 4, 1, false},
      {"the same slide again", 4, 2, 2, false},
      {"nothing shown before", 4, -1, 3, false},
      {"two slides: both ways are one", 2, 1, 0, false},
      {"a previous index past the list", 4, 9, 3, false},
  };
  for (const Case& c : cases) EXPECT_EQ(SlideWentBack(c.count, c.previous, c.shown), c.back) << c.name;
}

TEST(ReadAheadBudget, AShareOfFreeMemoryAndNothingForPicturesTooBigForIt) {
  constexpr uint64_t kMiB = uint64_t{1} << 20;
  EXPECT_EQ(ReadAheadBudgetBytes(400 * kMiB), 100 * kMiB);
  EXPECT_EQ(ReadAheadBudgetBytes(0), 0u);
  struct Case {
    uint32_t width, height;
    uint64_t budget;
    bool worth;
  };
  // A 6000 x 4000 picture is 72 MB, with its working copy 144 MB.
  const Case cases[] = {
      {640, 480, 100 * kMiB, true},
      {6000, 4000, 200 * kMiB, true},
      {6000, 4000, 100 * kMiB, false},
      {6000, 4000, 0, false},
      {UINT32_MAX, UINT32_MAX, UINT64_MAX, false},  // beyond counting
  };
  for (const Case& c : cases)
    EXPECT_EQ(WorthReadingAhead(c.width, c.height, c.budget), c.worth) << c.width << " x " << c.height;
}

PreloadedPicture ReadOf(const std::string& path, int32_t width = 8, int32_t height = 6) {
  PreloadedPicture read;
  read.path = path;
  read.stamp = FileStamp{100, 5};
  read.doc = std::make_unique<ImageDoc>(testing::MakeNoiseDoc(width, height));
  read.doc->path = path;
  read.status = 0;
  return read;
}

TEST(ReadAheadValidity, OnlyACleanReadOfTheSameFileWithTheSameOptionsServes) {
  LoadOptions english;
  english.englishMessages = true;
  struct Case {
    const char* name;
    std::function<void(PreloadedPicture&)> change;
    LoadOptions options;
    std::optional<FileStamp> now;
    bool serves;
  };
  const Case cases[] = {
      {"as read", [](PreloadedPicture&) {}, {}, FileStamp{100, 5}, true},
      {"the reader failed", [](PreloadedPicture& r) { r.status = 1; }, {}, FileStamp{100, 5}, false},
      {"the reader spoke", [](PreloadedPicture& r) { r.errors = {"Broken"}; }, {}, FileStamp{100, 5}, false},
      {"no picture", [](PreloadedPicture& r) { r.doc = std::make_unique<ImageDoc>(); }, {}, FileStamp{100, 5}, false},
      {"other options", [](PreloadedPicture&) {}, english, FileStamp{100, 5}, false},
      {"rewritten, same size", [](PreloadedPicture&) {}, {}, FileStamp{100, 6}, false},
      {"rewritten, other size", [](PreloadedPicture&) {}, {}, FileStamp{101, 5}, false},
      {"gone", [](PreloadedPicture&) {}, {}, std::nullopt, false},
      {"not there when read", [](PreloadedPicture& r) { r.stamp.reset(); }, {}, std::nullopt, false},
  };
  for (const Case& c : cases) {
    PreloadedPicture read = ReadOf("a.png");
    c.change(read);
    EXPECT_EQ(ReadStillServes(read, c.options, c.now), c.serves) << c.name;
  }
}

TEST(ReadAheadCache, HoldsWhatThePlanNamesWithinTheBudget) {
  ReadAheadCache cache;
  EXPECT_EQ(cache.Replan({"b", "a"}, 1 << 20), (std::vector<std::string>{"b", "a"}));
  EXPECT_FALSE(cache.Offer(ReadOf("z")));  // not asked for
  PreloadedPicture failed = ReadOf("b");
  failed.status = 1;
  EXPECT_FALSE(cache.Offer(std::move(failed)));
  EXPECT_TRUE(cache.Offer(ReadOf("b")));
  EXPECT_FALSE(cache.Offer(ReadOf("b")));  // once
  EXPECT_TRUE(cache.Offer(ReadOf("a")));
  EXPECT_EQ(cache.HeldCount(), 2u);

  // One step on: "b" is shown, "a" is left behind, "c" is ahead.
  EXPECT_TRUE(cache.Take("b"));
  EXPECT_FALSE(cache.Take("b"));
  EXPECT_EQ(cache.Replan({"c", "b"}, 1 << 20), (std::vector<std::string>{"c", "b"}));
  EXPECT_FALSE(cache.Holds("a"));
  EXPECT_TRUE(cache.Offer(ReadOf("c")));
  EXPECT_EQ(cache.Replan({"c", "b"}, 1 << 20), std::vector<std::string>{"b"});

  // Bytes: a second picture that does not fit beside the first is not held.
  const uint64_t one = ReadOf("x", 300, 200).doc->dib.size();
  cache.Replan({"x", "y"}, one + one / 2);
  EXPECT_TRUE(cache.Offer(ReadOf("x", 300, 200)));
  EXPECT_FALSE(cache.Offer(ReadOf("y", 300, 200)));
  EXPECT_EQ(cache.HeldBytes(), one);
}

TEST(ReadAheadCache, AChangeOfDirectionFindsThePictureJustLeft) {
  // Going forward on "c": "d" ahead, "b" (just left) behind.
  ReadAheadCache cache;
  cache.Replan(PlanFolderReadAhead({"d", "b"}, false), 1 << 20);
  ASSERT_TRUE(cache.Offer(ReadOf("d")));
  ASSERT_TRUE(cache.Offer(ReadOf("b")));
  // Shift+Space: "b" is there at once; from it, going back, "a" comes first, then "c".
  EXPECT_TRUE(cache.Take("b"));
  EXPECT_EQ(cache.Replan(PlanFolderReadAhead({"c", "a"}, true), 1 << 20), (std::vector<std::string>{"a", "c"}));
  EXPECT_FALSE(cache.Holds("d"));
  EXPECT_EQ(cache.HeldCount(), 0u);
}

TEST(ReadAheadCache, LetsGoOfReadsThatNoLongerServe) {
  ReadAheadCache cache;
  cache.Replan({"same", "changed"}, 1 << 20);
  ASSERT_TRUE(cache.Offer(ReadOf("same")));
  ASSERT_TRUE(cache.Offer(ReadOf("changed")));
  cache.DropUnserving({}, [](const std::string& path) {
    return path == "same" ? std::optional<FileStamp>(FileStamp{100, 5}) : FileStamp{100, 9};
  });
  EXPECT_TRUE(cache.Holds("same"));
  EXPECT_FALSE(cache.Holds("changed"));
  EXPECT_EQ(cache.Replan({"same", "changed"}, 1 << 20), std::vector<std::string>{"changed"});
}

// A ReadAhead whose reading thread's word is counted, as a window would count its messages.
class ReadAheadFiles : public ::testing::Test {
 protected:
  ReadAheadFiles()
      : readAhead_([this] {
          std::lock_guard lock(mutex_);
          ++finished_;
          changed_.notify_all();
        }) {}

  std::string Write(const std::string& name, int32_t width, int32_t height, uint32_t seed = 1) {
    const std::string path = folder_.Path(name);
    ImageDoc picture = testing::MakeNoiseDoc(width, height, seed);
    testing::RecordingShell shell;
    SaveOptions options = StartingSaveOptions(picture);
    EXPECT_EQ(SaveImageFile(shell, path, picture, options), 0);
    return path;
  }
  // Waits (at most 10 s) for `count` reads to have ended, then takes them in.
  bool WaitForReads(int count) {
    std::unique_lock lock(mutex_);
    const bool done = changed_.wait_for(lock, std::chrono::seconds(10), [&] { return finished_ >= count; });
    lock.unlock();
    readAhead_.Collect();
    return done;
  }

  testing::TempFolder folder_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int finished_ = 0;
  ReadAhead readAhead_;
};

TEST_F(ReadAheadFiles, ReadsTheNeighboursAndHandsThemOverOnce) {
  const std::string next = Write("b.png", 21, 13, 2), previous = Write("a.png", 20, 12, 1);
  readAhead_.Follow({next, previous}, {}, 30, 20, 1 << 30);
  ASSERT_TRUE(WaitForReads(2));
  EXPECT_TRUE(readAhead_.Holds(next));
  EXPECT_TRUE(readAhead_.Holds(previous));
  std::unique_ptr<ImageDoc> taken = readAhead_.Take(next, {});
  ASSERT_TRUE(taken);
  ImageDoc expected = testing::MakeNoiseDoc(21, 13, 2);
  EXPECT_EQ(testing::DescribePixelDifference(*taken, expected), "");
  EXPECT_EQ(taken->path, next);
  EXPECT_FALSE(readAhead_.Take(next, {}));
}

TEST_F(ReadAheadFiles, AFileRewrittenAfterItsReadIsNotServed) {
  const std::string next = Write("b.bmp", 21, 13, 2);
  readAhead_.Follow({next, std::nullopt}, {}, 30, 20, 1 << 30);
  ASSERT_TRUE(WaitForReads(1));
  ASSERT_TRUE(readAhead_.Holds(next));
  Write("b.bmp", 22, 13, 3);
  EXPECT_FALSE(readAhead_.Take(next, {}));

  // Followed again, the changed file is read again.
  readAhead_.Follow({next, std::nullopt}, {}, 30, 20, 1 << 30);
  ASSERT_TRUE(WaitForReads(2));
  std::unique_ptr<ImageDoc> taken = readAhead_.Take(next, {});
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->width, 22);
}

TEST_F(ReadAheadFiles, AnUnreadableFileIsLeftToTheDirectRead) {
  const std::string broken = folder_.Path("broken.gif");
  {
    FilePtr file = OpenFile(broken, "wb");
    ASSERT_TRUE(file);
    std::fputs("GIF89a broken", file.get());
  }
  readAhead_.Follow({broken, std::nullopt}, {}, 30, 20, 1 << 30);
  ASSERT_TRUE(WaitForReads(1));
  EXPECT_FALSE(readAhead_.Holds(broken));
  EXPECT_FALSE(readAhead_.Take(broken, {}));
}

TEST_F(ReadAheadFiles, NothingIsReadAroundAPictureTooBigForTheBudget) {
  const std::string next = Write("b.png", 21, 13, 2);
  readAhead_.Follow({next, std::nullopt}, {}, 6000, 4000, uint64_t{100} << 20);
  EXPECT_TRUE(readAhead_.Idle());
  EXPECT_FALSE(readAhead_.Take(next, {}));
}

TEST_F(ReadAheadFiles, ANeighbourTooBigForTheBudgetIsNotRead) {
  // 400 x 300 takes about 720 kB with its working copy; the budget is 400 kB.
  const std::string big = Write("big.png", 400, 300, 2), small = Write("small.png", 20, 10, 3);
  readAhead_.Follow({big, small}, {}, 30, 20, 4 * 400000);
  ASSERT_TRUE(WaitForReads(2));
  EXPECT_FALSE(readAhead_.Holds(big));
  EXPECT_TRUE(readAhead_.Holds(small));
  EXPECT_FALSE(readAhead_.Take(big, {}));
  // Read directly, it is no longer held to the read-ahead's share.
  testing::RecordingShell shell;
  ImageDoc direct;
  direct.path = big;
  EXPECT_EQ(LoadImageFile(shell, direct, {}), 0);
}

TEST_F(ReadAheadFiles, StopLetsEverythingGoAndReadsNothingMore) {
  const std::string next = Write("b.png", 600, 400, 2), other = Write("c.png", 20, 10, 3);
  readAhead_.Follow({next, other}, {}, 600, 400, 1 << 30);
  readAhead_.Stop();
  EXPECT_TRUE(readAhead_.Idle());
  EXPECT_FALSE(readAhead_.Holds(next));
  EXPECT_FALSE(readAhead_.Take(other, {}));
  readAhead_.Follow({other, std::nullopt}, {}, 30, 20, 1 << 30);
  EXPECT_TRUE(readAhead_.Idle());
  EXPECT_FALSE(readAhead_.Holds(other));
}

}  // namespace
}  // namespace veilo
