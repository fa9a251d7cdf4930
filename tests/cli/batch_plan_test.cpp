#include "batch_plan.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <set>

#include "area_arg.h"
#include "batch_run.h"
#include "platform/file_io.h"
#include "progress_line.h"
#include "temp_folder.h"

namespace veilo {
namespace {

using cli::BatchArgs;
using cli::BatchJob;

TEST(BatchOutputName, KeepsOrReplacesTheExtension) {
  struct Case {
    const char* input;
    std::optional<std::string> ext;
    const char* output;
  };
  const Case cases[] = {
      {"a.jpg", std::nullopt, "a.jpg"}, {"a.jpg", "png", "a.png"},      {"a.b.jpg", "png", "a.b.png"},
      {"noext", "png", "noext.png"},    {".hidden", "bmp", ".hidden.bmp"}, {"a.", "gif", "a.gif"},
      {"A.JPEG", "jpg", "A.jpg"},
  };
  for (const Case& c : cases) EXPECT_EQ(cli::OutputName(c.input, c.ext), c.output) << c.input;
}

TEST(BatchArguments, OptionsAndTheirRefusals) {
  struct Case {
    std::vector<std::string> args;
    cli::OptionParse result;
    std::string outDir, ext;
    bool inPlace;
    unsigned threads;
  };
  using P = cli::OptionParse;
  const Case cases[] = {
      {{"--out-dir", "o"}, P::kTaken, "o", "", false, 0},
      {{"--ext", "png"}, P::kTaken, "", "png", false, 0},
      {{"--ext", ".png"}, P::kTaken, "", "png", false, 0},
      {{"--in-place"}, P::kTaken, "", "", true, 0},
      {{"--jobs", "3"}, P::kTaken, "", "", false, 3},
      {{"--quality", "3"}, P::kNotAnOption, "", "", false, 0},
      {{"x.jpg"}, P::kNotAnOption, "", "", false, 0},
      {{"--out-dir"}, P::kBad, "", "", false, 0},
      {{"--out-dir", ""}, P::kBad, "", "", false, 0},
      {{"--ext", ""}, P::kBad, "", "", false, 0},
      {{"--ext", "."}, P::kBad, "", "", false, 0},
      {{"--ext", "a/b"}, P::kBad, "", "", false, 0},
      {{"--ext", "..\\x"}, P::kBad, "", "", false, 0},
      {{"--ext", "tar.gz"}, P::kBad, "", "", false, 0},
      {{"--jobs", "0"}, P::kBad, "", "", false, 0},
      {{"--jobs", "2x"}, P::kBad, "", "", false, 0},
      {{"--jobs", "-1"}, P::kBad, "", "", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    BatchArgs batch;
    size_t i = 0;
    std::string error;
    EXPECT_EQ(cli::ParseBatchOption(c.args, i, batch, error), c.result);
    EXPECT_EQ(error.empty(), c.result != P::kBad);
    if (c.result != P::kTaken) continue;
    EXPECT_EQ(i + 1, c.args.size());  // the value, if any, was taken too
    EXPECT_EQ(batch.outDir.value_or(""), c.outDir);
    EXPECT_EQ(batch.ext.value_or(""), c.ext);
    EXPECT_EQ(batch.inPlace, c.inPlace);
    EXPECT_EQ(batch.threads.value_or(0), c.threads);
  }

  EXPECT_TRUE(cli::IsBatchForm({"a.jpg", "--area", "0,0,1,1", "neg", "--jobs", "2"}));
  EXPECT_FALSE(cli::IsBatchForm({"a.jpg", "b.jpg", "--area", "0,0,1,1", "neg"}));
  BatchArgs batch;
  EXPECT_NE(cli::CheckBatchArgs(batch), "");  // no inputs
  batch.inputs = {"a.jpg"};
  batch.ext = "png";
  EXPECT_NE(cli::CheckBatchArgs(batch), "");  // nowhere to write
  batch.inPlace = true;
  EXPECT_EQ(cli::CheckBatchArgs(batch), "");
}

TEST(MaskAreaArgument, FixedCornersOrAutomaticPoint) {
  const auto fixed = cli::ParseAreaArg("66,45,3,2");
  ASSERT_TRUE(fixed);
  EXPECT_FALSE(fixed->automatic);
  EXPECT_EQ(fixed->fixed, (PixelRect{66, 45, 3, 2}));
  const auto point = cli::ParseAreaArg("auto:50,40");
  ASSERT_TRUE(point);
  EXPECT_TRUE(point->automatic);
  EXPECT_EQ(point->x, 50);
  EXPECT_EQ(point->y, 40);
  for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "1,2,3,x", "1,,3,4", "auto:", "auto:5", "auto:5,6,7",
                          "auto:-1,2", "auto:65536,0", "0,0,70000,1", "Auto:1,2", "auto 1,2", " 1,2,3,4"})
    EXPECT_FALSE(cli::ParseAreaArg(bad)) << bad;
}

TEST(BatchSummary, NamesEveryFailedInput) {
  EXPECT_EQ(cli::FailureSummary({}, 4), "");
  EXPECT_EQ(cli::FailureSummary({"a.jpg"}, 1), "veilo-cli: 1 of 1 file failed:\n  a.jpg\n");
  EXPECT_EQ(cli::FailureSummary({"d/a.jpg", "d/c.png"}, 200),
            "veilo-cli: 2 of 200 files failed:\n  d/a.jpg\n  d/c.png\n");
}

TEST(BatchProgress, EachLineCoversTheOneBefore) {
  cli::ProgressLine line;
  EXPECT_EQ(line.Clear(), "");  // nothing shown yet
  EXPECT_EQ(line.Show(1, 12, "long-name.jpg"), "\r[1/12] long-name.jpg");
  EXPECT_EQ(line.Show(2, 12, "b.jpg"), "\r[2/12] b.jpg" + std::string(8, ' '));
  const std::string wide = "\xE5\x86\x99\xE5\x86\x99\xE5\x86\x99.png";  // three CJK characters
  EXPECT_EQ(line.Show(10, 12, wide), "\r[10/12] " + wide);
  // One column for each three-byte character: 15 columns to cover, not 21.
  EXPECT_EQ(line.Show(11, 12, "a.png"), "\r[11/12] a.png" + std::string(2, ' '));
  EXPECT_EQ(line.Clear(), "\r" + std::string(13, ' ') + "\r");
  EXPECT_EQ(line.Clear(), "");
}

TEST(BatchThreads, EveryFileOnceAndOneFinishAtATime) {
  constexpr size_t kCount = 64;
  std::atomic<int> done[kCount] = {};
  std::atomic<int> inFinish{0};
  bool overlapped = false;
  std::set<size_t> counts;
  const auto outcomes = cli::RunOnThreads(
      kCount, 4,
      [&](size_t i) {
        ++done[i];
        cli::FileOutcome o;
        o.ok = i % 3 != 0;
        o.messages = std::to_string(i);
        return o;
      },
      [&](size_t i, const cli::FileOutcome& o, size_t finished) {
        if (++inFinish != 1) overlapped = true;
        EXPECT_EQ(o.messages, std::to_string(i));
        counts.insert(finished);
        --inFinish;
      });
  EXPECT_FALSE(overlapped);
  ASSERT_EQ(outcomes.size(), kCount);
  for (size_t i = 0; i < kCount; ++i) {
    EXPECT_EQ(done[i], 1) << i;
    EXPECT_EQ(outcomes[i].ok, i % 3 != 0) << i;
    EXPECT_EQ(outcomes[i].messages, std::to_string(i));
  }
  EXPECT_EQ(counts.size(), kCount);
  EXPECT_EQ(*counts.begin(), 1u);
  EXPECT_EQ(*counts.rbegin(), kCount);
  EXPECT_TRUE(cli::RunOnThreads(0, 4, nullptr, nullptr).empty());
}

class BatchPlanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string root = folder_.Path("");
    sep_ = root.back();
    std::filesystem::create_directory(folder_.Path("in"));
    std::filesystem::create_directory(folder_.Path("out"));
    std::filesystem::create_directory(folder_.Path("empty"));
  }
  std::string In(const std::string& name) const { return folder_.Path("in") + sep_ + name; }
  std::string Out(const std::string& name) const { return folder_.Path("out") + sep_ + name; }
  void Touch(const std::string& path) { ASSERT_TRUE(OpenFile(path, "wb")) << path; }

  // Each job as "input -> output" or "input: refused".
  static std::vector<std::string> Describe(const std::vector<BatchJob>& jobs) {
    std::vector<std::string> lines;
    for (const BatchJob& j : jobs) lines.push_back(j.refusal.empty() ? j.input + " -> " + j.output : j.input + ": refused");
    return lines;
  }

  testing::TempFolder folder_;
  char sep_ = '/';
};

