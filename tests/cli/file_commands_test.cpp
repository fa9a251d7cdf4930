#include <gtest/gtest.h>

#include <filesystem>

#include "commands.h"
#include "formats/image_dispatch.h"
#include "formats/png_text_list.h"
#include "platform/file_io.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

namespace fs = std::filesystem;

class FileCommandsTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path(name); }

  std::string Write(const std::string& name, ImageDoc& doc) {
    const std::string p = Path(name);
    testing::RecordingShell shell;
    SaveOptions options = StartingSaveOptions(doc);
    EXPECT_EQ(SaveImageFile(shell, p, doc, options), 0);
    return p;
  }

  ImageDoc Read(const std::string& path) {
    testing::RecordingShell shell;
    ImageDoc doc;
    doc.path = path;
    EXPECT_EQ(LoadImageFile(shell, doc), 0) << path;
    return doc;
  }

  // Runs a command and returns what it printed on stdout.
  template <typename F>
  std::string Output(F run, int& exit) {
    ::testing::internal::CaptureStdout();
    exit = run();
    std::fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
  }

  testing::TempFolder folder_;
};

ImageDoc SixColours() {
  return testing::MakeDoc(30, 20, [](int32_t x, int32_t y) {
    return testing::Rgb{static_cast<uint8_t>(x / 10 * 100), static_cast<uint8_t>(y / 10 * 200), 7};
  });
}

TEST_F(FileCommandsTest, ConvertGoesThroughEveryWriterAndBack) {
  ImageDoc original = SixColours();
  const std::string in = Write("in.bmp", original);
  for (const char* name : {"a.png", "a.gif", "a.bmp", "a", "a.tif"}) {
    ASSERT_EQ(cli::RunConvert({in, Path(name)}), cli::kExitOk) << name;
    if (std::string_view(name) == "a.tif") continue;  // a BMP under a TIFF name
    ImageDoc back = Read(Path(name));
    EXPECT_EQ(testing::DescribePixelDifference(back, original), "") << name;
  }
  ASSERT_EQ(cli::RunConvert({Path("a.png"), Path("b.jpg"), "--quality", "95", "--progressive"}), cli::kExitOk);
  EXPECT_EQ(Read(Path("b.jpg")).width, 30);
}

TEST_F(FileCommandsTest, ConvertOptionsReachTheWriters) {
  ImageDoc noise = testing::MakeNoiseDoc(40, 40);
  const std::string in = Write("in.bmp", noise);
  ASSERT_EQ(cli::RunConvert({in, Path("r.bmp"), "--bmp-reduce", "16"}), cli::kExitOk);
  int exit = 0;
  std::string out = Output([&] { return cli::RunInfo({Path("r.bmp")}); }, exit);
  ASSERT_EQ(exit, cli::kExitOk);
  const size_t countLine = out.find("\nSize 40 x 40\n") + 14;
  const int colours = std::stoi(out.substr(countLine));
  EXPECT_EQ(out.substr(out.find(' ', countLine)), " colors\n");
  EXPECT_LE(colours, 16);
  EXPECT_GT(colours, 1);

  ASSERT_EQ(cli::RunConvert({in, Path("t.png"), "--text", "Title=Hello", "--text", "Note=a=b", "--text",
                             "Title=Again", "--interlace"}),
            cli::kExitOk);
  out = Output([&] { return cli::RunInfo({Path("t.png")}); }, exit);
  EXPECT_EQ(out, Path("t.png") + "\nSize 40 x 40\n1600 colors\ntext Title=Again\ntext Note=a=b\n");

  // Lossless unless a rate is given; a rate makes the file smaller and lossy.
  ASSERT_EQ(cli::RunConvert({in, Path("lossless.jp2")}), cli::kExitOk);
  ASSERT_EQ(cli::RunConvert({in, Path("rate.jp2"), "--jp2-rate", "0.2"}), cli::kExitOk);
  ImageDoc lossless = Read(Path("lossless.jp2"));
  EXPECT_EQ(testing::DescribePixelDifference(lossless, noise), "");
  EXPECT_LT(fs::file_size(Path("rate.jp2")), fs::file_size(Path("lossless.jp2")) / 2);

  // The transparent colour travels into the GIF and comes back from it.
  ASSERT_EQ(cli::RunConvert({in, Path("t.gif"), "--transparent", "0A0B0C"}), cli::kExitOk);
  ImageDoc gif = Read(Path("t.gif"));
  EXPECT_NE(gif.useTransparent, 0);
  EXPECT_EQ(gif.transparentColor, (std::array<uint8_t, 3>{0x0A, 0x0B, 0x0C}));
}

