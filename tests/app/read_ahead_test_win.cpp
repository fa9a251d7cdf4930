// Stepping through a folder with the neighbours read ahead: every picture
// shown once and in order, whether or not its read ahead had ended; the
// reader's error box, a rewritten file and the save prompt as without it; and
// the slide show's walk through its list.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "formats/image_dispatch.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "recording_shell.h"
#include "shell/slide_window_win.h"
#include "slide_driver_win.h"
#include "tools/read_ahead.h"

namespace veilo::testing {
namespace {

class ReadAheadTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateDirectoryW(Wide(folder_.Path("pics")).c_str(), nullptr);
    Start();
  }

  // Each picture's size and noise tell it from every other.
  struct Picture {
    std::string path;
    int32_t width, height;
    uint32_t seed;
  };
  Picture Write(const std::string& name, int32_t width, int32_t height, uint32_t seed) {
    return {WritePicture("pics/" + name, width, height, seed), width, height, seed};
  }
  static void ExpectShows(DocumentWindow* window, const Picture& p) {
    ImageDoc& doc = window->doc();
    EXPECT_EQ(doc.path, p.path);
    ASSERT_EQ(doc.width, p.width) << p.path;
    ASSERT_EQ(doc.height, p.height) << p.path;
    ImageDoc expected = MakeNoiseDoc(p.width, p.height, p.seed);
    EXPECT_EQ(DescribePixelDifference(doc, expected), "") << p.path;
  }
  // Until the window's reads ahead have ended and been handed over (at most 10 s).
  static bool ReadAheadSettles(DocumentWindow* window) {
    return PumpUntil([&] { return window->readAhead().Idle(); }, 10000) && (Pump(5, 200), true);
  }
  // Masks the whole picture with negative/positive, as the key does it.
  void MaskAll(DocumentWindow* window) {
    ImageDoc& doc = window->doc();
    SelectArea(doc, 0, 0, doc.width, doc.height);
    Key(VK_F5);
  }
};

TEST_F(ReadAheadTest, TwoHundredPicturesAreEachShownOnceInOrderBothWays) {
  std::vector<Picture> pictures;
  for (int i = 0; i < 200; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "p%03d.bmp", i);
    pictures.push_back(Write(name, 3 + i % 17, 2 + i % 11, static_cast<uint32_t>(i + 1)));
  }
  DocumentWindow* window = Open(pictures.front().path);
  ASSERT_NE(window, nullptr);
  // Some steps come after the read ahead has ended (the picture is taken from
  // it), the others while it may still run (it is waited for or dropped).
  const auto stepThrough = [&](bool backwards, auto order) {
    for (size_t n = 1; n < order.size(); ++n) {
      const Picture& next = pictures[order[n]];
      const bool settle = n % 3 != 0;
      if (settle && n > 1) {
        ASSERT_TRUE(ReadAheadSettles(window));
        EXPECT_TRUE(window->readAhead().Holds(next.path)) << next.path;
      }
      Key(VK_SPACE, backwards);
      ExpectShows(window, next);
      if (HasFailure()) return;
    }
  };
  std::vector<size_t> forward(200), backward(200);
  for (size_t i = 0; i < 200; ++i) forward[i] = i, backward[i] = 199 - i;
  stepThrough(false, forward);
  ASSERT_FALSE(HasFailure());
  EXPECT_TRUE(boxes_.empty());
  Key(VK_SPACE);  // past the last one: the message, and the picture stays
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "このフォルダにはもうファイルがありません。");
  ExpectShows(window, pictures.back());
  stepThrough(true, backward);
  ASSERT_FALSE(HasFailure());
  Key(VK_SPACE, true);
  EXPECT_EQ(boxes_.size(), 2u);
  ExpectShows(window, pictures.front());
  EXPECT_EQ(app().documents.size(), 1u);
}

TEST_F(ReadAheadTest, AnUnreadableFileShowsTheReadersErrorWhenSteppedTo) {
  const Picture a = Write("a.bmp", 12, 9, 1), b = Write("b.bmp", 13, 9, 2);
  const std::string broken = folder_.Path("pics/c.gif");
  {
    FilePtr file = OpenFile(broken, "wb");
    ASSERT_TRUE(file);
    std::fputs("GIF89a broken", file.get());
  }
  const Picture d = Write("d.bmp", 14, 9, 4);
  // What a direct load of the file says.
  RecordingShell direct;
  ImageDoc probe;
  probe.path = broken;
  ASSERT_NE(LoadImageFile(direct, probe, DocumentLoadOptions(app())), 0);
  ASSERT_FALSE(direct.errors.empty());

  DocumentWindow* window = Open(a.path);
  ASSERT_NE(window, nullptr);
  Key(VK_SPACE);
  ExpectShows(window, b);
  ASSERT_TRUE(ReadAheadSettles(window));  // the broken file has been read ahead, and failed
  EXPECT_TRUE(boxes_.empty());             // silently
  Key(VK_SPACE);
  ASSERT_EQ(boxes_.size(), direct.errors.size());
  for (size_t i = 0; i < boxes_.size(); ++i) {
    EXPECT_EQ(boxes_[i].text, direct.errors[i]);
    EXPECT_EQ(boxes_[i].caption, "Error!");
  }
  ExpectShows(window, b);  // the old picture stays
}