TEST_F(BatchPlanTest, FoldersFilesAndTheOutputFolder) {
  for (const char* name : {"b.png", "a.jpg", "notes.txt"}) Touch(In(name));
  BatchArgs args;
  // The folder's pictures in name order; a file named again (through another spelling) is done once.
  args.inputs = {folder_.Path("in"), In("a.jpg"), folder_.Path("in") + sep_ + "." + sep_ + "b.png",
                 folder_.Path("empty"), In("absent.gif")};
  args.outDir = folder_.Path("out");
  const std::vector<std::string> want = {
      In("a.jpg") + " -> " + Out("a.jpg"),
      In("b.png") + " -> " + Out("b.png"),
      folder_.Path("empty") + ": refused",
      // A missing file is tried (and fails when read), so that it is named at the end.
      In("absent.gif") + " -> " + Out("absent.gif"),
  };
  EXPECT_EQ(Describe(cli::PlanBatch(args)), want);

  args.inputs = {In("a.jpg"), In("b.png")};
  args.ext = "bmp";
  args.outDir = folder_.Path("out") + sep_;  // a trailing separator is not doubled
  EXPECT_EQ(Describe(cli::PlanBatch(args)),
            (std::vector<std::string>{In("a.jpg") + " -> " + Out("a.bmp"), In("b.png") + " -> " + Out("b.bmp")}));
}

