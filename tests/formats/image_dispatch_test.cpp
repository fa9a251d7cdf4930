#include "formats/image_dispatch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "formats/bmp_reader.h"
#include "formats/file_messages.h"
#include "platform/file_io.h"
#include "ppm_reference.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::RecordingShell;
using testing::TempFolder;

std::vector<uint8_t> FileBytes(const std::string& path) {
  return ReadWholeFile(path, 1u << 26).value_or(std::vector<uint8_t>{});
}

bool StartsWith(const std::vector<uint8_t>& bytes, std::string_view prefix) {
  if (bytes.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (bytes[i] != static_cast<uint8_t>(prefix[i])) return false;
  return true;
}

TEST(FormatChoice, ByTheTextAfterTheLastDot) {
  struct Case {
    const char* path;
    ImageFormat load;
    ImageFormat save;
  };
  const Case cases[] = {
      {"photo.jpg", ImageFormat::kJpeg, ImageFormat::kJpeg},
      {"photo.JPEG", ImageFormat::kJpeg, ImageFormat::kJpeg},
      {"photo.jfif", ImageFormat::kJpeg, ImageFormat::kJpeg},
      {"photo.Jpe", ImageFormat::kJpeg, ImageFormat::kJpeg},
      {"photo.PnG", ImageFormat::kPng, ImageFormat::kPng},
      {"photo.jp2", ImageFormat::kJpeg2000, ImageFormat::kJpeg2000},
      {"photo.JPC", ImageFormat::kJpeg2000, ImageFormat::kJpeg2000},
      {"photo.j2k", ImageFormat::kJpeg2000, ImageFormat::kBmp},  // read, never written
      {"photo.J2C", ImageFormat::kJpeg2000, ImageFormat::kBmp},
      {"photo.jpf", ImageFormat::kJpeg2000, ImageFormat::kBmp},
      {"photo.JPX", ImageFormat::kJpeg2000, ImageFormat::kBmp},
      {"photo.j2kx", ImageFormat::kBmp, ImageFormat::kBmp},
      {"photo.tif", ImageFormat::kTiff, ImageFormat::kBmp},
      {"photo.tiff", ImageFormat::kTiff, ImageFormat::kBmp},
      {"photo.gif", ImageFormat::kGif, ImageFormat::kGif},
      {"photo.bmp", ImageFormat::kBmp, ImageFormat::kBmp},
      {"photo.dib", ImageFormat::kBmp, ImageFormat::kBmp},
      {"photo", ImageFormat::kBmp, ImageFormat::kBmp},
      {"photo.", ImageFormat::kBmp, ImageFormat::kBmp},
      {"photo.jpg.bak", ImageFormat::kBmp, ImageFormat::kBmp},
      {"archive.png.jpg", ImageFormat::kJpeg, ImageFormat::kJpeg},
      {"C:\\a.b\\photo", ImageFormat::kBmp, ImageFormat::kBmp},
      {"C:\\a.png\\photo", ImageFormat::kBmp, ImageFormat::kBmp},
      {"/tmp/a.gif/photo", ImageFormat::kBmp, ImageFormat::kBmp},
      {"写真.JPG", ImageFormat::kJpeg, ImageFormat::kJpeg},
      {".gif", ImageFormat::kGif, ImageFormat::kGif},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadFormatForPath(c.path), c.load) << c.path;
    EXPECT_EQ(SaveFormatForPath(c.path), c.save) << c.path;
  }
}

class DispatchTest : public ::testing::Test {
 protected:
  // Saves `doc_` under `name` and returns the path; expects success.
  std::string Save(const std::string& name) {
    const std::string path = folder_.Path(name);
    SaveOptions options = StartingSaveOptions(doc_);
    EXPECT_EQ(SaveImageFile(shell_, path, doc_, options), 0) << name;
    return path;
  }
  void WriteText(const std::string& name, std::string_view text) {
    const FilePtr file = OpenFile(folder_.Path(name), "wb");
    ASSERT_TRUE(file);
    ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file.get()), text.size());
  }
  int Load(const std::string& path, ImageDoc& into) {
    into.path = path;
    return LoadImageFile(shell_, into);
  }

  TempFolder folder_;
  RecordingShell shell_;
  ImageDoc doc_ = testing::MakeDoc(9, 5, [](int32_t x, int32_t y) {
    return testing::Rgb{static_cast<uint8_t>(x * 20), static_cast<uint8_t>(y * 40), 100};
  });
};

