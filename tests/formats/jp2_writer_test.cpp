// Writing JPEG 2000 files and reading them back: lossless round trips, the
// rate, the component count, the format by extension, and saving that never
// destroys the file being replaced.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "file_size_limit.h"
#include "formats/jp2_codec.h"
#include "formats/jp2_reader.h"
#include "formats/jp2_writer.h"
#include "platform/file_io.h"
#include "ppm_reference.h"
#include "loaded_picture.h"
#include "recording_shell.h"
#include "temp_folder.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::ReadFileBytes;

using testing::Loaded;

Loaded Load(const std::string& path) {
  return testing::LoadWith([](ShellNotifications& shell, ImageDoc& doc) { return ReadJp2File(shell, doc); }, path);
}

int Save(const std::string& path, const ImageDoc& doc, const Jp2WriteOptions& options = {},
         std::vector<std::string>* errors = nullptr) {
  testing::RecordingShell shell;
  const int result = WriteJp2File(shell, path, doc, options);
  EXPECT_EQ(shell.waitDepth, 0);
  if (errors) *errors = shell.errors;
  return result;
}

// The component count of the code stream, and the enumerated colour space of
// the JP2 file's colr box (16 sRGB, 17 greyscale; 0 when absent).
struct Header {
  uint32_t colourSpace = 0;
  uint32_t components = 0;
};

uint32_t EnumeratedColourSpace(const std::vector<uint8_t>& file) {
  const std::string text(file.begin(), file.end());
  const size_t at = text.find("colr");
  if (at == std::string::npos || at + 11 > file.size() || file[at + 4] != 1) return 0;
  return uint32_t{file[at + 7]} << 24 | uint32_t{file[at + 8]} << 16 | uint32_t{file[at + 9]} << 8 | file[at + 10];
}

Header ReadHeader(const std::string& path, OPJ_CODEC_FORMAT format) {
  Header header;
  FilePtr file = OpenFile(path, "rb");
  if (!file) return header;
  const OpjCodecPtr codec(opj_create_decompress(format));
  SilenceOpjCodec(codec.get());
  opj_dparameters_t params{};
  opj_set_default_decoder_parameters(&params);
  opj_setup_decoder(codec.get(), &params);
  const OpjStreamPtr stream = MakeOpjReadStream(file.get());
  opj_image_t* raw = nullptr;
  if (opj_read_header(stream.get(), codec.get(), &raw)) header.components = raw->numcomps;
  header.colourSpace = EnumeratedColourSpace(ReadFileBytes(path));
  OpjImagePtr image(raw);
  return header;
}

class Jp2WriterTest : public ::testing::Test {
 protected:
  testing::TempFolder folder_;
};

TEST_F(Jp2WriterTest, LosslessRoundTripsAreExactInEveryFormat) {
  // Odd sizes, a single pixel and a thin strip exercise the resolution levels.
  struct Case {
    const char* name;
    int32_t width, height;
  };
  for (const Case& c : {Case{"a.jp2", 37, 23}, Case{"b.JPC", 64, 65}, Case{"c.j2k", 1, 1}, Case{"d.jp2", 300, 2}}) {
    SCOPED_TRACE(c.name);
    ImageDoc doc = testing::MakeNoiseDoc(c.width, c.height, 7);
    const std::string path = folder_.Path(c.name);
    ASSERT_EQ(Save(path, doc), 1);
    Loaded back = Load(path);
    ASSERT_EQ(back.result, 1);
    EXPECT_TRUE(back.errors.empty());
    EXPECT_EQ(testing::DescribePixelDifference(doc, back.doc), "");
    EXPECT_EQ(back.doc.fileHeader[0], 'B');
    EXPECT_EQ(back.doc.fileHeader[1], 'M');
  }
}