TEST_F(BatchPlanTest, NoOutputReplacesAnInputOrAnotherOutput) {
  for (const char* name : {"a.jpg", "A.png", "b.gif", "c.bmp"}) Touch(In(name));
  struct Case {
    const char* name;
    bool outDirIsInput, inPlace;
    std::optional<std::string> ext;
    std::vector<std::string> want;  // per input a.jpg, A.png, b.gif, c.bmp: output name or "" when refused
  };
  const Case cases[] = {
      {"own names, other folder", false, false, std::nullopt, {"a.jpg", "A.png", "b.gif", "c.bmp"}},
      // a.bmp and A.bmp are one file on Windows: neither is written.
      {"two inputs, one output", false, false, "bmp", {"", "", "b.bmp", "c.bmp"}},
      {"into the inputs' folder", true, false, "png", {"", "", "b.png", "c.png"}},
      {"own names, in place refused", true, false, std::nullopt, {"", "", "", ""}},
      {"own names, in place allowed", true, true, std::nullopt, {"a.jpg", "A.png", "b.gif", "c.bmp"}},
      {"in place, c.bmp replaced", true, true, "bmp", {"", "", "b.bmp", "c.bmp"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BatchArgs args;
    args.inputs = {In("a.jpg"), In("A.png"), In("b.gif"), In("c.bmp")};
    args.ext = c.ext;
    args.inPlace = c.inPlace;
    args.outDir = folder_.Path(c.outDirIsInput ? "in" : "out");
    const std::vector<BatchJob> jobs = cli::PlanBatch(args);
    ASSERT_EQ(jobs.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
      const std::string want = c.want[i].empty() ? ": refused" : " -> " + (c.outDirIsInput ? In(c.want[i]) : Out(c.want[i]));
      EXPECT_EQ(Describe(jobs)[i], jobs[i].input + want);
    }
  }

  // However the inputs' folder is spelled (a trailing separator, or '/' where the system's own is
  // '\\'), writing into it is refused.
  for (const std::string& outDir : {folder_.Path("in") + sep_, folder_.Path("in") + "/"}) {
    for (const std::string& input : {In("c.bmp"), folder_.Path("in") + "/c.bmp"}) {
      SCOPED_TRACE(outDir + " " + input);
      BatchArgs same;
      same.inputs = {input};
      same.outDir = outDir;
      const std::vector<BatchJob> jobs = cli::PlanBatch(same);
      ASSERT_EQ(jobs.size(), 1u);
      EXPECT_FALSE(jobs[0].refusal.empty());
    }
  }

  // Without --out-dir, in place: next to each input.
  BatchArgs args;
  args.inputs = {In("b.gif")};
  args.inPlace = true;
  args.ext = "png";
  EXPECT_EQ(Describe(cli::PlanBatch(args)), std::vector<std::string>{In("b.gif") + " -> " + In("b.png")});
}

}  // namespace
}  // namespace veilo
