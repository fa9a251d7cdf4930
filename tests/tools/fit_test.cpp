#include <gtest/gtest.h>

#include "test_pictures.h"
#include "tools/print_layout.h"
#include "tools/slide_fit.h"

namespace veilo {
namespace {

TEST(FitPicture, WholeAspectKeptAndCentred) {
  struct Case {
    const char* what;
    int32_t w, h, W, H;
    FitRect expected;
  };
  const Case cases[] = {
      {"small landscape enlarged to the width", 160, 40, 1920, 1080, {0, 300, 1920, 480}},
      {"portrait fills the height", 300, 600, 1920, 1080, {690, 0, 540, 1080}},
      {"large picture reduced", 4000, 3000, 800, 800, {0, 100, 800, 600}},
      {"same ratio fills both", 16, 9, 1920, 1080, {0, 0, 1920, 1080}},
      {"one pixel", 1, 1, 1024, 768, {128, 0, 768, 768}},
      {"truncated, odd free space halved down", 3, 2, 10, 11, {0, 2, 10, 6}},
      {"ratios an integer division would call equal", 3, 2, 4, 3, {0, 0, 4, 2}},
      {"large sizes without overflow", 60000, 30000, 100000, 100000, {0, 25000, 100000, 50000}},
  };
  for (const Case& c : cases) EXPECT_EQ(FitPicture(c.w, c.h, c.W, c.H), c.expected) << c.what;
  EXPECT_EQ(FitPicture(0, 5, 10, 10), std::nullopt);
  EXPECT_EQ(FitPicture(5, 5, 10, 0), std::nullopt);
}

constexpr PrinterPage kA4At600Dpi = {4960, 7014, 210};  // 23 whole pixels per millimetre

TEST(PrintPlacement, TurnFitAndMargins) {
  struct Case {
    const char* what;
    PrinterPage page;
    PageMargins margins;
    int32_t w, h;
    bool turn;
    FitRect output;
  };
  const Case cases[] = {
      {"landscape on portrait: turned, fills the width",
       kA4At600Dpi,
       {},
       400,
       300,
       true,
       {0, 200, 4960, 6613}},
      {"a wider landscape turned fills the height", kA4At600Dpi, {}, 300, 200, true, {142, 0, 4676, 7014}},
      {"portrait on portrait: not turned", {1000, 2000, 100}, {}, 100, 300, false, {167, 0, 666, 2000}},
      {"square never turned", {1000, 2000, 100}, {}, 50, 50, false, {0, 500, 1000, 1000}},
      {"square area never turns", {1000, 1000, 100}, {}, 200, 50, false, {0, 375, 1000, 250}},
      {"portrait on landscape: turned", {2000, 1000, 200}, {}, 100, 400, true, {0, 250, 2000, 500}},
      {"10 mm margins at 600 dpi are 230 pixels",
       kA4At600Dpi,
       {1000, 1000, 1000, 1000},
       450,
       654,
       false,
       {230, 237, 4500, 6540}},
      {"uneven margins move the origin",
       {1000, 1000, 100},
       {100, 200, 0, 0},
       10,
       10,
       false,
       {15, 20, 980, 980}},
  };
  for (const Case& c : cases) {
    const std::optional<PrintPlacement> p = PlacePrint(c.page, c.margins, c.w, c.h);
    ASSERT_TRUE(p) << c.what;
    EXPECT_EQ(p->turn, c.turn) << c.what;
    EXPECT_EQ(p->output, c.output) << c.what;
  }
}

TEST(PrintPlacement, NothingToPrint) {
  EXPECT_EQ(PlacePrint({1000, 1000, 100}, {5000, 0, 5000, 0}, 10, 10), std::nullopt);  // margins eat the page
  EXPECT_EQ(PlacePrint({1000, 1000, 100}, {0, 6000, 0, 5000}, 10, 10), std::nullopt);
  EXPECT_EQ(PlacePrint({1000, 1000, 100}, {}, 0, 10), std::nullopt);
  // A printer that reports no width in millimetres: margins count as 0, no division by zero.
  EXPECT_EQ(MarginPixels({1000, 1000, 0}, 1000), 0);
  EXPECT_EQ(MarginPixels(kA4At600Dpi, 1099), 252);  // 23 x 10.99 truncated
  EXPECT_EQ(MarginPixels(kA4At600Dpi, -100), -23);
}

TEST(PrintTurn, QuarterClockwisePixelMapping) {
  // 5 x 3: odd widths on both sides exercise the row padding.
  ImageDoc doc = testing::MakeDoc(5, 3, [](int32_t x, int32_t y) {
    return testing::Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(10 * x + y)};
  });
  PackedDib turned = TurnedForPrint(doc.dib);
  ASSERT_FALSE(turned.empty());
  ImageDoc out;
  SetDocPicture(out, std::move(turned));
  ASSERT_EQ(out.width, 3);
  ASSERT_EQ(out.height, 5);
  EXPECT_TRUE(IsCanonical24(ReadDibHeader(out.dib.data())));
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 5; ++x)
      EXPECT_EQ(testing::PixelOf(out, 3 - 1 - y, x), testing::PixelOf(doc, x, y)) << x << "," << y;
  }
}

TEST(PrintTurn, NoCopyWithoutMemoryOrPicture) {
  ImageDoc doc = testing::MakeNoiseDoc(4, 2);
  EXPECT_TRUE(TurnedForPrint(doc.dib, [](uint32_t, uint32_t) { return PackedDib(); }).empty());
  EXPECT_TRUE(TurnedForPrint(PackedDib()).empty());
  PackedDib truncated = PackedDib::Allocate(30);
  EXPECT_TRUE(TurnedForPrint(truncated).empty());
  PackedDib eightBit = PackedDib::Allocate(40 + 1024 + 8);
  eightBit.data()[0] = 40;
  eightBit.data()[4] = 4;
  eightBit.data()[8] = 2;
  eightBit.data()[12] = 1;
  eightBit.data()[14] = 8;
  EXPECT_TRUE(TurnedForPrint(eightBit).empty());
}

}  // namespace
}  // namespace veilo