TEST_F(Jp2WriterTest, ExtensionChoosesFileFormatOrCodeStream) {
  ImageDoc doc = testing::MakeNoiseDoc(16, 16);
  ASSERT_EQ(Save(folder_.Path("x.JP2"), doc), 1);
  ASSERT_EQ(Save(folder_.Path("x.jpc"), doc), 1);
  const std::vector<uint8_t> jp2 = ReadFileBytes(folder_.Path("x.JP2"));
  const std::vector<uint8_t> jpc = ReadFileBytes(folder_.Path("x.jpc"));
  ASSERT_GE(jp2.size(), 12u);
  ASSERT_GE(jpc.size(), 4u);
  EXPECT_EQ(std::vector<uint8_t>(jp2.begin() + 4, jp2.begin() + 8), (std::vector<uint8_t>{'j', 'P', ' ', ' '}));
  EXPECT_EQ(std::vector<uint8_t>(jpc.begin(), jpc.begin() + 4), (std::vector<uint8_t>{0xFF, 0x4F, 0xFF, 0x51}));
}

TEST_F(Jp2WriterTest, GrayPicturesGetOneComponentOthersThree) {
  ImageDoc gray = testing::MakeDoc(20, 10, [](int32_t x, int32_t y) {
    const auto v = static_cast<uint8_t>(x * 11 + y * 3);
    return testing::Rgb{v, v, v};
  });
  ImageDoc colour = testing::MakeDoc(20, 10, [](int32_t x, int32_t) {
    return x == 19 ? testing::Rgb{1, 1, 2} : testing::Rgb{9, 9, 9};  // one pixel off gray
  });
  ASSERT_EQ(Save(folder_.Path("gray.jp2"), gray), 1);
  ASSERT_EQ(Save(folder_.Path("colour.jp2"), colour), 1);
  const Header g = ReadHeader(folder_.Path("gray.jp2"), OPJ_CODEC_JP2);
  EXPECT_EQ(g.components, 1u);
  EXPECT_EQ(g.colourSpace, 17u);
  const Header c = ReadHeader(folder_.Path("colour.jp2"), OPJ_CODEC_JP2);
  EXPECT_EQ(c.components, 3u);
  EXPECT_EQ(c.colourSpace, 16u);
  // A gray file loads with equal channels.
  Loaded back = Load(folder_.Path("gray.jp2"));
  ASSERT_EQ(back.result, 1);
  EXPECT_EQ(testing::DescribePixelDifference(gray, back.doc), "");
}

TEST_F(Jp2WriterTest, RateGivesThatFractionOfTheUncompressedSize) {
  ImageDoc doc = testing::MakeNoiseDoc(128, 96, 3);
  const double uncompressed = 128.0 * 96 * 3;
  for (const float rate : {0.05f, 0.1f, 0.5f}) {
    SCOPED_TRACE(rate);
    const std::string path = folder_.Path("r.jp2");
    ASSERT_EQ(Save(path, doc, {.lossless = false, .rate = rate}), 1);
    const double size = static_cast<double>(std::filesystem::file_size(path));
    EXPECT_LE(size, uncompressed * rate * 1.05 + 200);  // the JP2 boxes come on top
    EXPECT_GE(size, uncompressed * rate * 0.7);
    EXPECT_EQ(Load(path).result, 1);
  }
}

TEST_F(Jp2WriterTest, InvalidRateOrUnknownExtensionWritesNothing) {
  ImageDoc doc = testing::MakeNoiseDoc(8, 8);
  for (const float rate : {0.0f, 1.0f, -0.5f, 2.0f}) {
    std::vector<std::string> errors;
    EXPECT_EQ(Save(folder_.Path("bad.jp2"), doc, {.lossless = false, .rate = rate}, &errors), 0);
    EXPECT_TRUE(errors.empty());
  }
  std::vector<std::string> errors;
  EXPECT_EQ(Save(folder_.Path("bad.png"), doc, {}, &errors), 0);
  EXPECT_EQ(errors, std::vector<std::string>{"error: cannot encode image"});
  EXPECT_TRUE(folder_.Entries().empty());
}

TEST_F(Jp2WriterTest, UncreatableFileShowsTheOpenMessage) {
  ImageDoc doc = testing::MakeNoiseDoc(8, 8);
  std::vector<std::string> errors;
  EXPECT_EQ(Save(folder_.Path("missing-folder/x.jp2"), doc, {}, &errors), 0);
  EXPECT_EQ(errors, std::vector<std::string>{"error: cannot open output image file"});
}

