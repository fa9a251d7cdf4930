// The status-bar progress of JPEG reads and writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/jpeg_progress.h"
#include "recording_shell.h"

namespace veilo {
namespace {

std::vector<std::string> ShownTexts(JpegProgressKind kind, uint32_t rows, bool english = false) {
  testing::RecordingShell shell;
  JpegProgress progress(shell, kind, english);
  for (uint32_t done = 1; done <= rows; ++done) progress.RowsDone(done, rows);
  return shell.messagePane;
}

TEST(JpegProgress, ReadShowsEveryNewTenFromZero) {
  const std::vector<std::string> expected = {
      "JPEG 0% 読み込み中...",  "JPEG 10% 読み込み中...", "JPEG 20% 読み込み中...", "JPEG 30% 読み込み中...",
      "JPEG 40% 読み込み中...", "JPEG 50% 読み込み中...", "JPEG 60% 読み込み中...", "JPEG 70% 読み込み中...",
      "JPEG 80% 読み込み中...", "JPEG 90% 読み込み中...", "JPEG 100% 読み込み中..."};
  EXPECT_EQ(ShownTexts(JpegProgressKind::kRead, 149), expected);
}

TEST(JpegProgress, WriteStartsShowingAtTen) {
  const auto shown = ShownTexts(JpegProgressKind::kWrite, 149);
  ASSERT_EQ(shown.size(), 10u);
  EXPECT_EQ(shown.front(), "JPEG 10% 書き込み中...");
  EXPECT_EQ(shown.back(), "JPEG 100% 書き込み中...");
}

TEST(JpegProgress, FewRowsSkipTheTensTheyNeverReach) {
  // 3 rows: 33 -> 30, 66 -> 60, 100.
  EXPECT_EQ(ShownTexts(JpegProgressKind::kRead, 3, true),
            (std::vector<std::string>{"JPEG 30% Read...", "JPEG 60% Read...", "JPEG 100% Read..."}));
  EXPECT_EQ(ShownTexts(JpegProgressKind::kWrite, 1, true), (std::vector<std::string>{"JPEG 100% Write..."}));
}

}  // namespace
}  // namespace veilo