TEST_F(DispatchTest, EachExtensionWritesItsFormatAndReadsBack) {
  struct Case {
    const char* name;
    std::string_view signature;
    bool exact;  // lossless round trip
  };
  const Case cases[] = {
      {"out.png", "\x89PNG", true},      {"out.GIF", "GIF89a", true}, {"out.jpeg", "\xFF\xD8\xFF", false},
      {"out.bmp", "BM", true},           {"out", "BM", true},         {"out.tif", "BM", true},
      {"out.unknown", "BM", true},       {"out.jp2", std::string_view("\0\0\0\x0CjP", 6), true}, {"out.JPC", "\xFF\x4F\xFF\x51", true},
  };
  for (const Case& c : cases) {
    const std::string path = Save(c.name);
    EXPECT_TRUE(StartsWith(FileBytes(path), c.signature)) << c.name;
    if (std::string_view(c.name) == "out.tif") continue;  // read back as TIFF, which it is not
    ImageDoc back;
    ASSERT_EQ(Load(path, back), 0) << c.name;
    EXPECT_EQ(back.bitCount, 24);
    EXPECT_EQ(back.width, 9);
    EXPECT_EQ(back.height, 5);
    if (c.exact) {
      EXPECT_EQ(testing::DescribePixelDifference(back, doc_), "") << c.name;
    }
  }
  EXPECT_TRUE(shell_.errors.empty()) << shell_.errors.front();
  EXPECT_EQ(shell_.waitDepth, 0);
}

TEST_F(DispatchTest, AFolderWithADotAndAFileWithoutOneLoadsAsBmp) {
  std::filesystem::create_directory(folder_.Path("a.png"));
  const std::string path = Save("a.png/photo");
  ImageDoc back;
  ASSERT_EQ(Load(path, back), 0);
  EXPECT_EQ(testing::DescribePixelDifference(back, doc_), "");
}

TEST_F(DispatchTest, ContentOfNoKnownFormatGoesToTheReaderTheExtensionChooses) {
  struct Case {
    const char* name;
    const char* error;
  };
  const Case cases[] = {{"fake.gif", "gif read error"}, {"fake.bmp", "Read Error !"}, {"fake", "Read Error !"}};
  for (const Case& c : cases) {
    shell_.errors.clear();
    WriteText(c.name, "not a picture at all");
    ImageDoc back;
    EXPECT_EQ(Load(folder_.Path(c.name), back), 1) << c.name;
    EXPECT_FALSE(back.HasPicture());
    EXPECT_EQ(shell_.errors, std::vector<std::string>{c.error}) << c.name;
  }
  EXPECT_EQ(shell_.waitDepth, 0);
}

TEST_F(DispatchTest, ContentOfAnotherFormatIsExplainedInsteadOfReadWithTheWrongReader) {
  const std::string bmp = Save("real.bmp");
  const std::string gif = folder_.Path("fake.gif");
  std::filesystem::copy_file(bmp, gif);
  ASSERT_EQ(FindContentMismatch(gif), (ContentMismatch{ImageFormat::kGif, ImageFormat::kBmp, true}));
  for (const bool english : {false, true}) {
    shell_.errors.clear();
    ImageDoc back;
    back.path = gif;
    LoadOptions options;
    options.englishMessages = english;
    EXPECT_EQ(LoadImageFile(shell_, back, options), 1);
    EXPECT_FALSE(back.HasPicture());
    ASSERT_EQ(shell_.errors.size(), 1u);  // the explanation alone: the GIF reader never ran
    EXPECT_EQ(shell_.errors[0], ContentMismatchText(gif, *FindContentMismatch(gif), english));
  }
  EXPECT_EQ(shell_.waitDepth, 0);
}

