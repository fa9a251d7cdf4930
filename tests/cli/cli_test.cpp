#include <gtest/gtest.h>

#include <filesystem>

#include "commands.h"
#include "formats/bmp_reader.h"
#include "formats/bmp_writer.h"
#include "formats/image_dispatch.h"
#include "platform/file_io.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using cli::RunDetect;
using cli::RunMask;

class CliTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path(name); }

  std::string Write(const std::string& name, ImageDoc& doc) {
    const std::string p = Path(name);
    testing::RecordingShell shell;
    EXPECT_EQ(WriteBmpFile(shell, p, doc.dib), 1);
    return p;
  }

  ImageDoc Read(const std::string& path) {
    testing::RecordingShell shell;
    ImageDoc doc;
    doc.path = path;
    EXPECT_EQ(ReadBmpFile(shell, doc), 0) << path;
    return doc;
  }

  testing::TempFolder folder_;
};

TEST_F(CliTest, BadUsageExitsTwoWithoutWriting) {
  ImageDoc doc = testing::MakeNoiseDoc(32, 32);
  const std::string in = Write("in.bmp", doc);
  const std::string out = Path("out.bmp");
  const std::vector<std::vector<std::string>> cases = {
      {in},                                              // no OUT
      {in, out, "neg"},                                  // no area
      {in, out, "--area", "0,0,8"},                      // three numbers
      {in, out, "--area", "0,0,8,8"},                    // no operation
      {in, out, "--area", "0,0,8,8", "frobnicate"},      // unknown operation
      {in, out, "--area", "0,0,8,8", "neg:8"},           // channel set out of range
      {in, out, "--area", "0,0,8,8", "vglass:1"},        // box too small
      {in, out, "--area", "0,0,8,8", "q0:11100"},        // five flags
      {in, out, "--area", "0,0,8,8", "cp:AB1"},          // not a letter
      {in, out, "--area", "0,0,8,8", "cp:ABCDEFGHIJKLMNOPQ"},  // 17 letters
      {in, out, "--area", "0,0,8,8", "cp: "},            // no letters
      {in, out, "--area", "0,0,8,8", "win:3"},           // takes no value
  };
  for (const auto& args : cases) {
    EXPECT_EQ(RunMask(args), cli::kExitUsage) << ::testing::PrintToString(args);
    EXPECT_FALSE(FileExists(out));
  }
}

TEST_F(CliTest, SelfInverseMasksRestoreThePicture) {
  ImageDoc original = testing::MakeNoiseDoc(70, 50, 3);
  const std::string in = Write("in.bmp", original);
  const std::vector<std::vector<std::string>> sequences = {
      {"neg", "neg"}, {"xor:5", "xor:5"}, {"flip-tb", "flip-lr", "flip-lr", "flip-tb"},
      {"vglass:7", "vglass:7"}, {"hglass", "hglass"}, {"meko", "meko-rev"}, {"fl", "fl"},
      {"fl:0", "fl:0"}, {"win", "win"}, {"cp:ab c", "cp:ABC"}, {"q0:110101:6", "undo"},
      {"rgb:0", "undo"}, {"rot90", "rot90", "rot90", "rot90"}, {"neg:3", "rgb:2", "undo", "undo"},
  };
  for (const auto& ops : sequences) {
    std::vector<std::string> args = {in, Path("out.bmp"), "--area", "66,45,3,2"};
    args.insert(args.end(), ops.begin(), ops.end());
    ASSERT_EQ(RunMask(args), cli::kExitOk) << ::testing::PrintToString(ops);
    ImageDoc result = Read(Path("out.bmp"));
    EXPECT_EQ(testing::DescribePixelDifference(result, original), "") << ::testing::PrintToString(ops);
  }
}

TEST_F(CliTest, MaskChangesOnlyTheArea) {
  ImageDoc original = testing::MakeNoiseDoc(40, 30, 5);
  const std::string in = Write("in.bmp", original);
  ASSERT_EQ(RunMask({in, Path("out.bmp"), "--area", "10,5,20,15", "neg:1"}), cli::kExitOk);
  ImageDoc result = Read(Path("out.bmp"));
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 40; ++x) {
      testing::Rgb want = testing::PixelOf(original, x, y);
      if (x >= 10 && x < 20 && y >= 5 && y < 15) want.r = static_cast<uint8_t>(255 - want.r);
      ASSERT_EQ(testing::PixelOf(result, x, y), want) << x << "," << y;
    }
}

