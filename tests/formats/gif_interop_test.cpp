// Files for other GIF readers: with VEILO_GIF_INTEROP_DIR set, writes GIFs of
// every kind we produce next to the pixels each must show (binary PPM), for
// scripts/check_gif_interop.sh to compare with what other readers decode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "doc/image_doc.h"
#include "formats/gif_reader.h"
#include "formats/gif_writer.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::Rgb;

void WritePpm(ImageDoc& doc, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << doc.width << " " << doc.height << "\n255\n";
  for (int32_t y = 0; y < doc.height; ++y)
    for (int32_t x = 0; x < doc.width; ++x) {
      const Rgb p = testing::PixelOf(doc, x, y);
      out.put(static_cast<char>(p.r)).put(static_cast<char>(p.g)).put(static_cast<char>(p.b));
    }
}

TEST(GifInterop, WritesFilesForOtherReaders) {
  const char* dir = std::getenv("VEILO_GIF_INTEROP_DIR");
  if (!dir) GTEST_SKIP() << "VEILO_GIF_INTEROP_DIR not set";
  struct Case {
    const char* name;
    ImageDoc doc;
    int maxColours;
    bool interlace, transparent;
  };
  auto few = [](int n) {
    return testing::MakeDoc(97, 61, [n](int32_t x, int32_t y) {
      const int i = (x / 4 + y * 3) % n;
      return Rgb{static_cast<uint8_t>(i * 37), static_cast<uint8_t>(255 - i * 11), static_cast<uint8_t>(i * 5)};
    });
  };
  Case cases[] = {
      {"two-colours", few(2), 256, false, false},
      {"five-colours-interlaced", few(5), 256, true, false},
      {"255-colours", few(255), 256, false, false},
      {"noise-256", testing::MakeNoiseDoc(320, 200, 1), 256, false, false},
      {"noise-16-interlaced", testing::MakeNoiseDoc(123, 77, 2), 16, true, false},
      {"noise-32-interlaced", testing::MakeNoiseDoc(61, 43, 5), 32, true, false},
      {"noise-8", testing::MakeNoiseDoc(64, 64, 3), 8, false, false},
      {"noise-64-transparent", testing::MakeNoiseDoc(90, 50, 4), 64, false, true},
      {"big-runs", testing::MakeDoc(1500, 900, [](int32_t x, int32_t y) {
         return Rgb{static_cast<uint8_t>((x / 50) * 8), static_cast<uint8_t>(y / 4), 0};
       }), 256, false, false},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::RecordingShell shell;
    GifSaveOptions options;
    options.maxColours = c.maxColours;
    options.interlace = c.interlace;
    options.transparent = c.transparent;
    options.transparentColour = {0, 0, 0};
    const std::string base = std::string(dir) + "/" + c.name;
    ASSERT_NE(WriteGifFile(shell, base + ".gif", c.doc, options), 0);
    ImageDoc back;
    ASSERT_NE(ReadGifFile(shell, base + ".gif", back), 0);
    WritePpm(back, base + ".ppm");
  }
}

}  // namespace
}  // namespace veilo
