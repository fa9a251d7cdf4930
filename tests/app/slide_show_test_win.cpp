// The slide show as a user runs it: the full-screen window over a folder of pictures, its keys,
// Pause and resume, Enter handing a picture to the frame, and the frame disabled meanwhile.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "modal_driver_win.h"
#include "slide_driver_win.h"
#include "platform/wide_win.h"
#include "shell/commands.h"
#include "shell/features_win.h"
#include "shell/resource_ids.h"
#include "shell/slide_window_win.h"
#include "shell/texts.h"

namespace veilo::testing {
namespace {

class SlideShowTest : public AppTest {
 protected:
  // A folder of three pictures 1.bmp, 2.png, 3.bmp; their paths in show order.
  std::string MakeShowFolder() {
    folder_path_ = folder_.Path("show");
    CreateDirectoryW(Wide(folder_path_).c_str(), nullptr);
    paths_ = {WritePicture("show\\1.bmp", 40, 80, 1), WritePicture("show\\2.png", 64, 48, 2),
              WritePicture("show\\3.bmp", 30, 30, 3)};
    return folder_path_;
  }
  static std::string Shown() { return SlidePicturePath(); }
  static void Virtual(HWND slide, WPARAM key) { SendMessageW(slide, WM_KEYDOWN, key, 0); }
  static void Char(HWND slide, WPARAM c) { SendMessageW(slide, WM_CHAR, c, 0); }
  static SlideDriver::Step Press(WPARAM key) {
    return [key](HWND slide) { return slide && (Virtual(slide, key), true); };
  }
  static SlideDriver::Step Type(WPARAM c) {
    return [c](HWND slide) { return slide && (Char(slide, c), true); };
  }
  SlideDriver::Step Expect(size_t index) {
    return [this, index](HWND slide) {
      EXPECT_TRUE(slide);
      EXPECT_EQ(Shown(), paths_[index]);
      return true;
    };
  }
  // Starts on the test folder with the steps inside the show; true when every step ran.
  bool RunShow(std::vector<SlideDriver::Step> steps) {
    SlideDriver driver(std::move(steps));
    StartSlideShowFromFolder(app(), folder_path_);
    return driver.Finished();
  }

