// Exact colour counting.
#include <gtest/gtest.h>

#include "doc/image_doc.h"
#include "formats/colour_count.h"
#include "recording_shell.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::Rgb;

TEST(ColourCount, CountsExactlyAndStopsAtTheLimit) {
  // 1000 colours spread over all three channels.
  ImageDoc thousand = testing::MakeDoc(50, 40, [](int32_t x, int32_t y) {
    const int i = (y * 50 + x) % 1000;
    return Rgb{static_cast<uint8_t>(i % 10 * 25), static_cast<uint8_t>(i / 10 % 10 * 25),
               static_cast<uint8_t>(i / 100 * 25)};
  });
  ImageDoc one = testing::MakeDoc(9, 9, [](int32_t, int32_t) { return Rgb{1, 2, 3}; });
  ImageDoc noise = testing::MakeNoiseDoc(300, 200, 5);  // 60000 pixels, almost all distinct
  struct Case {
    const char* name;
    ImageDoc* doc;
    uint32_t limit, expected;
  };
  testing::RecordingShell shell;
  for (const Case& c : {Case{"1000, no limit", &thousand, 0, 1000}, Case{"1000, limit 300", &thousand, 300, 300},
                        Case{"1000, limit 1000", &thousand, 1000, 1000}, Case{"1000, limit 5000", &thousand, 5000, 1000},
                        Case{"one colour", &one, 0, 1}, Case{"one colour, limit 300", &one, 300, 1}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CountDistinctColours(shell, DocPixels(*c.doc), c.limit), c.expected);
  }
  const uint32_t all = CountDistinctColours(shell, DocPixels(noise), 0);
  EXPECT_GT(all, 59000u);
  EXPECT_EQ(CountDistinctColours(shell, DocPixels(noise), all), all);
  EXPECT_EQ(CountDistinctColours(shell, DocPixels(noise), all + 1), all);
  EXPECT_EQ(shell.waitDepth, 0);
  EXPECT_GT(shell.waitEntries, 0);
}

TEST(ColourCount, RowPaddingIsNotAColour) {
  // Width 1: each 4-byte row has one padding byte, here set to junk.
  ImageDoc doc = testing::MakeDoc(1, 6, [](int32_t, int32_t y) { return Rgb{0, 0, static_cast<uint8_t>(y % 2)}; });
  const PixelBuffer px = DocPixels(doc);
  for (int32_t y = 0; y < 6; ++y) px.Row(y)[3] = static_cast<uint8_t>(0x40 + y);
  testing::RecordingShell shell;
  EXPECT_EQ(CountDistinctColours(shell, px, 0), 2u);
  EXPECT_EQ(CountDistinctColours(shell, px, 100), 2u);
}

}  // namespace
}  // namespace veilo