TEST_F(ReadAheadTest, AFileRewrittenAfterItWasReadAheadShowsItsNewContent) {
  struct Case {
    const char* name;
    int32_t width;  // of the new content; the same as before keeps the file's size
  };
  for (const Case& c : {Case{"same size", 15}, Case{"other size", 19}}) {
    SCOPED_TRACE(c.name);
    const Picture a = Write("a.bmp", 14, 10, 1), b = Write("b.bmp", 14, 10, 2);
    Write("c.bmp", 15, 10, 3);
    DocumentWindow* window = Open(a.path);
    ASSERT_NE(window, nullptr);
    Key(VK_SPACE);
    ASSERT_TRUE(ReadAheadSettles(window));
    ASSERT_TRUE(window->readAhead().Holds(folder_.Path("pics/c.bmp")));
    const Picture rewritten = Write("c.bmp", c.width, 10, 33);
    Key(VK_SPACE);
    ExpectShows(window, rewritten);
    SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
    Pump();
  }
}

TEST_F(ReadAheadTest, TheSavePromptStillComesFirst) {
  const Picture a = Write("a.bmp", 16, 16, 1), b = Write("b.bmp", 24, 16, 2), c = Write("c.bmp", 32, 16, 3);
  DocumentWindow* window = Open(a.path);
  ASSERT_NE(window, nullptr);
  Key(VK_SPACE);
  ASSERT_TRUE(ReadAheadSettles(window));
  ASSERT_TRUE(window->readAhead().Holds(c.path));
  MaskAll(window);
  ASSERT_EQ(window->doc().undoCount(), 1);
  answers_ = {IDCANCEL};
  Key(VK_SPACE);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "このファイルは変更されています\r同じファイルに上書き保管しますか？");
  EXPECT_EQ(window->doc().path, b.path);
  EXPECT_EQ(window->doc().undoCount(), 1);
  answers_ = {IDNO};
  Key(VK_SPACE);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].text, boxes_[0].text);
  ExpectShows(window, c);
  EXPECT_EQ(window->doc().undoCount(), 0);
  EXPECT_EQ(window->doc().zoomPercent, 100);
}

TEST_F(ReadAheadTest, ClosingTheWindowWhileAReadRunsNeitherHangsNorKeepsIt) {
  const Picture a = Write("a.bmp", 12, 9, 1), b = Write("b.bmp", 13, 9, 2);
  Write("c.png", 1500, 1000, 3);  // long enough to be under way when the window goes
  DocumentWindow* window = Open(a.path);
  ASSERT_NE(window, nullptr);
  Key(VK_SPACE);
  ExpectShows(window, b);
  SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return app().documents.empty(); }, 10000));
}

TEST_F(ReadAheadTest, TheSlideShowWalksItsListInOrderFromWhatWasReadAhead) {
  const std::string show = folder_.Path("show");
  CreateDirectoryW(Wide(show).c_str(), nullptr);
  std::vector<std::string> paths;
  for (int i = 0; i < 8; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "show\\s%d.bmp", i);
    paths.push_back(WritePicture(name, 20 + i, 10, static_cast<uint32_t>(i + 1)));
  }
  app().slide.intervalMs = 600000;  // only the keys move
  const auto shown = [] { return SlidePicturePath(); };
  const auto settled = [&](size_t next) {
    return [&, next](HWND slide) {
      const ReadAhead* readAhead = RunningSlideReadAhead();
      if (!slide || !readAhead || !readAhead->Idle()) return false;
      // The posted word may still be on its way: the next slide is there once it has come.
      return readAhead->Holds(paths[next]);
    };
  };
  const auto press = [](WPARAM key) {
    return [key](HWND slide) { return slide && (SendMessageW(slide, WM_KEYDOWN, key, 0), true); };
  };
  const auto expect = [&](size_t index) {
    return [&, index](HWND) {
      EXPECT_EQ(shown(), paths[index]);
      return true;
    };
  };
  std::vector<SlideDriver::Step> steps{[&](HWND slide) { return slide && !shown().empty(); }, expect(0)};
  for (size_t n = 1; n <= 8; ++n) {  // round to the first again
    steps.push_back(settled(n % 8));
    steps.push_back(press(VK_RIGHT));
    steps.push_back(expect(n % 8));
  }
  for (const size_t index : {7u, 6u, 5u}) {  // and back
    steps.push_back(settled(index));
    steps.push_back(press(VK_LEFT));
    steps.push_back(expect(index));
  }
  steps.push_back([](HWND slide) { return slide && (SendMessageW(slide, WM_CHAR, 0x1B, 0), true); });
  SlideDriver driver(std::move(steps), 30000);
  StartSlideShowFromFolder(app(), show);
  EXPECT_TRUE(driver.Finished());
  EXPECT_EQ(RunningSlideWindow(), nullptr);
  EXPECT_TRUE(boxes_.empty());
}

}  // namespace
}  // namespace veilo::testing
