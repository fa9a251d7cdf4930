// Every GIF of the shared public corpora through our reader, against what
// each corpus expects of a reader that decodes the first image only.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "formats/byte_reader.h"
#include "formats/gif_reader.h"
#include "platform/file_io.h"
#include "ppm_reference.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

namespace fs = std::filesystem;
using testing::Rgb;
using testing::SharedDataPath;

std::optional<GifImage> DecodeFile(const std::string& path) {
  FilePtr file = OpenFile(path, "rb");
  if (!file) return std::nullopt;
  ByteReader input(file.get());
  return DecodeFirstGifImage(input);
}

Rgb PixelOf(const GifImage& image, uint32_t x, uint32_t y) {
  const uint8_t* p = DibPixelStart(image.dib.data()) + (image.height - 1 - y) * RowStride24(image.width) + 3 * x;
  return {p[2], p[1], p[0]};
}

std::vector<uint8_t> RgbRows(const GifImage& image) {
  std::vector<uint8_t> rgb;
  for (uint32_t y = 0; y < image.height; ++y)
    for (uint32_t x = 0; x < image.width; ++x) {
      const Rgb p = PixelOf(image, x, y);
      rgb.insert(rgb.end(), {p.r, p.g, p.b});
    }
  return rgb;
}

uint32_t Crc32(const std::vector<uint8_t>& data) {
  uint32_t crc = 0xFFFFFFFFu;
  for (uint8_t byte : data) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::map<std::string, std::string> ReadConf(const std::string& path) {
  std::map<std::string, std::string> values;
  std::ifstream in(path);
  std::string line, section;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      section = line.substr(1, line.find(']') - 1);
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    auto trim = [](std::string s) {
      s.erase(0, s.find_first_not_of(' '));
      s.erase(s.find_last_not_of(' ') + 1);
      return s;
    };
    values[section + "." + trim(line.substr(0, eq))] = trim(line.substr(eq + 1));
  }
  return values;
}

// The GIF test suite gives the logical screen after the first frame (RGBA;
// alpha 0 where nothing or something transparent was painted). Our picture
// is the first image alone, at its own size.
TEST(GifConformance, GifTestSuite) {
  const std::string dir = SharedDataPath("gif-test-suite/");
  std::ifstream list(dir + "TESTS");
  ASSERT_TRUE(list) << "corpus missing";
  // No image is expected, but our decoder, by its rules, reads one: a code
  // above the next free code continues the previous string; an index beyond
  // the colour table shows black; the plain-text file has a proper image.
  const std::set<std::string> readAnyway = {"invalid-code", "invalid-colors", "plain-text"};
  // Frame 0 composites later images over the first one: the first image has
  // no delay of its own, so the next one is painted before frame 0 shows.
  const std::set<std::string> compositeFrame = {"images-overlap", "dispose-restore-previous"};
  std::string name;
  int compared = 0;
  while (std::getline(list, name)) {
    if (name.empty()) continue;
    SCOPED_TRACE(name);
    auto conf = ReadConf(dir + name + ".conf");
    const std::optional<GifImage> image = DecodeFile(dir + conf["config.input"]);
    if (conf["config.frames"].empty()) {
      EXPECT_EQ(image.has_value(), readAnyway.count(name) == 1);
      continue;
    }
    const std::vector<uint8_t> rgba = testing::ReadFileBytes(dir + conf["frame0.pixels"]);
    const int sw = std::stoi(conf["config.width"]), sh = std::stoi(conf["config.height"]);
    ASSERT_EQ(rgba.size(), static_cast<size_t>(sw) * static_cast<size_t>(sh) * 4);
    if (!image) {
      // Refused: only where the first frame shows nothing at all.
      for (size_t i = 3; i < rgba.size(); i += 4) ASSERT_EQ(rgba[i], 0) << "refused a file with a visible frame";
      continue;
    }
    if (compositeFrame.count(name)) continue;
    int opaque = 0;
    for (uint32_t y = 0; y < image->height; ++y)
      for (uint32_t x = 0; x < image->width; ++x) {
        const uint32_t sx = image->left + x, sy = image->top + y;
        if (sx >= static_cast<uint32_t>(sw) || sy >= static_cast<uint32_t>(sh)) continue;
        const uint8_t* want = &rgba[(static_cast<size_t>(sy) * static_cast<size_t>(sw) + sx) * 4];
        const Rgb got = PixelOf(*image, x, y);
        if (want[3] == 255) {
          ++opaque;
          ASSERT_EQ(got, (Rgb{want[0], want[1], want[2]})) << "pixel " << x << "," << y;
        } else if (image->transparent) {
          ASSERT_EQ(got, (Rgb{image->transparentColour[0], image->transparentColour[1], image->transparentColour[2]}))
              << "transparent pixel " << x << "," << y;
        }
      }
    if (opaque > 0) ++compared;
  }
  EXPECT_GT(compared, 60);
}

