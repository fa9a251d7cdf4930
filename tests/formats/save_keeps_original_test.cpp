// A save that does not happen, or that fails on the way, leaves the file it
// would have replaced byte for byte as it was, with no temporary file beside
// it: a cancelled option dialog, a full disk, a writer that gives up. (Each
// writer's own full-disk test lives with the writer; these are the roads
// through the dispatch that no writer test takes.)
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "file_size_limit.h"
#include "formats/image_dispatch.h"
#include "platform/file_io.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

const std::string kOldFile = "the user's old file";

class SaveKeepsOriginal : public ::testing::Test {
 protected:
  // An existing file under `name` that a save is about to replace.
  std::string Existing(const std::string& name) {
    const std::string path = folder_->Path(name);
    FilePtr file = OpenFile(path, "wb");
    EXPECT_TRUE(file && std::fwrite(kOldFile.data(), 1, kOldFile.size(), file.get()) == kOldFile.size());
    return path;
  }
  void ExpectKept(const std::string& name) {
    const std::vector<uint8_t> bytes =
        ReadWholeFile(folder_->Path(name), 1u << 20).value_or(std::vector<uint8_t>{});
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kOldFile) << name;
    EXPECT_EQ(folder_->Entries(), std::vector<std::string>{name});
  }
  // Saves `doc` under `name` over an existing file, with `setup` applied to the options.
  int SaveOver(const std::string& name, ImageDoc& doc, const std::function<void(SaveOptions&)>& setup) {
    const std::string path = Existing(name);
    SaveOptions options = StartingSaveOptions(doc);
    options.englishMessages = true;
    setup(options);
    shell_.errors.clear();
    return SaveImageFile(shell_, path, doc, options);
  }

  std::optional<testing::TempFolder> folder_;  // a fresh one for every case
  testing::RecordingShell shell_;
};

TEST_F(SaveKeepsOriginal, ACancelledOptionDialogWritesNothing) {
  struct Case {
    const char* name;
    std::function<void(SaveOptions&)> cancel;  // a prompt that changes its options, then cancels
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {"photo.png",
       [](SaveOptions& o) {
         o.pngPrompt = [](ImageDoc&, const PngColourCount&, PngSaveOptions& p) {
           p.interlace = true;
           return false;
         };
       },
       {"Write Error!"}},
      {"photo.gif",
       [](SaveOptions& o) {
         o.gifPrompt = [](ImageDoc&, GifSaveOptions& g) {
           g.maxColours = 16;
           return false;
         };
       },
       {}},  // the GIF dialog's Cancel is silent
      {"photo.jp2",
       [](SaveOptions& o) {
         o.jp2Prompt = [](Jp2WriteOptions& j) {
           j.lossless = false;
           return false;
         };
       },
       {"Write Error!"}},
      {"photo.JPC", [](SaveOptions& o) { o.jp2Prompt = [](Jp2WriteOptions&) { return false; }; },
       {"Write Error!"}},
      {"photo.bmp",
       [](SaveOptions& o) {
         o.bmpPrompt = [](uint32_t, int& reduction) {
           reduction = 16;
           return false;
         };
       },
       {"Write Error!"}},
      {"photo", [](SaveOptions& o) { o.bmpPrompt = [](uint32_t, int&) { return false; }; }, {"Write Error!"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    folder_.emplace();
    ImageDoc doc = testing::MakeNoiseDoc(30, 20);  // many colours: the BMP dialog is asked
    EXPECT_EQ(SaveOver(c.name, doc, c.cancel), 1);
    EXPECT_EQ(shell_.errors, c.errors);
    ExpectKept(c.name);
  }
}

TEST_F(SaveKeepsOriginal, AWriterThatGivesUpKeepsTheOldFile) {
  struct Case {
    const char* name;
    int32_t width;
    std::function<void(SaveOptions&)> setup;
  };
  const Case cases[] = {
      {"wide.jpg", 65501, [](SaveOptions&) {}},  // beyond the JPEG library's limit
      {"bad-rate.jp2", 8, [](SaveOptions& o) { o.jp2 = {false, 5.0f}; }},
      {"bad-reduction.bmp", 8, [](SaveOptions& o) { o.bmpReduction = 7; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    folder_.emplace();
    ImageDoc doc = testing::MakeNoiseDoc(c.width, 2);
    EXPECT_EQ(SaveOver(c.name, doc, c.setup), 1);
    ASSERT_FALSE(shell_.errors.empty());
    EXPECT_EQ(shell_.errors.back(), "Write Error!");
    ExpectKept(c.name);
  }
}

#ifndef _WIN32
TEST_F(SaveKeepsOriginal, AFullDiskKeepsTheOldFile) {
  struct Case {
    const char* name;
    int bmpReduction;
    bool dispatchReports;  // "Write Error!" from the dispatch (GIF reports its own)
  };
  const Case cases[] = {
      {"photo.gif", 0, false},
      {"reduced-256.bmp", 256, true},
      {"reduced-16.bmp", 16, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    folder_.emplace();
    ImageDoc doc = testing::MakeNoiseDoc(300, 300);  // far more than the limit below in every form
    int result = 0;
    {
      testing::FileSizeLimit limit(4096);
      ASSERT_TRUE(limit.active());
      result = SaveOver(c.name, doc, [&](SaveOptions& o) { o.bmpReduction = c.bmpReduction; });
    }
    EXPECT_EQ(result, 1);
    ASSERT_FALSE(shell_.errors.empty());
    EXPECT_EQ(shell_.errors.back() == "Write Error!", c.dispatchReports) << shell_.errors.back();
    ExpectKept(c.name);
  }
}
#endif

}  // namespace
}  // namespace veilo
