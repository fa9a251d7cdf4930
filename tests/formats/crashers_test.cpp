// Replays every input the fuzz targets found harmful (tests/data/crashers/<reader>/)
// through its reader. Under ASan and UBSan a replay must end normally: the
// reader may refuse the file, but must not crash, leak or read out of bounds,
// and a picture it accepts must be complete.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "formats/bmp_reader.h"
#include "formats/gif_reader.h"
#include "formats/jp2_reader.h"
#include "formats/jpeg_reader.h"
#include "formats/png_reader.h"
#include "formats/tiff_reader.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

namespace fs = std::filesystem;
using testing::RecordingShell;

// Reads path into doc; true when the reader reports a picture.
using Reader = std::function<bool(ShellNotifications&, const std::string&, ImageDoc&)>;

// One row per fuzz target, named as its folder (and scripts/fuzz-smoke's target).
const std::map<std::string, Reader>& ReadersByFolder() {
  static const std::map<std::string, Reader> readers = {
      {"bmp",
       [](ShellNotifications& shell, const std::string& path, ImageDoc& doc) {
         doc.path = path;
         return ReadBmpFile(shell, doc) == 0;
       }},
      {"gif",
       [](ShellNotifications& shell, const std::string& path, ImageDoc& doc) {
         return ReadGifFile(shell, path, doc) != 0;
       }},
      {"jpeg",
       [](ShellNotifications& shell, const std::string& path, ImageDoc& doc) {
         doc.path = path;
         return ReadJpegFile(shell, doc) == 1;
       }},
      {"png",
       [](ShellNotifications& shell, const std::string& path, ImageDoc& doc) {
         return ReadPngFile(shell, path, doc) == 1;
       }},
      {"tiff",
       [](ShellNotifications& shell, const std::string& path, ImageDoc& doc) {
         doc.path = path;
         return ReadTiffFile(shell, doc) == 1;
       }},
      {"jp2",
       [](ShellNotifications& shell, const std::string& path, ImageDoc& doc) {
         doc.path = path;
         return ReadJp2File(shell, doc) == 1;
       }},
  };
  return readers;
}

std::vector<fs::path> FilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(Crashers, EveryFileIsReadOrRefusedSafely) {
  const fs::path root = testing::TestDataPath("crashers");
  ASSERT_TRUE(fs::is_directory(root)) << root;
  int replayed = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(root)) {
    if (!entry.is_directory()) continue;  // the README
    const std::string folder = entry.path().filename().string();
    const auto reader = ReadersByFolder().find(folder);
    if (reader == ReadersByFolder().end()) {
      ADD_FAILURE() << "no reader for tests/data/crashers/" << folder;
      continue;
    }
    for (const fs::path& file : FilesIn(entry.path())) {
      SCOPED_TRACE(file.string());
      RecordingShell shell;
      ImageDoc doc;
      if (reader->second(shell, file.string(), doc)) {
        EXPECT_TRUE(doc.HasPicture());
        EXPECT_EQ(doc.bitCount, 24);
      }
      EXPECT_EQ(shell.waitDepth, 0);
      ++replayed;
    }
  }
  RecordProperty("replayed", replayed);
}

}  // namespace
}  // namespace veilo