  std::string folder_path_;
  std::vector<std::string> paths_;
};

TEST_F(SlideShowTest, KeysMoveThroughThePicturesAndWrapAroundAndEscEnds) {
  Start();
  MakeShowFolder();
  app().slide.intervalMs = 600000;  // no tick during the test: only the keys move
  bool frameDisabled = false;
  EXPECT_TRUE(RunShow({[&](HWND slide) {
                         if (!slide || Shown().empty()) return false;
                         frameDisabled = !IsWindowEnabled(frame());
                         return true;
                       },
                       Expect(0), Press(VK_RIGHT), Expect(1), Type('+'), Expect(2), Press(VK_DOWN),
                       Expect(0), Press(VK_LEFT), Expect(2), Type('-'), Expect(1), Press(VK_UP), Expect(0),
                       Type(0x1B)}));
  EXPECT_TRUE(frameDisabled);
  EXPECT_EQ(RunningSlideWindow(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(frame()));
  EXPECT_TRUE(app().slideList.empty());  // Esc lets the list go: the next start asks for a folder
  EXPECT_TRUE(boxes_.empty());
}

// The first picture is 40 x 80 on a wider screen: it fills the height, centred, black on both sides.
TEST_F(SlideShowTest, ThePictureIsFittedOnBlack) {
  Start();
  MakeShowFolder();
  app().slide.intervalMs = 600000;
  std::vector<uint32_t> pixels;
  int32_t width = 0, height = 0;
  EXPECT_TRUE(RunShow({[&](HWND slide) {
                         if (!slide || Shown().empty()) return false;
                         UpdateWindow(slide);
                         pixels = CaptureClient(slide, width, height);
                         return true;
                       },
                       Type(0x1B)}));
  ASSERT_GT(width, height);
  ASSERT_EQ(pixels.size(), static_cast<size_t>(width) * static_cast<size_t>(height));
  const auto at = [&](int32_t x, int32_t y) { return pixels[static_cast<size_t>(y) * width + x]; };
  EXPECT_EQ(at(0, 0), 0u);
  EXPECT_EQ(at(width - 1, height - 1), 0u);
  int lit = 0;
  for (int32_t y = 0; y < height; y += 4) lit += at(width / 2, y) != 0;
  EXPECT_GT(lit, height / 8) << "the picture's column is drawn";
}

TEST_F(SlideShowTest, PauseResumesAtTheSamePictureAndEscAsksForAFolderAgain) {
  Start();
  MakeShowFolder();
  app().slide.intervalMs = 600000;
  EXPECT_TRUE(RunShow({Press(VK_RIGHT), Expect(1), Press(VK_PAUSE)}));
  EXPECT_EQ(RunningSlideWindow(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(frame()));

  bool askedForFolder = false;
  {
    SlideDriver driver({[&](HWND slide) {
                          askedForFolder = ActiveDialogBox() != nullptr;
                          if (!slide) return askedForFolder;
                          EXPECT_EQ(Shown(), paths_[1]);
                          return true;
                        },
                        Type(0x1B)});
    Command(cmd::kSlideShowMenu);
    EXPECT_TRUE(driver.Finished());
  }
  EXPECT_FALSE(askedForFolder);

  // After Esc the menu start shows the folder chooser; Cancel there starts nothing.
  {
    SlideDriver driver({[&](HWND) {
      const HWND dialog = ActiveDialogBox();
      if (!dialog) return false;
      askedForFolder = true;
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      return true;
    }});
    Command(cmd::kSlideShowMenu);
    EXPECT_TRUE(driver.Finished());
  }
  EXPECT_TRUE(askedForFolder);
  EXPECT_EQ(RunningSlideWindow(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(frame()));
}

TEST_F(SlideShowTest, ClosingADocumentLetsThePausedShowGo) {
  Start();
  MakeShowFolder();
  app().slide.intervalMs = 600000;
  EXPECT_TRUE(RunShow({Press(VK_RIGHT), Press(VK_PAUSE)}));
  EXPECT_FALSE(app().slideList.empty());
  DocumentWindow* doc = Open(paths_[0]);
  ASSERT_NE(doc, nullptr);
  SendMessageW(app().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(doc->hwnd()), 0);
  Pump();
  EXPECT_TRUE(app().slideList.empty());
  EXPECT_EQ(app().slide.resumeIndex, -1);
}

TEST_F(SlideShowTest, EnterOpensThePictureAsADocumentAndTheShowGoesOn) {
  Start();
  MakeShowFolder();
  app().slide.intervalMs = 600000;
  EXPECT_TRUE(RunShow({Press(VK_RIGHT), Type('\r'),
                       [&](HWND slide) {
                         EXPECT_TRUE(slide) << "the show goes on";
                         EXPECT_EQ(Documents().size(), 1u);
                         return true;
                       },
                       Press(VK_RIGHT), Expect(2), Type(0x1B)}));
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_EQ(Documents()[0]->doc().path, paths_[1]);
  EXPECT_TRUE(IsWindowEnabled(frame()));
}

// 3.bmp holds a PNG picture: the show passes it black and asks nothing; Enter on it explains the
// mismatch (no question over the show) and opens nothing.
TEST_F(SlideShowTest, APictureWhoseContentIsNotItsNamesFormatShowsBlackAndAsksNothing) {
  Start();
  MakeShowFolder();
  ASSERT_TRUE(CopyFileW(Wide(paths_[1]).c_str(), Wide(paths_[2]).c_str(), FALSE));
  app().slide.intervalMs = 600000;
  EXPECT_TRUE(RunShow({Expect(0), Press(VK_LEFT),
                       [&](HWND slide) {
                         EXPECT_TRUE(slide);
                         EXPECT_EQ(app().slide.slideIndex, 2);
                         EXPECT_EQ(Shown(), "") << "nothing is shown";
                         EXPECT_TRUE(boxes_.empty());
                         return true;
                       },
                       Type('\r'),
                       [&](HWND slide) {
                         EXPECT_TRUE(slide) << "the show goes on";
                         EXPECT_TRUE(Documents().empty());
                         return true;
                       },
                       Press(VK_LEFT), Expect(1), Type(0x1B)}));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, "Error!");
  EXPECT_NE(boxes_[0].text.find("PNG"), std::string::npos) << boxes_[0].text;
  EXPECT_TRUE(Documents().empty());
}

TEST_F(SlideShowTest, SpaceStopsAndStartsTheTimerAndTheTimerAdvances) {
  Start();
  MakeShowFolder();
  app().slide.intervalMs = 600000;
  EXPECT_TRUE(RunShow({Type(' '),
                       [&](HWND) {
                         EXPECT_FALSE(app().slide.timerRunning);
                         EXPECT_EQ(Shown(), paths_[0]) << "stopping does not move";
                         app().slide.intervalMs = 100;
                         return true;
                       },
                       Type(' '), Expect(1),
                       [&](HWND) {
                         EXPECT_TRUE(app().slide.timerRunning);
                         return true;
                       },
                       [&](HWND) { return Shown() == paths_[2]; },  // the timer's next picture
                       Type(0x1B)}));
}

TEST_F(SlideShowTest, TabSetsTheIntervalAndTheInfoLineAndHelpStopsTheTimerMeanwhile) {
  Start();
  MakeShowFolder();
  app().slide.intervalMs = 600000;
  EXPECT_TRUE(RunShow({[](HWND slide) { return slide && PostMessageW(slide, WM_CHAR, '\t', 0); },
                       [&](HWND) {
                         const HWND dialog = ActiveDialogBox();
                         if (!dialog) return false;
                         EXPECT_FALSE(app().slide.timerRunning);
                         EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, IDC_SLIDE_INTERVAL)), "600000");
                         SetDlgItemTextW(dialog, IDC_SLIDE_INTERVAL, L"700000");
                         ClickItem(dialog, IDC_SLIDE_SHOW_INFO);
                         ClickItem(dialog, IDOK);
                         return true;
                       },
                       [&](HWND slide) {
                         if (!slide || ActiveDialogBox()) return false;
                         EXPECT_EQ(app().slide.intervalMs, 700000);
                         EXPECT_TRUE(app().slide.showInfo);
                         EXPECT_TRUE(app().slide.timerRunning) << "the timer runs again";
                         return PostMessageW(slide, WM_KEYDOWN, VK_F1, 0) != 0;
                       },
                       [&](HWND) {
                         const HWND dialog = ActiveDialogBox();
                         if (!dialog) return false;
                         EXPECT_FALSE(app().slide.timerRunning);
                         ClickItem(dialog, IDOK);
                         return true;
                       },
                       [&](HWND slide) {
                         if (!slide || ActiveDialogBox()) return false;
                         EXPECT_TRUE(app().slide.timerRunning);
                         return true;
                       },
                       Type(0x1B)}));
}

TEST_F(SlideShowTest, AFolderWithoutPicturesGivesTheMessageAndNoWindow) {
  Start();
  const std::string empty = folder_.Path("empty");
  CreateDirectoryW(Wide(empty).c_str(), nullptr);
  WritePicture("empty\\notes.txt", 4, 4);  // any other file is not a slide
  SlideDriver driver({[](HWND slide) { return slide == nullptr; }}, 3000);
  StartSlideShowFromFolder(app(), empty);
  EXPECT_EQ(RunningSlideWindow(), nullptr);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "有効な画像データがありません。");
  EXPECT_TRUE(IsWindowEnabled(frame()));
}

TEST_F(SlideShowTest, ACommandLineOfQuotedFilesShowsThemAndOneNamingNothingEndsSilently) {
  Start();
  MakeShowFolder();
  app().slide.intervalMs = 600000;
  {
    SlideDriver driver({[&](HWND slide) {
                          if (!slide) return false;
                          EXPECT_EQ(Shown(), paths_[2]);
                          EXPECT_EQ(app().slideList.size(), 2u);
                          return true;
                        },
                        Type(0x1B)});
    StartSlideShow(app(), "\"" + paths_[2] + "\" \"" + paths_[0] + "\"");
    EXPECT_TRUE(driver.Finished());
  }
  StartSlideShow(app(), "\"" + folder_.Path("nothing-here.bmp") + "\"");
  EXPECT_EQ(RunningSlideWindow(), nullptr);
  EXPECT_TRUE(boxes_.empty());
}

}  // namespace
}  // namespace veilo::testing