TEST_F(FileCommandsTest, TextEntriesAreAddedReplacedAndDeletedInOrder) {
  ImageDoc doc = SixColours();
  AppendPngText(doc.pngTextList, "Title", "Old");
  AppendPngText(doc.pngTextList, "Author", "Me");
  AppendPngText(doc.pngTextList, "Note", "x");
  const std::string in = Write("in.png", doc);
  struct Case {
    const char* name;
    std::vector<std::string> options;
    const char* texts;  // the info lines after the colour count
  };
  const Case cases[] = {
      {"kept", {}, "text Title=Old\ntext Author=Me\ntext Note=x\n"},
      {"one deleted", {"--text-delete", "Author"}, "text Title=Old\ntext Note=x\n"},
      {"all deleted", {"--text-delete", "Title", "--text-delete", "Note", "--text-delete", "Author"}, ""},
      {"an absent key", {"--text-delete", "Missing"}, "text Title=Old\ntext Author=Me\ntext Note=x\n"},
      {"keys are case-sensitive", {"--text-delete", "title"},
       "text Title=Old\ntext Author=Me\ntext Note=x\n"},
      {"deleted, then set again", {"--text-delete", "Title", "--text", "Title=New"},
       "text Author=Me\ntext Note=x\ntext Title=New\n"},
      {"set, then deleted", {"--text", "Added=1", "--text", "Note=y", "--text-delete", "Added"},
       "text Title=Old\ntext Author=Me\ntext Note=y\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = {in, Path("out.png")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    ASSERT_EQ(cli::RunConvert(args), cli::kExitOk);
    int exit = 0;
    const std::string out = Output([&] { return cli::RunInfo({Path("out.png")}); }, exit);
    ASSERT_EQ(exit, cli::kExitOk);
    const std::string head = Path("out.png") + "\nSize 30 x 20\n6 colors\n";
    ASSERT_EQ(out.substr(0, head.size()), head);
    EXPECT_EQ(out.substr(head.size()), c.texts);
  }
}

TEST_F(FileCommandsTest, InfoShowsTheCountAsThePropertiesDialogDoesAfterItsExactCount) {
  // Beyond the dialog's first limit of a thousand colours: the exact number, not "1000 or more".
  ImageDoc many = testing::MakeDoc(100, 50, [](int32_t x, int32_t y) {
    return testing::Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 3};
  });
  const std::string bmp = Write("many.bmp", many);
  int exit = 0;
  EXPECT_EQ(Output([&] { return cli::RunInfo({bmp}); }, exit), bmp + "\nSize 100 x 50\n5000 colors\n");
  EXPECT_EQ(exit, cli::kExitOk);
}

TEST_F(FileCommandsTest, BadOptionsAreUsageErrors) {
  ImageDoc doc = SixColours();
  const std::string in = Write("in.bmp", doc);
  const std::vector<std::vector<std::string>> cases = {
      {in},
      {in, Path("o.jpg"), "--quality", "101"},
      {in, Path("o.jpg"), "--smoothing", "0"},
      {in, Path("o.gif"), "--colors", "100"},
      {in, Path("o.png"), "--reduce", "20"},
      {in, Path("o.png"), "--text", "=x"},
      {in, Path("o.png"), "--text", "novalue"},
      {in, Path("o.png"), "--text-delete", ""},
      {in, Path("o.png"), "--text-delete", std::string(80, 'k')},
      {in, Path("o.png"), "--text-delete"},
      {in, Path("o.bmp"), "--bmp-reduce", "128"},
      {in, Path("o.jp2"), "--jp2-rate", "1.5"},
      {in, Path("o.gif"), "--transparent", "12345"},
      {in, Path("o.gif"), "--transparent", "GG0000"},
      {in, Path("o.gif"), "--frobnicate"},
      {in, Path("o.gif"), "--quality"},
  };
  for (const auto& args : cases) {
    EXPECT_EQ(cli::RunConvert(args), cli::kExitUsage) << ::testing::PrintToString(args);
    if (args.size() > 1) {
      EXPECT_FALSE(fs::exists(args[1])) << args[1];
    }
  }
  EXPECT_EQ(cli::RunConvert({Path("absent.png"), Path("o.bmp")}), cli::kExitFailed);
  EXPECT_FALSE(fs::exists(Path("o.bmp")));
}

