#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "shell/command_line.h"

namespace veilo {
namespace {

using Strings = std::vector<std::string>;

IsFolderFn FoldersAre(std::set<std::string> folders) {
  return [folders = std::move(folders)](const std::string& p) { return folders.count(p) > 0; };
}

TEST(SplitArguments, QuotedOrSpaceSeparated) {
  struct Case {
    const char* line;
    Strings expected;
  };
  const Case cases[] = {
      {"", {}},
      {"   ", {}},
      {"a.jpg", {"a.jpg"}},
      {"a.jpg b.png", {"a.jpg", "b.png"}},
      {"a.jpg  b.png ", {"a.jpg", "b.png"}},  // no empty names from double or trailing blanks
      {R"("C:\My Pictures\a.jpg" "C:\b c.png")", {R"(C:\My Pictures\a.jpg)", R"(C:\b c.png)"}},
      {R"("C:\a b.jpg")", {R"(C:\a b.jpg)"}},
      {R"("C:\a b.jpg" C:\c.jpg)", {R"(C:\a b.jpg)", R"(C:\c.jpg)"}},  // a bare word is kept
      {R"("C:\a b.jpg"  "" "C:\d.gif)", {R"(C:\a b.jpg)", R"(C:\d.gif)"}},  // unterminated quote
      {R"(C:\My Pictures\a.jpg)", {R"(C:\My)", R"(Pictures\a.jpg)"}},  // unquoted: cut at spaces
      {R"(a"b c)", {R"(a"b)", "c"}},  // quotes count only at the start
  };
  for (const Case& c : cases) EXPECT_EQ(SplitArguments(c.line), c.expected) << c.line;
}

struct StartupCase {
  const char* line;
  bool running;
  StartupKind kind;
  bool screenSaver;
};

TEST(DecideStartup, SwitchesAndSecondInstance) {
  using enum StartupKind;
  const StartupCase cases[] = {
      {"/c", false, kShowScreenSaverSettings, false},
      {"/C:1234", true, kShowScreenSaverSettings, false},
      {"/s", false, kStartNormally, true},
      {"/S", false, kStartNormally, true},
      {"/s", true, kEnd, false},  // already running: the screen saver does nothing
      {"/p 1234", false, kEnd, false},
      {"/x", true, kEnd, false},
      {"/", false, kEnd, false},
      {"", false, kStartNormally, false},
      {"", true, kHandOver, false},  // just brings the running one forward
      {"a.jpg", false, kStartNormally, false},
      {"a.jpg", true, kHandOver, false},
      {"  /s", false, kStartNormally, true},
  };
  for (const StartupCase& c : cases) {
    const StartupDecision d = DecideStartup(c.line, c.running, FoldersAre({}));
    EXPECT_EQ(d.kind, c.kind) << c.line;
    EXPECT_EQ(d.screenSaverMode, c.screenSaver) << c.line;
  }
}

TEST(DecideStartup, HandsFilesOverOneByOneInOrder) {
  const StartupDecision d =
      DecideStartup(R"("C:\p\one.jpg" "C:\p\two.png")", true, FoldersAre({}));
  ASSERT_EQ(d.kind, StartupKind::kHandOver);
  EXPECT_FALSE(d.handOver.slideShow);
  EXPECT_EQ(d.handOver.files, (Strings{R"(C:\p\one.jpg)", R"(C:\p\two.png)"}));
}

TEST(DecideStartup, HandsAFolderOverAsOneSlideShowLine) {
  const std::string line = R"("C:\p\one.jpg" "C:\photos")";
  const StartupDecision d = DecideStartup(line + " ", true, FoldersAre({R"(C:\photos)"}));
  ASSERT_EQ(d.kind, StartupKind::kHandOver);
  EXPECT_TRUE(d.handOver.slideShow);
  EXPECT_EQ(d.handOver.slideShowLine, line);
  EXPECT_TRUE(d.handOver.files.empty());
}

TEST(DecideStartup, KeepsTheLineForTheFirstTick) {
  const StartupDecision d = DecideStartup(" a.jpg b.jpg ", false, FoldersAre({}));
  EXPECT_EQ(d.kind, StartupKind::kStartNormally);
  EXPECT_EQ(d.pendingCommandLine, "a.jpg b.jpg");
}

TEST(DecideFirstTick, OpensFilesOrStartsASlideShow) {
  const IsFolderFn folders = FoldersAre({R"(C:\photos)"});
  FirstTickAction a = DecideFirstTick("a.jpg b.jpg", false, "", folders);
  EXPECT_EQ(a.kind, FirstTickKind::kOpenFiles);
  EXPECT_EQ(a.files, (Strings{"a.jpg", "b.jpg"}));

  a = DecideFirstTick(R"(C:\photos)", false, "", folders);
  EXPECT_EQ(a.kind, FirstTickKind::kSlideShow);
  EXPECT_EQ(a.slideShowLine, R"(C:\photos)");

  a = DecideFirstTick("", false, R"(C:\photos)", folders);
  EXPECT_EQ(a.kind, FirstTickKind::kNothing);
}

TEST(DecideFirstTick, ScreenSaverShowsTheSavedFolderEvenWithBlanksInIt) {
  const IsFolderFn none = FoldersAre({});
  FirstTickAction a = DecideFirstTick("", true, R"(C:\My Pictures)", none);
  EXPECT_EQ(a.kind, FirstTickKind::kSlideShow);
  EXPECT_EQ(a.slideShowLine, R"("C:\My Pictures")");
  // The slide show splits that back into the one folder.
  EXPECT_EQ(SplitArguments(a.slideShowLine), (Strings{R"(C:\My Pictures)"}));

  a = DecideFirstTick("", true, R"("C:\x")", none);
  EXPECT_EQ(a.slideShowLine, R"("C:\x")");
}

TEST(UseDroppedPath, FolderStartsASlideShow) {
  const IsFolderFn folders = FoldersAre({R"(C:\photos)"});
  EXPECT_EQ(UseDroppedPath(R"(C:\photos)", folders), DroppedPathUse::kSlideShowOfFolder);
  EXPECT_EQ(UseDroppedPath(R"(C:\photos\a.jpg)", folders), DroppedPathUse::kOpenFile);
}

}  // namespace
}  // namespace veilo