#ifndef _WIN32
TEST_F(Jp2WriterTest, FailedWriteLeavesTheExistingFileAsItWas) {
  const std::string path = folder_.Path("keep.jp2");
  ImageDoc small = testing::MakeNoiseDoc(4, 4);
  ASSERT_EQ(Save(path, small), 1);
  const std::vector<uint8_t> before = ReadFileBytes(path);
  ImageDoc large = testing::MakeNoiseDoc(200, 200, 9);
  {
    testing::FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active());
    std::vector<std::string> errors;
    EXPECT_EQ(Save(path, large, {}, &errors), 0);
    EXPECT_EQ(errors, std::vector<std::string>{"error: cannot encode image"});
  }
  EXPECT_EQ(ReadFileBytes(path), before);
  EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"keep.jp2"});
}
#endif

TEST_F(Jp2WriterTest, ReaderMessagesForMissingAndForeignFiles) {
  Loaded missing = Load(folder_.Path("none.jp2"));
  EXPECT_EQ(missing.result, 0);
  EXPECT_EQ(missing.errors, std::vector<std::string>{"error: cannot open file"});

  const std::string foreign = folder_.Path("text.jp2");
  { FilePtr f = OpenFile(foreign, "wb"); std::fputs("not a picture at all", f.get()); }
  Loaded refused = Load(foreign);
  EXPECT_EQ(refused.result, 0);
  EXPECT_EQ(refused.errors, std::vector<std::string>{"error: cannot load image data"});
  EXPECT_FALSE(refused.doc.HasPicture());

  // A file cut short in its code stream is refused, not half decoded.
  ImageDoc doc = testing::MakeNoiseDoc(64, 64);
  const std::string whole = folder_.Path("whole.jpc");
  ASSERT_EQ(Save(whole, doc), 1);
  std::vector<uint8_t> bytes = ReadFileBytes(whole);
  bytes.resize(bytes.size() / 2);
  const std::string cut = folder_.Path("cut.jpc");
  { FilePtr f = OpenFile(cut, "wb"); std::fwrite(bytes.data(), 1, bytes.size(), f.get()); }
  Loaded truncated = Load(cut);
  EXPECT_EQ(truncated.result, 0);
  EXPECT_EQ(truncated.errors, std::vector<std::string>{"error: cannot load image data"});
}

// Damaged bytes anywhere in a file end in a picture or the reader's message,
// never a crash (the sanitizers watch) or a hang.
TEST_F(Jp2WriterTest, MutatedFilesLoadOrAreRefused) {
  ImageDoc doc = testing::MakeNoiseDoc(24, 20, 5);
  for (const char* name : {"m.jp2", "m.jpc"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(Save(folder_.Path(name), doc, {.lossless = false, .rate = 0.3f}), 1);
    const std::vector<uint8_t> original = ReadFileBytes(folder_.Path(name));
    std::mt19937 random(11);
    for (int round = 0; round < 100; ++round) {
      std::vector<uint8_t> bytes = original;
      const int flips = 1 + round % 4;
      for (int k = 0; k < flips; ++k)
        bytes[random() % bytes.size()] = static_cast<uint8_t>(random());
      const std::string path = folder_.Path(std::string("mutated") + (name + 1));
      { FilePtr f = OpenFile(path, "wb"); std::fwrite(bytes.data(), 1, bytes.size(), f.get()); }
      Loaded loaded = Load(path);
      if (loaded.result == 1) {
        EXPECT_TRUE(loaded.errors.empty());
        EXPECT_TRUE(loaded.doc.HasPicture());
      } else {
        EXPECT_FALSE(loaded.doc.HasPicture());
      }
    }
  }
}

TEST_F(Jp2WriterTest, UnicodePathsWork) {
  ImageDoc doc = testing::MakeNoiseDoc(9, 5);
  const std::string path = folder_.Path("写真ファイル.jp2");
  ASSERT_EQ(Save(path, doc), 1);
  Loaded back = Load(path);
  ASSERT_EQ(back.result, 1);
  EXPECT_EQ(testing::DescribePixelDifference(doc, back.doc), "");
}

}  // namespace
}  // namespace veilo