// GIFLIB's expected output of its single-image samples (the whole logical
// screen, which these images fill, transparency ignored).
TEST(GifConformance, GiflibSamples) {
  for (const char* name : {"treescap", "treescap-interlaced", "gifgrid", "porsche", "solid2", "x-trans"}) {
    SCOPED_TRACE(name);
    const std::optional<GifImage> image = DecodeFile(SharedDataPath(std::string("giflib/pic/") + name + ".gif"));
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->dataError);
    EXPECT_EQ(RgbRows(*image), testing::ReadFileBytes(SharedDataPath(std::string("giflib/tests/") + name + ".rgb")));
  }
  const std::optional<GifImage> transparent = DecodeFile(SharedDataPath("giflib/pic/x-trans.gif"));
  ASSERT_TRUE(transparent);
  EXPECT_TRUE(transparent->transparent);
}

// Files whose first image ImageMagick decoded for us (tests/data/gif, made by
// scripts/make_gif_references.sh).
TEST(GifConformance, FirstImagesMatchImageMagick) {
  // Minimum code size 1 is outside what our reader accepts (2..11).
  const std::set<std::string> refused = {"image-gif/samples/set_hsts.gif"};
  std::ifstream refs(testing::TestDataPath("gif/first-image-crc32.txt"));
  ASSERT_TRUE(refs);
  std::string line;
  int checked = 0;
  while (std::getline(refs, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string file, crcText;
    uint32_t width = 0, height = 0;
    fields >> file >> width >> height >> crcText;
    SCOPED_TRACE(file);
    const std::optional<GifImage> image = DecodeFile(SharedDataPath(file));
    if (refused.count(file)) {
      EXPECT_FALSE(image.has_value());
      continue;
    }
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->dataError);
    EXPECT_EQ(image->width, width);
    EXPECT_EQ(image->height, height);
    EXPECT_EQ(Crc32(RgbRows(*image)), std::stoul(crcText, nullptr, 16));
    ++checked;
  }
  EXPECT_GT(checked, 10);
}

// Crash, stall and LZW-attack files, and fuzzer-found inputs: each must be
// refused or read, without touching memory it does not own (run under
// AddressSanitizer) and in bounded time.
TEST(GifConformance, HostileFilesAreRefusedOrReadSafely) {
  std::vector<std::string> files;
  for (const char* dir : {"image-gif/crashtest", "image-gif/stall", "libnsgif/data", "libnsgif/ns-afl-gif"}) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(SharedDataPath(dir), ec)) files.push_back(entry.path().string());
  }
  // The fuzzer files' names hold ':' and may be missing where such names are not allowed.
  ASSERT_GE(files.size(), 7u);
  int read = 0;
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    testing::RecordingShell shell;
    ImageDoc doc;
    if (ReadGifFile(shell, path, doc) != 0) {
      ++read;
      EXPECT_TRUE(doc.HasPicture());
      EXPECT_EQ(doc.bitCount, 24);
    } else {
      EXPECT_FALSE(doc.HasPicture());
      EXPECT_EQ(shell.errors, (std::vector<std::string>{"gif read error"}));
    }
  }
  EXPECT_GT(read, 0);
}

}  // namespace
}  // namespace veilo