TEST_F(CliTest, RefusedMekoExitsOneAndWritesNothing) {
  ImageDoc big = testing::MakeDoc(1536, 1552, [](int32_t x, int32_t y) {
    return testing::Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7};
  });
  const std::string in = Write("big.bmp", big);
  const std::string out = Path("out.bmp");
  EXPECT_EQ(RunMask({in, out, "--area", "0,0,1536,1552", "neg", "meko"}), cli::kExitFailed);
  EXPECT_FALSE(FileExists(out));
  EXPECT_EQ(RunMask({in, out, "--area", "0,0,1536,1536", "meko"}), cli::kExitOk);
  EXPECT_TRUE(FileExists(out));
}

TEST_F(CliTest, MissingOrBrokenInputExitsOne) {
  EXPECT_EQ(RunMask({Path("absent.bmp"), Path("out.bmp"), "--area", "0,0,8,8", "neg"}), cli::kExitFailed);
  FilePtr f = OpenFile(Path("junk.bmp"), "wb");
  std::fputs("not a picture", f.get());
  f.reset();
  EXPECT_EQ(RunMask({Path("junk.bmp"), Path("out.bmp"), "--area", "0,0,8,8", "neg"}), cli::kExitFailed);
  EXPECT_EQ(RunDetect({Path("junk.bmp"), "1", "1"}), cli::kExitFailed);
}

TEST_F(CliTest, AWarningWhileLoadingRefusesNoOperation) {
  // A truncated JPEG still loads (the reader warns about its premature end):
  // the mask is applied and the result written.
  ImageDoc doc = testing::MakeNoiseDoc(64, 64, 4);
  testing::RecordingShell shell;
  SaveOptions options = StartingSaveOptions(doc);
  ASSERT_EQ(SaveImageFile(shell, Path("whole.jpg"), doc, options), 0);
  const auto bytes = ReadWholeFile(Path("whole.jpg"), 1 << 20);
  ASSERT_TRUE(bytes);
  FilePtr f = OpenFile(Path("cut.jpg"), "wb");
  std::fwrite(bytes->data(), 1, bytes->size() * 2 / 3, f.get());
  f.reset();
  ::testing::internal::CaptureStderr();
  const int exit = RunMask({Path("cut.jpg"), Path("out.bmp"), "--area", "0,0,8,8", "neg"});
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(exit, cli::kExitOk) << said;
  EXPECT_NE(said, "");  // the warning itself is still shown
  EXPECT_TRUE(FileExists(Path("out.bmp")));
}

TEST_F(CliTest, DetectPrintsTheMaskedRectangle) {
  ImageDoc doc = testing::MakeDoc(120, 90, [](int32_t x, int32_t y) {
    const bool inside = x >= 40 && x < 72 && y >= 30 && y < 54;
    const uint8_t v = inside ? 200 : 100;
    return testing::Rgb{v, v, v};
  });
  const std::string in = Write("in.bmp", doc);
  for (const char* mode : {"", "--edge"}) {
    std::vector<std::string> args = {in, "50", "40"};
    if (*mode) args.push_back(mode);
    ::testing::internal::CaptureStdout();
    const int rc = RunDetect(args);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "40,30,72,54\n") << mode;
    EXPECT_EQ(rc, cli::kExitOk);
  }
}

TEST_F(CliTest, DetectFailsOnAUniformPicture) {
  ImageDoc doc = testing::MakeDoc(50, 40, [](int32_t, int32_t) { return testing::Rgb{9, 9, 9}; });
  const std::string in = Write("in.bmp", doc);
  EXPECT_EQ(RunDetect({in, "10", "10"}), cli::kExitFailed);
  EXPECT_EQ(RunDetect({in, "60", "10"}), cli::kExitFailed);  // outside the picture
  EXPECT_EQ(RunDetect({in, "10"}), cli::kExitUsage);
}

}  // namespace
}  // namespace veilo
