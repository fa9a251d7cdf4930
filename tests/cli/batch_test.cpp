// The batch forms of mask and convert, run over small folders of pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "commands.h"
#include "formats/image_dispatch.h"
#include "platform/file_io.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

namespace fs = std::filesystem;

// Smooth: no two neighbours differ by much, so the only strong edges are a mask's.
ImageDoc Gradient(int32_t width, int32_t height, uint8_t blue) {
  return testing::MakeDoc(width, height, [=](int32_t x, int32_t y) {
    return testing::Rgb{static_cast<uint8_t>(x * 250 / width), static_cast<uint8_t>(y * 250 / height), blue};
  });
}

class BatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* dir : {"in", "out", "masked", "restored"}) fs::create_directory(folder_.Path(dir));
  }
  // A file of the test's folder, spelled with the system's separator as the folder listing spells it.
  std::string Path(const std::string& name) const {
    std::string p = folder_.Path(name);
#ifdef _WIN32
    std::replace(p.begin(), p.end(), '/', '\\');
#endif
    return p;
  }

  std::string Write(const std::string& name, ImageDoc& doc) {
    const std::string p = Path(name);
    testing::RecordingShell shell;
    SaveOptions options = StartingSaveOptions(doc);
    EXPECT_EQ(SaveImageFile(shell, p, doc, options), 0) << name;
    return p;
  }
  void WriteJunk(const std::string& name) {
    FilePtr f = OpenFile(Path(name), "wb");
    std::fputs("not a picture at all", f.get());
  }

  // Empty when the file holds the picture exactly.
  std::string Differs(const std::string& name, ImageDoc& want) {
    testing::RecordingShell shell;
    ImageDoc doc;
    doc.path = Path(name);
    if (LoadImageFile(shell, doc) != 0) return name + " does not load";
    return testing::DescribePixelDifference(doc, want);
  }

  std::vector<std::string> Names(const std::string& dir) const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Path(dir))) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // Runs a command and keeps what it said on stderr.
  template <typename F>
  int Run(F command, const std::vector<std::string>& args) {
    ::testing::internal::CaptureStderr();
    const int exit = command(args);
    said_ = ::testing::internal::GetCapturedStderr();
    return exit;
  }

  testing::TempFolder folder_;
  std::string said_;
};

TEST_F(BatchTest, ConvertGoesPastADamagedFileAndNamesIt) {
  ImageDoc a = Gradient(60, 40, 10), b = Gradient(50, 30, 90);
  ImageDoc c = testing::MakeDoc(30, 20, [](int32_t x, int32_t y) {
    return testing::Rgb{static_cast<uint8_t>(x / 10 * 100), static_cast<uint8_t>(y / 10 * 200), 7};
  });
  Write("in/a.bmp", a);
  Write("in/b.png", b);
  Write("in/c.gif", c);
  WriteJunk("in/broken.png");
  for (const char* threads : {"1", "3"}) {
    SCOPED_TRACE(threads);
    fs::remove_all(Path("out"));
    fs::create_directory(Path("out"));
    ASSERT_EQ(Run(cli::RunConvert, {Path("in"), "--out-dir", Path("out"), "--ext", "png", "--jobs", threads}),
              cli::kExitFailed);
    EXPECT_EQ(Names("out"), (std::vector<std::string>{"a.png", "b.png", "c.png"}));
    EXPECT_EQ(Differs("out/a.png", a), "");
    EXPECT_EQ(Differs("out/b.png", b), "");
    EXPECT_EQ(Differs("out/c.png", c), "");
    const std::string summary = "1 of 4 files failed:\n  " + Path("in/broken.png") + "\n";
    EXPECT_NE(said_.find(summary), std::string::npos) << said_;
    // The reader's own message is there too, under the file's name.
    EXPECT_NE(said_.find("veilo-cli: " + Path("in/broken.png") + ": "), std::string::npos) << said_;
    EXPECT_EQ(said_.find("\r"), std::string::npos) << "no progress line when stderr is no terminal";
  }

  // All well: exit 0 and nothing to say.
  EXPECT_EQ(Run(cli::RunConvert, {Path("in/a.bmp"), Path("in/c.gif"), "--out-dir", Path("out")}), cli::kExitOk);
  EXPECT_EQ(said_, "");
  EXPECT_EQ(Differs("out/a.bmp", a), "");
  EXPECT_EQ(Differs("out/c.gif", c), "");
}

