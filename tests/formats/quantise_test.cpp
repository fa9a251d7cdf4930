// The colour quantiser: median cut, inverse colour map and error diffusion.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

#include "doc/image_doc.h"
#include "formats/colour_quantiser.h"
#include "formats/median_cut.h"
#include "test_pictures.h"

namespace veilo {
namespace {

using testing::MakeDoc;
using testing::Rgb;

struct Quantised {
  QuantPalette palette;
  std::vector<uint8_t> indices;
};

Quantised Quantise(ImageDoc& doc, int colours) {
  Quantised q;
  q.indices.assign(static_cast<size_t>(doc.width) * static_cast<size_t>(doc.height), 0xEE);
  const auto palette = QuantiseImage(DocPixels(doc), colours, q.indices.data());
  EXPECT_TRUE(palette.has_value());
  if (palette) q.palette = *palette;
  return q;
}

Rgb Entry(const QuantPalette& p, int i) {
  const auto u = static_cast<size_t>(i);
  return {p.red[u], p.green[u], p.blue[u]};
}

TEST(Quantise, SingleColourBecomesItsCellCentre) {
  ImageDoc doc = MakeDoc(7, 5, [](int32_t, int32_t) { return Rgb{100, 150, 200}; });
  const Quantised q = Quantise(doc, 256);
  EXPECT_EQ(q.palette.size, 1);
  EXPECT_EQ(Entry(q.palette, 0), (Rgb{100, 150, 204}));  // (8*12+4, 4*37+2, 8*25+4)
  EXPECT_EQ(Entry(q.palette, 1), (Rgb{0, 0, 0}));
  EXPECT_TRUE(std::all_of(q.indices.begin(), q.indices.end(), [](uint8_t i) { return i == 0; }));
}

TEST(Quantise, FewCellsGiveASmallerPalette) {
  const Rgb colours[3] = {{4, 2, 4}, {252, 254, 252}, {252, 2, 4}};
  ImageDoc doc = MakeDoc(3, 4, [&](int32_t x, int32_t) { return colours[x]; });
  const Quantised q = Quantise(doc, 16);
  ASSERT_EQ(q.palette.size, 3);
  // Median cut: the first split is on green (largest weighted extent), the
  // second on red; a split box keeps the lower half, the upper half goes last.
  EXPECT_EQ(Entry(q.palette, 0), colours[0]);
  EXPECT_EQ(Entry(q.palette, 1), colours[1]);
  EXPECT_EQ(Entry(q.palette, 2), colours[2]);
  for (int i = 3; i < 16; ++i) EXPECT_EQ(Entry(q.palette, i), (Rgb{0, 0, 0}));
  // Colours that are cell centres map without any diffused error.
  for (size_t i = 0; i < q.indices.size(); ++i) EXPECT_EQ(q.indices[i], (i % 3 == 0 ? 0 : i % 3 == 1 ? 1 : 2));
}

TEST(Quantise, TwoColoursMergeIntoTheirWeightedMean) {
  // With two colours allowed, red-ish (4,2,4)/(252,2,4) share the lower green
  // half: equal counts give the rounded mean of their cell centres.
  const Rgb colours[3] = {{4, 2, 4}, {252, 254, 252}, {252, 2, 4}};
  ImageDoc doc = MakeDoc(3, 2, [&](int32_t x, int32_t) { return colours[x]; });
  const Quantised q = Quantise(doc, 2);
  ASSERT_EQ(q.palette.size, 2);
  EXPECT_EQ(Entry(q.palette, 0), (Rgb{128, 2, 4}));
  EXPECT_EQ(Entry(q.palette, 1), (Rgb{252, 254, 252}));
}

TEST(Quantise, HistogramCountsStopAt65535) {
  // 100000 pixels of cell centre red 4 and 66000 of red 12: both counts stop
  // at 65535, so their mean is 8 (unclamped counts would give 7).
  ImageDoc doc = MakeDoc(1000, 166, [](int32_t x, int32_t y) {
    return y * 1000 + x < 100000 ? Rgb{4, 2, 4} : Rgb{12, 2, 4};
  });
  const Quantised q = Quantise(doc, 1);
  ASSERT_EQ(q.palette.size, 1);
  EXPECT_EQ(Entry(q.palette, 0), (Rgb{8, 2, 4}));
}

// The mapping step written out literally: exhaustive nearest entry of the
// cell centre, error row with one extra entry at each end, rows alternating.
std::vector<uint8_t> ReferenceMap(ImageDoc& doc, const QuantPalette& pal) {
  auto nearest = [&](int r, int g, int b) {
    const int cr = (r >> 3) * 8 + 4, cg = (g >> 2) * 4 + 2, cb = (b >> 3) * 8 + 4;
    int best = 0, bestD = 1 << 30;
    for (int i = 0; i < std::max(pal.size, 1); ++i) {
      const Rgb e = Entry(pal, i);
      const int d = 4 * (cr - e.r) * (cr - e.r) + 9 * (cg - e.g) * (cg - e.g) + (cb - e.b) * (cb - e.b);
      if (d < bestD) bestD = d, best = i;
    }
    return best;
  };
  auto limit = [](int e) {
    const int a = std::abs(e);
    const int l = a < 16 ? a : a < 48 ? 16 + (a - 16) / 2 : 32;
    return e < 0 ? -l : l;
  };
  const int w = doc.width;
  std::vector<std::array<int, 3>> errorRow(static_cast<size_t>(w) + 2, {0, 0, 0});
  auto entryOf = [&](int col) -> std::array<int, 3>& { return errorRow[static_cast<size_t>(col + 1)]; };
  std::vector<uint8_t> out(static_cast<size_t>(w) * static_cast<size_t>(doc.height));
  for (int y = 0; y < doc.height; ++y) {
    const int dir = y % 2 == 0 ? 1 : -1;
    int carried[3] = {}, below[3] = {}, belowPrev[3] = {};
    int col = dir == 1 ? 0 : w - 1;
    for (int n = 0; n < w; ++n, col += dir) {
      const Rgb p = testing::PixelOf(doc, col, y);
      const int px[3] = {p.r, p.g, p.b};
      int v[3];
      for (int c = 0; c < 3; ++c)
        v[c] = std::clamp(px[c] + limit((carried[c] + entryOf(col)[static_cast<size_t>(c)] + 8) >> 4), 0, 255);
      const int index = nearest(v[0], v[1], v[2]);
      out[static_cast<size_t>(y * w + col)] = static_cast<uint8_t>(index);
      const Rgb e = Entry(pal, index);
      const int err[3] = {v[0] - e.r, v[1] - e.g, v[2] - e.b};
      for (int c = 0; c < 3; ++c) {
        entryOf(col - dir)[static_cast<size_t>(c)] = belowPrev[c] + 3 * err[c];
        belowPrev[c] = below[c] + 5 * err[c];
        below[c] = err[c];
        carried[c] = 7 * err[c];
      }
    }
    for (int c = 0; c < 3; ++c) entryOf(col - dir)[static_cast<size_t>(c)] = belowPrev[c];
  }
  return out;
}

TEST(Quantise, MappingEqualsTheLiteralDiffusion) {
  struct Case {
    const char* name;
    int width, height, colours;
    uint32_t seed;
  };
  for (const Case& c : {Case{"noise to 256", 61, 23, 256, 1}, Case{"noise to 7", 40, 31, 7, 2},
                        Case{"noise to 2", 33, 9, 2, 3}, Case{"one column", 1, 20, 4, 4}}) {
    SCOPED_TRACE(c.name);
    ImageDoc doc = testing::MakeNoiseDoc(c.width, c.height, c.seed);
    const Quantised q = Quantise(doc, c.colours);
    EXPECT_LE(q.palette.size, c.colours);
    EXPECT_EQ(q.indices, ReferenceMap(doc, q.palette));
  }
  // A smooth gradient keeps errors small and shows the row directions.
  ImageDoc gradient = MakeDoc(50, 12, [](int32_t x, int32_t y) {
    return Rgb{static_cast<uint8_t>(x * 5), static_cast<uint8_t>(y * 20), static_cast<uint8_t>(128 + x)};
  });
  const Quantised q = Quantise(gradient, 5);
  EXPECT_EQ(q.indices, ReferenceMap(gradient, q.palette));
}

TEST(Quantise, MultiPassMappingRestartsWithEachPass) {
  ImageDoc doc = testing::MakeNoiseDoc(17, 6, 9);
  const Quantised once = Quantise(doc, 12);
  auto quantiser = ColourQuantiser::Create(17, 12);
  ASSERT_TRUE(quantiser);
  const PixelBuffer px = DocPixels(doc);
  for (int32_t y = 0; y < 6; ++y) quantiser->AddRow(px.Row(y));
  quantiser->BuildPalette();
  for (int pass = 0; pass < 2; ++pass) {
    quantiser->BeginMapping();
    std::vector<uint8_t> indices(17 * 6);
    for (int32_t y = 0; y < 6; ++y) quantiser->MapRow(px.Row(y), indices.data() + 17 * y);
    EXPECT_EQ(indices, once.indices) << "pass " << pass;
  }
}

TEST(Quantise, RefusesImpossibleRequests) {
  EXPECT_EQ(ColourQuantiser::Create(10, 0), nullptr);
  EXPECT_EQ(ColourQuantiser::Create(10, 257), nullptr);
  EXPECT_EQ(ColourQuantiser::Create(0, 16), nullptr);
}

TEST(MedianCut, EmptyHistogramGivesOneBlackEntry) {
  ColourHistogram empty{};
  const QuantPalette p = MedianCutPalette(empty, 256);
  EXPECT_EQ(p.size, 1);
  EXPECT_EQ(Entry(p, 0), (Rgb{0, 0, 0}));
}

}  // namespace
}  // namespace veilo
