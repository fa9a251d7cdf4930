// Files for other PNG tools: with VEILO_PNG_INTEROP_DIR set, writes PNGs of
// every kind we produce next to the pixels each must show (binary PPM), for
// scripts/check_png_output.sh to run pngcheck on and to compare with what
// ImageMagick decodes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "doc/image_doc.h"
#include "formats/png_writer.h"
#include "png_test_files.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::Rgb;

// The pixels as libpng reads the written file: palette entries looked up,
// gray repeated, RGB as stored.
bool WriteExpectedPpm(const std::string& png, const std::string& ppm) {
  const auto facts = testing::InspectPng(png);
  if (!facts) return false;
  std::ofstream out(ppm, std::ios::binary);
  out << "P6\n" << facts->width << " " << facts->height << "\n255\n";
  for (uint32_t y = 0; y < facts->height; ++y)
    for (uint32_t x = 0; x < facts->width; ++x) {
      std::array<uint8_t, 3> rgb{};
      if (facts->colourType == 3) {
        rgb = facts->palette.at(facts->Sample(x, y));
      } else if (facts->colourType == 0) {
        rgb.fill(static_cast<uint8_t>(facts->Sample(x, y)));
      } else {
        for (int c = 0; c < 3; ++c) rgb[static_cast<size_t>(c)] = static_cast<uint8_t>(facts->Sample(x, y, c));
      }
      out.write(reinterpret_cast<const char*>(rgb.data()), 3);
    }
  return static_cast<bool>(out);
}

TEST(PngInterop, WritesFilesForOtherTools) {
  const char* dir = std::getenv("VEILO_PNG_INTEROP_DIR");
  if (!dir) GTEST_SKIP() << "VEILO_PNG_INTEROP_DIR not set";
  auto few = [](int n, bool gray = false) {
    return testing::MakeDoc(97, 61, [n, gray](int32_t x, int32_t y) {
      const int i = (x / 3 + y * 5) % n;
      if (gray) return Rgb{static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i)};
      return Rgb{static_cast<uint8_t>(i * 37), static_cast<uint8_t>(255 - i * 11), static_cast<uint8_t>(i * 5)};
    });
  };
  struct Case {
    const char* name;
    ImageDoc doc;
    PngSaveOptions options;
  };
  PngSaveOptions interlaced;
  interlaced.interlace = true;
  auto reduced = [](int colours, bool transparent, bool interlace) {
    PngSaveOptions o;
    o.reduction = colours;
    o.interlace = interlace;
    o.transparent = transparent;
    o.transparentColour = {37, 244, 5};
    return o;
  };
  PngSaveOptions transparent;
  transparent.transparent = true;
  transparent.transparentColour = {37, 244, 5};
  Case cases[] = {
      {"palette-1bit", few(2), {}},
      {"palette-2bit-interlaced", few(4), interlaced},
      {"palette-4bit-transparent", few(9), transparent},
      {"palette-8bit", few(200), {}},
      {"gray-8bit", few(256, true), {}},
      {"gray-8bit-interlaced-transparent", few(256, true), [&] {
         PngSaveOptions o = transparent;
         o.interlace = true;
         return o;
       }()},
      {"rgb", testing::MakeNoiseDoc(123, 77, 1), {}},
      {"rgb-interlaced-transparent", testing::MakeNoiseDoc(64, 40, 2), [&] {
         PngSaveOptions o = transparent;
         o.interlace = true;
         return o;
       }()},
      {"reduced-16", testing::MakeNoiseDoc(80, 60, 3), reduced(16, false, false)},
      {"reduced-16-transparent-interlaced", testing::MakeNoiseDoc(80, 60, 4), reduced(16, true, true)},
      {"reduced-64-transparent", few(300), reduced(64, true, false)},
      {"reduced-256", testing::MakeNoiseDoc(200, 150, 5), reduced(256, false, false)},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.doc.pngTextList = {{"Title", c.name}, {"Comment", std::string(300, 'w')}};
    testing::RecordingShell shell;
    const std::string base = std::string(dir) + "/" + c.name;
    ASSERT_EQ(WritePngFile(shell, base + ".png", c.doc, c.options), 1);
    ASSERT_TRUE(WriteExpectedPpm(base + ".png", base + ".ppm"));
  }
}

}  // namespace
}  // namespace veilo
