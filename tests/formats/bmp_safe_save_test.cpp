// Saving never destroys the file being replaced: the picture goes to a
// temporary file beside it, which takes the target's place only when
// everything was written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "doc/image_doc.h"
#include "formats/bmp_writer.h"
#include "ppm_reference.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace veilo {
namespace {

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path) {
  const auto bytes = testing::ReadFileBytes(path);
  return {bytes.begin(), bytes.end()};
}

TEST(BmpSafeSave, ReplacesAnExistingFileAndLeavesNoTemporary) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  const std::string target = folder.Path("picture.bmp");
  WriteText(target, "the user's old file");
  ImageDoc doc = testing::MakeNoiseDoc(30, 20);  // more than 256 colours: stored as held
  ASSERT_EQ(WriteBmpFile(shell, target, doc.dib), 1);
  EXPECT_EQ(testing::ReadFileBytes(target).size(), 14 + doc.dib.size());
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"picture.bmp"});
}

TEST(BmpSafeSave, MissingFolderFailsAndCreatesNothing) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  ImageDoc doc = testing::MakeNoiseDoc(4, 4);
  EXPECT_EQ(WriteBmpFile(shell, folder.Path("no-such-folder/picture.bmp"), doc.dib), 0);
  EXPECT_TRUE(folder.Entries().empty());
  EXPECT_TRUE(shell.errors.empty());
}

TEST(BmpSafeSave, FailedReplaceKeepsTheTargetAndRemovesTheTemporary) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  // A folder cannot be replaced by a file: the final step fails.
  const std::string target = folder.Path("picture.bmp");
  std::filesystem::create_directory(target);
  WriteText(folder.Path("picture.bmp/inside.txt"), "kept");
  ImageDoc doc = testing::MakeNoiseDoc(4, 4);
  EXPECT_EQ(WriteBmpFile(shell, target, doc.dib), 0);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"picture.bmp"});
  EXPECT_EQ(ReadText(folder.Path("picture.bmp/inside.txt")), "kept");
}

#ifndef _WIN32
// Lowers the process's file size limit so that writes beyond it fail (as on
// a full disk), restoring it afterwards.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit lowered = previous_;
    lowered.rlim_cur = bytes;
    active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    signal(SIGXFSZ, previousHandler_);
  }
  bool active() const { return active_; }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
  bool active_ = false;
};

TEST(BmpSafeSave, WriteFailingHalfwayLeavesTheOriginalIntact) {
  testing::TempFolder folder;
  testing::RecordingShell shell;
  const std::string target = folder.Path("picture.bmp");
  WriteText(target, "the user's old file");
  ImageDoc doc = testing::MakeNoiseDoc(200, 200);  // 120 000 bytes, far above the limit
  int result = -1;
  {
    FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active());
    result = WriteBmpFile(shell, target, doc.dib);
  }
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadText(target), "the user's old file");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"picture.bmp"});
}
#endif

}  // namespace
}  // namespace veilo
