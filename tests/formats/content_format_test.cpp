#include "formats/content_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.h"
#include "temp_folder.h"

namespace veilo {
namespace {

using namespace std::string_view_literals;

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// A BMP start: the file header, then the bitmap header's size.
std::string BmpStart(uint32_t headerSize) {
  std::string head = "BM" + std::string(12, '\0');
  for (int i = 0; i < 4; ++i) head += static_cast<char>(headerSize >> (8 * i) & 0xFF);
  return head;
}

TEST(ContentFormat, TellsEachFormatByItsSignature) {
  struct Case {
    const char* what;
    std::string head;
    std::optional<ImageFormat> format;
  };
  const Case cases[] = {
      {"PNG", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR"sv), ImageFormat::kPng},
      {"PNG cut short", std::string("\x89PNG\r\n\x1A"sv), std::nullopt},
      {"PNG after a text transfer", std::string("\x89PNG\n\x1A\n\0\0\0\rIHDR"sv), std::nullopt},
      {"JPEG/JFIF", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0"sv), ImageFormat::kJpeg},
      {"JPEG/Exif", std::string("\xFF\xD8\xFF\xE1\0\x10"sv), ImageFormat::kJpeg},
      {"SOI alone", std::string("\xFF\xD8\0\0"sv), std::nullopt},
      {"GIF87a", "GIF87a\x07\0\x05\0", ImageFormat::kGif},
      {"GIF89a", "GIF89a\x07\0\x05\0", ImageFormat::kGif},
      {"GIF of no version", "GIF90a\x07\0\x05\0", std::nullopt},
      {"BMP info header", BmpStart(40), ImageFormat::kBmp},
      {"BMP core header", BmpStart(12), ImageFormat::kBmp},
      {"BMP V5 header", BmpStart(124), ImageFormat::kBmp},
      {"BMP header of 13", BmpStart(13), std::nullopt},
      {"BMP header too large", BmpStart(125), std::nullopt},
      {"BM and no header", "BM\0\0", std::nullopt},
      {"text starting BM", "BMW owners club newsletter", std::nullopt},
      {"TIFF little-endian", std::string("II*\0\x08\0\0\0"sv), ImageFormat::kTiff},
      {"TIFF big-endian", std::string("MM\0*\0\0\0\x08"sv), ImageFormat::kTiff},
      {"BigTIFF", std::string("II+\0\x08\0\0\0"sv), ImageFormat::kTiff},
      {"mixed byte order", std::string("IM*\0"sv), std::nullopt},
      {"JP2 signature box", std::string("\0\0\0\x0CjP  \r\n\x87\n\0\0\0\x14"sv), ImageFormat::kJpeg2000},
      {"JP2 box of another size", std::string("\0\0\0\x0DjP  \r\n\x87\n"sv), std::nullopt},
      {"code stream", std::string("\xFF\x4F\xFF\x51\0\x2F"sv), ImageFormat::kJpeg2000},
      {"SOC without SIZ", std::string("\xFF\x4F\xFF\x52"sv), std::nullopt},
      {"empty", "", std::nullopt},
      {"text", "hello, world", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatOfContent(Bytes(c.head)), c.format) << c.what;
}

TEST(ContentFormat, ReadsTheStartOfAFile) {
  testing::TempFolder folder;
  const std::string png = folder.Path("a.bmp");
  {
    const FilePtr file = OpenFile(png, "wb");
    ASSERT_TRUE(file);
    const std::string_view bytes = "\x89PNG\r\n\x1A\n\0\0\0\rIHDR and the rest"sv;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file.get()), bytes.size());
  }
  EXPECT_EQ(FormatOfFileContent(png), ImageFormat::kPng);
  EXPECT_EQ(FormatOfFileContent(folder.Path("absent.png")), std::nullopt);
}

}  // namespace
}  // namespace veilo