TEST_F(BatchTest, InputsAreReplacedOnlyWhenAsked) {
  ImageDoc a = Gradient(40, 30, 5), b = testing::MakeNoiseDoc(20, 20, 9);
  Write("in/a.bmp", a);
  Write("in/b.png", b);
  const auto before = ReadWholeFile(Path("in/a.bmp"), 1 << 20);

  const std::vector<std::string> mask = {"--area", "5,5,30,20", "xor"};
  std::vector<std::string> args = {Path("in/a.bmp"), Path("in/b.png"), "--out-dir", Path("in")};
  args.insert(args.end(), mask.begin(), mask.end());
  EXPECT_EQ(Run(cli::RunMask, args), cli::kExitFailed);
  EXPECT_NE(said_.find("2 of 2 files failed"), std::string::npos) << said_;
  EXPECT_EQ(ReadWholeFile(Path("in/a.bmp"), 1 << 20), before);
  EXPECT_EQ(Names("in"), (std::vector<std::string>{"a.bmp", "b.png"}));

  // In place, twice: the reversible mask gives the pictures back, through the safe replace.
  args = {Path("in"), "--in-place"};
  args.insert(args.end(), mask.begin(), mask.end());
  ASSERT_EQ(Run(cli::RunMask, args), cli::kExitOk) << said_;
  EXPECT_NE(Differs("in/a.bmp", a), "");
  ASSERT_EQ(Run(cli::RunMask, args), cli::kExitOk) << said_;
  EXPECT_EQ(Differs("in/a.bmp", a), "");
  EXPECT_EQ(Differs("in/b.png", b), "");
  EXPECT_EQ(Names("in"), (std::vector<std::string>{"a.bmp", "b.png"}));  // no temporary file left

  // Two inputs for one output: neither is written.
  EXPECT_EQ(Run(cli::RunConvert, {Path("in"), "--out-dir", Path("out"), "--ext", "gif"}), cli::kExitOk);
  Write("in/a.png", a);
  EXPECT_EQ(Run(cli::RunConvert, {Path("in"), "--out-dir", Path("out"), "--ext", "bmp"}), cli::kExitFailed);
  EXPECT_EQ(Names("out"), (std::vector<std::string>{"a.gif", "b.bmp", "b.gif"}));
  EXPECT_NE(said_.find("2 of 3 files failed:\n  " + Path("in/a.bmp") + "\n  " + Path("in/a.png") + "\n"),
            std::string::npos)
      << said_;
}

TEST_F(BatchTest, AutoAreaUnmasksWhatAnEarlierRunMasked) {
  struct Picture {
    const char* name;
    ImageDoc original;
    const char* area;  // masked by the first run; each holds the point 50,40
  };
  Picture pictures[] = {
      {"p1.bmp", Gradient(120, 90, 20), "40,30,72,54"},
      {"p2.png", Gradient(110, 100, 140), "30,20,90,70"},
      {"p3.bmp", Gradient(130, 80, 200), "45,35,101,66"},
  };
  for (Picture& p : pictures) {
    const std::string in = Write(std::string("in/") + p.name, p.original);
    ASSERT_EQ(Run(cli::RunMask, {in, Path(std::string("masked/") + p.name), "--area", p.area, "xor"}), cli::kExitOk);
    ASSERT_NE(Differs(std::string("masked/") + p.name, p.original), "");
  }
  ImageDoc plain = testing::MakeDoc(100, 80, [](int32_t, int32_t) { return testing::Rgb{9, 9, 9}; });
  Write("masked/plain.bmp", plain);  // no masked rectangle anywhere
  ImageDoc tiny = Gradient(20, 20, 0);
  Write("masked/tiny.bmp", tiny);  // the point lies outside

  EXPECT_EQ(Run(cli::RunMask, {Path("masked"), "--out-dir", Path("restored"), "--area", "auto:50,40", "xor"}),
            cli::kExitFailed);
  for (Picture& p : pictures) EXPECT_EQ(Differs(std::string("restored/") + p.name, p.original), "") << p.name;
  EXPECT_EQ(Names("restored"), (std::vector<std::string>{"p1.bmp", "p2.png", "p3.bmp"}));
  EXPECT_NE(said_.find("2 of 5 files failed:\n  " + Path("masked/plain.bmp") + "\n  " + Path("masked/tiny.bmp")),
            std::string::npos)
      << said_;
}

TEST_F(BatchTest, BadBatchArgumentsAreUsageErrors) {
  ImageDoc a = Gradient(20, 20, 0);
  const std::string in = Write("in/a.bmp", a);
  const std::string out = Path("out");
  const std::vector<std::vector<std::string>> masks = {
      {in, "--ext", "png", "--area", "0,0,5,5", "neg"},               // nowhere to write
      {"--out-dir", out, in, "--area", "0,0,5,5", "neg"},             // the files come first
      {in, "--out-dir", out, "neg"},                                  // no area
      {in, "--out-dir", out, "--area", "auto:5", "neg"},              // a point needs two numbers
      {in, "--out-dir", out, "--area", "0,0,5,5"},                    // no operation
      {in, "--out-dir", out, "--area", "0,0,5,5", "neg", "--jobs", "0"},
      {in, "--out-dir", out, "--area", "0,0,5,5", "neg", "--ext", "a/b"},
  };
  for (const auto& args : masks) EXPECT_EQ(Run(cli::RunMask, args), cli::kExitUsage) << ::testing::PrintToString(args);
  const std::vector<std::vector<std::string>> converts = {
      {"--out-dir", out},                          // no input
      {in, "--out-dir", out, "--frobnicate"},
      {in, "--out-dir"},
  };
  for (const auto& args : converts)
    EXPECT_EQ(Run(cli::RunConvert, args), cli::kExitUsage) << ::testing::PrintToString(args);
  EXPECT_EQ(Names("out"), std::vector<std::string>{});
  // A missing output folder is no usage error, but nothing can be done.
  EXPECT_EQ(Run(cli::RunConvert, {in, "--out-dir", Path("absent")}), cli::kExitFailed);
  EXPECT_FALSE(fs::exists(Path("absent")));
}

}  // namespace
}  // namespace veilo