TEST_F(FileCommandsTest, ConvertReadsCodeStreamNamesAndExplainsAMisnamedPicture) {
  fs::copy_file(testing::TestDataPath("jp2/picture.j2c"), Path("stream.j2k"));
  ASSERT_EQ(cli::RunConvert({Path("stream.j2k"), Path("stream.png")}), cli::kExitOk);
  EXPECT_EQ(Read(Path("stream.png")).width, 7);

  fs::copy_file(Path("stream.png"), Path("misnamed.bmp"));
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(cli::RunConvert({Path("misnamed.bmp"), Path("out.gif")}), cli::kExitFailed);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("The extension says this is a BMP file, but the content does not match: it is a PNG file."),
            std::string::npos)
      << said;
  EXPECT_FALSE(fs::exists(Path("out.gif")));
}

TEST_F(FileCommandsTest, ConvertRefusesAReadOnlyTarget) {
  ImageDoc doc = SixColours();
  const std::string in = Write("in.bmp", doc);
  const std::string target = Write("locked.png", doc);
  fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const auto before = ReadWholeFile(target, 1u << 20);
  EXPECT_EQ(cli::RunConvert({in, target}), cli::kExitFailed);
  EXPECT_EQ(ReadWholeFile(target, 1u << 20), before);
  fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(FileCommandsTest, InfoCountsColoursAndListsCpCodes) {
  ImageDoc doc = SixColours();
  doc.cpCodes[0] = {'A', 'B', 'C'};
  doc.cpCodes[2] = {'Z'};
  doc.cpNextSlot = 1;
  const std::string jpg = Write("cp.jpg", doc);
  int exit = 0;
  const std::string out = Output([&] { return cli::RunInfo({jpg}); }, exit);
  ASSERT_EQ(exit, cli::kExitOk);
  EXPECT_EQ(out.rfind(jpg + "\nSize 30 x 20\n", 0), 0u) << out;  // (JPEG is lossy: more than 6 colours)
  EXPECT_NE(out.find("\ncp1 ABC\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\ncp3 Z\n"), std::string::npos) << out;
  EXPECT_EQ(out.find("cp2"), std::string::npos) << out;

  const std::string bmp = Write("six.bmp", doc);
  EXPECT_EQ(Output([&] { return cli::RunInfo({bmp}); }, exit), bmp + "\nSize 30 x 20\n6 colors\n");
  EXPECT_EQ(cli::RunInfo({Path("absent.bmp")}), cli::kExitFailed);
  EXPECT_EQ(cli::RunInfo({}), cli::kExitUsage);
}

TEST_F(FileCommandsTest, NextPrintsTheNeighbourOrFails) {
  for (const char* name : {"a.jpg", "B.png", "c.gif", "notes.txt"}) FilePtr(OpenFile(Path(name), "wb"));
  int exit = 0;
  EXPECT_EQ(Output([&] { return cli::RunNext({Path("a.jpg")}); }, exit), Path("B.png") + "\n");
  EXPECT_EQ(exit, cli::kExitOk);
  EXPECT_EQ(Output([&] { return cli::RunNext({Path("c.gif"), "--back"}); }, exit), Path("B.png") + "\n");
  EXPECT_EQ(Output([&] { return cli::RunNext({Path("a.jpg"), "--back"}); }, exit), "");
  EXPECT_EQ(exit, cli::kExitFailed);
  EXPECT_EQ(Output([&] { return cli::RunNext({Path("c.gif")}); }, exit), "");
  EXPECT_EQ(exit, cli::kExitFailed);
  EXPECT_EQ(cli::RunNext({Path("absent.jpg")}), cli::kExitFailed);
  EXPECT_EQ(cli::RunNext({}), cli::kExitUsage);
  EXPECT_EQ(cli::RunNext({Path("a.jpg"), "--forward"}), cli::kExitUsage);
}

TEST_F(FileCommandsTest, MaskReadsAndWritesOtherFormats) {
  ImageDoc original = SixColours();
  const std::string in = Write("in.png", original);
  ASSERT_EQ(cli::RunMask({in, Path("out.gif"), "--area", "0,0,30,20", "neg", "--colors", "8"}), cli::kExitOk);
  ASSERT_EQ(cli::RunMask({Path("out.gif"), Path("back.png"), "--area", "0,0,30,20", "neg"}), cli::kExitOk);
  ImageDoc back = Read(Path("back.png"));
  EXPECT_EQ(testing::DescribePixelDifference(back, original), "");
}

}  // namespace
}  // namespace veilo