TEST_F(DispatchTest, AMismatchIsIgnoredOrReadAsWhatItIsWhenAsked) {
  const std::string gif = folder_.Path("fake.gif");
  std::filesystem::copy_file(Save("real.png"), gif);
  shell_.errors.clear();
  ImageDoc ignored;
  ignored.path = gif;
  LoadOptions options;
  options.mismatchedContent = MismatchedContent::kIgnore;
  EXPECT_EQ(LoadImageFile(shell_, ignored, options), 1);
  EXPECT_FALSE(ignored.HasPicture());
  EXPECT_TRUE(shell_.errors.empty());

  ImageDoc found;
  found.path = gif;
  options.mismatchedContent = MismatchedContent::kReadAsFound;
  ASSERT_EQ(LoadImageFile(shell_, found, options), 0);
  EXPECT_EQ(found.path, gif);  // the document keeps the name it was opened by
  EXPECT_EQ(testing::DescribePixelDifference(found, doc_), "");
  EXPECT_TRUE(shell_.errors.empty());
  EXPECT_EQ(shell_.waitDepth, 0);
}

TEST_F(DispatchTest, MismatchesByNameAndContent) {
  const std::string bmp = Save("m.bmp"), png = Save("m.png"), jp2 = Save("m.jp2"), jpc = Save("m.jpc");
  WriteText("m.txt", "text");
  struct Case {
    std::string content;  // the file copied
    const char* name;     // under this name
    std::optional<ContentMismatch> mismatch;
  };
  const Case cases[] = {
      {png, "a.bmp", ContentMismatch{ImageFormat::kBmp, ImageFormat::kPng, true}},
      {png, "a.DIB", ContentMismatch{ImageFormat::kBmp, ImageFormat::kPng, true}},
      {png, "a", ContentMismatch{ImageFormat::kBmp, ImageFormat::kPng, false}},
      {png, "a.dat", ContentMismatch{ImageFormat::kBmp, ImageFormat::kPng, false}},
      {png, "a.PNG", std::nullopt},
      {bmp, "a.tif", ContentMismatch{ImageFormat::kTiff, ImageFormat::kBmp, true}},  // what saving as .tif writes
      {bmp, "a.unknown", std::nullopt},
      {jp2, "a.jpg", ContentMismatch{ImageFormat::kJpeg, ImageFormat::kJpeg2000, true}},
      // Both kinds of JPEG 2000 file under every JPEG 2000 name: the reader tells them apart.
      {jp2, "b.jpc", std::nullopt},
      {jpc, "b.jp2", std::nullopt},
      {jpc, "b.j2k", std::nullopt},
      {folder_.Path("m.txt"), "b.png", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::string path = folder_.Path(c.name);
    std::filesystem::copy_file(c.content, path, std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(FindContentMismatch(path), c.mismatch) << c.name;
  }
  EXPECT_EQ(FindContentMismatch(folder_.Path("absent.bmp")), std::nullopt);
}

TEST(MismatchTexts, NameTheExpectedAndTheFoundFormatInBothLanguages) {
  const ContentMismatch byExtension{ImageFormat::kBmp, ImageFormat::kPng, true};
  const ContentMismatch assumed{ImageFormat::kBmp, ImageFormat::kJpeg2000, false};
  struct Case {
    ContentMismatch mismatch;
    bool english;
    const char* text;
    const char* question;
  };
  const Case cases[] = {
      {byExtension, false, "C:\\p\\a.bmp\r拡張子からは BMP ファイルですが、内容が一致しません。このファイルの内容は PNG です。",
       "\rPNG として開きますか？"},
      {byExtension, true,
       "C:\\p\\a.bmp\rThe extension says this is a BMP file, but the content does not match: it is a PNG file.",
       "\rDo you wish to open it as PNG?"},
      {assumed, false,
       "C:\\p\\a.bmp\r拡張子が画像の形式を示していないため BMP ファイルとして読み込みましたが、内容が一致しません。"
       "このファイルの内容は JPEG 2000 です。",
       "\rJPEG 2000 として開きますか？"},
      {assumed, true,
       "C:\\p\\a.bmp\rThe extension names no picture format, so this was read as a BMP file, but the content "
       "does not match: it is a JPEG 2000 file.",
       "\rDo you wish to open it as JPEG 2000?"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ContentMismatchText("C:\\p\\a.bmp", c.mismatch, c.english), c.text);
    EXPECT_EQ(OpenAsFoundQuestion("C:\\p\\a.bmp", c.mismatch, c.english), std::string(c.text) + c.question);
  }
}

TEST_F(DispatchTest, JpegTwoThousandFilesReadUnderAllTheirNames) {
  const auto ref = testing::ReadPpm(testing::TestDataPath("jp2/picture.ppm"));
  ASSERT_TRUE(ref);
  struct Case {
    const char* fixture;
    const char* name;
  };
  const Case cases[] = {
      {"picture.j2c", "a.j2c"}, {"picture.j2c", "a.J2K"}, {"picture.j2c", "a.jpc"}, {"picture.j2c", "a.jp2"},
      {"picture.jpx", "b.jpx"}, {"picture.jpx", "b.JPF"}, {"picture.jpx", "b.jp2"},
  };
  for (const Case& c : cases) {
    const std::string path = folder_.Path(c.name);
    std::filesystem::copy_file(testing::TestDataPath(std::string("jp2/") + c.fixture), path);
    ImageDoc back;
    ASSERT_EQ(Load(path, back), 0) << c.name;
    EXPECT_EQ(back.bitCount, 24);
    EXPECT_EQ(testing::CompareWithPpm(back, *ref), "") << c.name;
  }
  EXPECT_TRUE(shell_.errors.empty()) << shell_.errors.front();
}

TEST_F(DispatchTest, LoadFailuresReportAsTheReadersDo) {
  ImageDoc back;
  EXPECT_EQ(Load(folder_.Path("absent.bmp"), back), 1);
  EXPECT_TRUE(shell_.errors.empty());  // the BMP reader is silent about unopenable files
  EXPECT_EQ(Load(folder_.Path("absent.png"), back), 1);
  EXPECT_EQ(shell_.errors.size(), 1u);  // the other readers say so
}

TEST_F(DispatchTest, AReadOnlyFileIsRefusedAndKept) {
  const std::string path = Save("locked.gif");
  const std::vector<uint8_t> before = FileBytes(path);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  doc_ = testing::MakeNoiseDoc(4, 4);
  for (const bool english : {false, true}) {
    shell_.errors.clear();
    SaveOptions options = StartingSaveOptions(doc_);
    options.englishMessages = english;
    EXPECT_EQ(SaveImageFile(shell_, path, doc_, options), 1);
    ASSERT_EQ(shell_.errors.size(), 1u);
    EXPECT_EQ(shell_.errors[0], english ? "Write Error! (READONLY FILE)" : "読み込み専用ファイルのため上書きできません。");
  }
  EXPECT_EQ(FileBytes(path), before);
  ::chmod(path.c_str(), 0644);
}

TEST_F(DispatchTest, FailedWritesShowWriteErrorExceptForGif) {
  struct Case {
    const char* name;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {"missing/x.png", {"Write Error!"}},
      {"missing/x.jpg", {"Write Error!"}},
      {"missing/x.bmp", {"Write Error!"}},
      {"missing/x", {"Write Error!"}},
      {"missing/x.gif", {"File Open Error!"}},
  };
  for (const Case& c : cases) {
    shell_.errors.clear();
    SaveOptions options = StartingSaveOptions(doc_);
    options.englishMessages = true;
    EXPECT_EQ(SaveImageFile(shell_, folder_.Path(c.name), doc_, options), 1) << c.name;
    if (c.errors.size() == 1 && c.errors[0] == "Write Error!") {
      // A writer may say more first (e.g. "can't open"); the dispatch's text comes last.
      ASSERT_FALSE(shell_.errors.empty()) << c.name;
      EXPECT_EQ(shell_.errors.back(), "Write Error!") << c.name;
    } else {
      EXPECT_EQ(shell_.errors, c.errors) << c.name;
    }
  }
}

TEST_F(DispatchTest, TiffIsReadByItsExtensionOnly) {
  const std::string tiff = testing::SharedDataPath("libtiff/rgb-3c-8b.tiff");
  ImageDoc viaTiff;
  ASSERT_EQ(Load(tiff, viaTiff), 0);
  EXPECT_EQ(viaTiff.bitCount, 24);
  EXPECT_GT(viaTiff.width, 0);
  // The same bytes under a name without a known extension would go to the
  // BMP reader; they are explained instead.
  std::filesystem::copy_file(tiff, folder_.Path("picture.data"));
  ImageDoc viaBmp;
  EXPECT_EQ(Load(folder_.Path("picture.data"), viaBmp), 1);
  ASSERT_EQ(shell_.errors.size(), 1u);
  EXPECT_EQ(shell_.errors[0], ContentMismatchText(folder_.Path("picture.data"),
                                                  {ImageFormat::kBmp, ImageFormat::kTiff, false}, false));
}

}  // namespace
}  // namespace veilo
