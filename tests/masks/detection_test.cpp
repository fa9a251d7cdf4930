#include "masks/detection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <ostream>
#include <vector>

#include "test_pictures.h"

namespace veilo {

static void PrintTo(const PixelRect& r, std::ostream* os) {
  *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

using testing::MakeDoc;
using testing::Rgb;

Rgb Grey(uint8_t v) { return {v, v, v}; }

bool Inside(const PixelRect& r, int32_t x, int32_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

bool WithinPicture(const PixelRect& r, int32_t width, int32_t height) {
  return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height && !r.Empty();
}

PixelRect Corners(const ImageDoc& doc) { return {doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2}; }

// A flat picture with one rectangle of another colour.
ImageDoc RectanglePicture(int32_t width, int32_t height, Rgb background, PixelRect rect, Rgb inside) {
  return MakeDoc(width, height, [=](int32_t x, int32_t y) { return Inside(rect, x, y) ? inside : background; });
}

// Value 100 everywhere except a 32 by 24 rectangle of value 200 at (40, 30).
ImageDoc FlatWithRectangle() { return RectanglePicture(100, 80, Grey(100), {40, 30, 72, 54}, Grey(200)); }

// Smooth dark shading with pixel noise (neighbours sometimes differ by more
// than the search's threshold), the rectangle `masked` inverted.
ImageDoc PhotoWithInvertedRectangle(int32_t width, int32_t height, PixelRect masked) {
  uint32_t state = 12345;
  return MakeDoc(width, height, [&](int32_t x, int32_t y) {
    uint8_t v[3];
    for (int c = 0; c < 3; ++c) {
      state = state * 1664525u + 1013904223u;
      const int noise = static_cast<int>(state >> 27) - 16;  // -16 .. 15
      const double shade = 40 + 15 * std::sin(x / 23.0 + c) + 10 * std::cos(y / 17.0 - c);
      v[c] = static_cast<uint8_t>(std::lround(shade) + noise / 2);
      if (Inside(masked, x, y)) v[c] = static_cast<uint8_t>(255 - v[c]);
    }
    return Rgb{v[0], v[1], v[2]};
  });
}

// ---- the two gestures on simple pictures -----------------------------------

TEST(AreaDetection, UniformPictureHasNoRectangleButEdgeScanTakesItWhole) {
  ImageDoc doc = MakeDoc(40, 30, [](int32_t, int32_t) { return Grey(90); });
  testing::SelectArea(doc, 1, 2, 3, 4);
  doc.areaSelected = 0;
  EXPECT_FALSE(RectangleSearch(doc, 20, 15).has_value());
  EXPECT_EQ(Corners(doc), (PixelRect{1, 2, 3, 4})) << "a failed search leaves the corners alone";

  DetectionMemory memory;
  EXPECT_FALSE(DetectAreaAt(memory, doc, 20, 15).has_value());
  EXPECT_TRUE(memory.lastFailed);
  // Failure is remembered, so the same point searches afresh (and fails again).
  EXPECT_FALSE(DetectAreaAt(memory, doc, 20, 15).has_value());

  EXPECT_EQ(EdgeScan(doc, 20, 15), (PixelRect{0, 0, 40, 30}));
  EXPECT_EQ(Corners(doc), (PixelRect{0, 0, 40, 30}));
  EXPECT_EQ(doc.areaSelected, 0);
}

TEST(AreaDetection, BothGesturesFindAFlatRectangle) {
  ImageDoc doc = FlatWithRectangle();
  const PixelRect expected{40, 30, 72, 54};
  DetectionMemory memory;
  EXPECT_EQ(DetectAreaAt(memory, doc, 50, 40), expected);
  EXPECT_EQ(Corners(doc), expected);
  EXPECT_EQ(doc.areaSelected, 0) << "the caller marks the area selected";
  EXPECT_EQ(memory.r0, expected);

  testing::SelectArea(doc, 0, 0, 0, 0);
  EXPECT_EQ(EdgeScan(doc, 50, 40), expected);
  EXPECT_EQ(Corners(doc), expected);
}

TEST(AreaDetection, MaskedRectangleInAPhotographIsFoundExactly) {
  const PixelRect masked{83, 57, 251, 190};
  ImageDoc doc = PhotoWithInvertedRectangle(320, 240, masked);
  const std::vector<std::pair<int32_t, int32_t>> points = {{160, 120}, {85, 60}, {248, 60}, {85, 187}, {248, 187}};
  for (const auto& [x, y] : points) {
    SCOPED_TRACE(::testing::Message() << "click at " << x << "," << y);
    EXPECT_EQ(RectangleSearch(doc, x, y), masked);
    EXPECT_EQ(EdgeScan(doc, x, y), masked);
  }
}

// ---- edge scan rules ---------------------------------------------------------

struct EdgeWeightCase {
  const char* what;
  Rgb outside, inside;
  bool isEdge;
};

TEST(EdgeScan, WeightsChannelsOfTheOuterPixelNearMidGrey) {
  const EdgeWeightCase cases[] = {
      {"grey outside, 13 per channel x4", Grey(128), Grey(115), true},
      {"grey outside, 12 per channel x4", Grey(128), Grey(116), false},
      {"darker outside counts once", Grey(102), Grey(115), false},
      {"exactly 150: 30x4 + 30", {128, 50, 50}, {98, 80, 50}, true},
      {"149: 30x4 + 29", {128, 50, 50}, {98, 79, 50}, false},
      {"band starts at 119", {119, 50, 50}, {149, 80, 50}, true},
      {"118 is outside the band", {118, 50, 50}, {148, 80, 50}, false},
      {"band ends at 137", {137, 50, 50}, {107, 80, 50}, true},
      {"138 is outside the band", {138, 50, 50}, {108, 80, 50}, false},
  };
  for (const EdgeWeightCase& c : cases) {
    SCOPED_TRACE(c.what);
    ImageDoc doc = RectanglePicture(60, 40, c.outside, {20, 10, 40, 30}, c.inside);
    const PixelRect expected = c.isEdge ? PixelRect{20, 10, 40, 30} : PixelRect{0, 0, 60, 40};
    EXPECT_EQ(EdgeScan(doc, 30, 20), expected);
  }
}

TEST(EdgeScan, LineOfNinetyNinePercentEdgeIsOnlyACandidate) {
  // Above row 57 value 200; rows 57..59 value 150 except (with the gap)
  // column 50, which stays 100 like the rows below. Row 60 against row 59 is
  // then 99 of 100 edge pairs: not enough to stop, so the walk goes on to 57.
  for (const bool gap : {false, true}) {
    SCOPED_TRACE(gap ? "with gap" : "without gap");
    ImageDoc doc = MakeDoc(101, 120, [gap](int32_t x, int32_t y) {
      if (y < 57) return Grey(200);
      if (y < 60) return gap && x == 50 ? Grey(100) : Grey(150);
      return Grey(100);
    });
    EXPECT_EQ(EdgeScan(doc, 70, 110), (PixelRect{0, gap ? 57 : 60, 101, 120}));
  }
}

TEST(EdgeScan, LineOfMoreThanThirtyPercentEdgeBecomesTheCandidate) {
  // Rows 0..19 are lighter in the first `lit` columns only.
  for (const int32_t lit : {30, 31}) {
    SCOPED_TRACE(lit);
    ImageDoc doc = MakeDoc(101, 120, [lit](int32_t x, int32_t y) { return Grey(y < 20 && x < lit ? 150 : 100); });
    EXPECT_EQ(EdgeScan(doc, 70, 110), (PixelRect{0, lit == 31 ? 20 : 0, 101, 120}));
  }
}

TEST(EdgeScan, CandidateExpiresSixHundredLinesLater) {
  // A full edge between rows 49 and 50, and a one-row stripe over half the
  // width lower down. From the bottom the stripe is a candidate; the full edge
  // still wins when it lies within 600 lines of it.
  struct Case {
    int32_t stripeRow;
    int32_t top;
  };
  for (const Case c : {Case{650, 50}, Case{651, 651}}) {
    SCOPED_TRACE(c.stripeRow);
    ImageDoc doc = MakeDoc(10, 700, [&](int32_t x, int32_t y) {
      if (y < 50) return Grey(200);
      return Grey(y == c.stripeRow && x < 5 ? 160 : 100);
    });
    EXPECT_EQ(EdgeScan(doc, 7, 699), (PixelRect{0, c.top, 10, 700}));
  }
}

TEST(EdgeScan, OneColumnWideAreaKeepsItsRows) {
  struct Case {
    int32_t width;
    int32_t column;
  };
  for (const Case c : {Case{1, 0}, Case{9, 4}}) {
    SCOPED_TRACE(c.width);
    ImageDoc doc = RectanglePicture(c.width, 20, Grey(100), {c.column, 5, c.column + 1, 15}, Grey(200));
    EXPECT_EQ(EdgeScan(doc, c.column, 10), (PixelRect{c.column, 5, c.column + 1, 15}));
  }
}

// ---- rectangle search rules ------------------------------------------------

TEST(RectangleSearch, PixelsDifferAboveFortyInAll) {
  struct Case {
    Rgb inside;
    bool found;
  };
  for (const Case c : {Case{{114, 113, 113}, false}, Case{{114, 114, 113}, true}}) {
    ImageDoc doc = RectanglePicture(100, 80, Grey(100), {40, 30, 72, 54}, c.inside);
    EXPECT_EQ(RectangleSearch(doc, 50, 40).has_value(), c.found) << int{c.inside.g};
  }
}

TEST(RectangleSearch, BorderNeedsEightyPercentAndFailsEarlyWhenWeak) {
  // The bottom border of (20,10)-(121,40) is checked from column 20 to 119;
  // pixels below it in columns first..last are made like the inside.
  struct Case {
    const char* what;
    int32_t first, last;
    bool found;
  };
  const Case cases[] = {
      {"intact", 0, -1, true},
      {"13 misses among the first 66", 21, 33, true},
      {"14 misses among the first 66", 21, 34, false},
      {"20 misses at the very end: exactly 80 %", 100, 119, true},
      {"20 misses ending one pair earlier dip below 80 % at pair 99", 99, 118, false},
  };
  const PixelRect rect{20, 10, 121, 40};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ImageDoc doc = MakeDoc(141, 60, [&](int32_t x, int32_t y) {
      const bool damaged = y == 40 && x >= c.first && x <= c.last;
      return Inside(rect, x, y) || damaged ? Grey(200) : Grey(100);
    });
    const std::optional<PixelRect> found = RectangleSearch(doc, 70, 25);
    if (c.found) {
      EXPECT_EQ(found, rect);
    } else {
      EXPECT_FALSE(found.has_value());
    }
  }
}

TEST(RectangleSearch, PrefersTheOutermostRectangle) {
  // An inner frame inside the outer one: the outer wins.
  ImageDoc doc = MakeDoc(120, 100, [](int32_t x, int32_t y) {
    if (Inside({50, 40, 60, 50}, x, y)) return Grey(30);
    return Inside({20, 20, 90, 80}, x, y) ? Grey(200) : Grey(100);
  });
  EXPECT_EQ(RectangleSearch(doc, 55, 45), (PixelRect{20, 20, 90, 80}));
}

// ---- repeated double-clicks --------------------------------------------------

struct RepeatCase {
  const char* what;
  std::function<Rgb(int32_t, int32_t)> picture;
  int32_t x, y;
  std::vector<std::pair<PixelRect, int32_t>> clicks;  // selection and stage counter after each
};

TEST(DetectAreaAt, RepeatedDoubleClicksWalkThroughTheStages) {
  const PixelRect a{40, 30, 72, 54};
  const RepeatCase cases[] = {
      {"no alternative: every stage fails, the first rectangle comes back",
       [a](int32_t x, int32_t y) { return Inside(a, x, y) ? Grey(200) : Grey(100); },
       50, 40, {{a, 0}, {a, 0}, {a, 0}}},
      {"a split column: stage 0 finds the right part",
       [a](int32_t x, int32_t y) { return Inside(a, x, y) ? Grey(x >= 56 ? 50 : 200) : Grey(100); },
       60, 40, {{a, 0}, {{56, 30, 72, 54}, 1}, {a, 0}, {{56, 30, 72, 54}, 1}}},
      {"a split row: stage 0 fails, stage 1 finds the lower part, later stages continue from 2",
       [a](int32_t x, int32_t y) { return Inside(a, x, y) ? Grey(y >= 36 ? 50 : 200) : Grey(100); },
       50, 45, {{a, 0}, {{40, 36, 72, 54}, 2}, {a, 0}, {{40, 36, 72, 54}, 2}}},
  };
  for (const RepeatCase& c : cases) {
    SCOPED_TRACE(c.what);
    ImageDoc doc = MakeDoc(100, 80, c.picture);
    DetectionMemory memory;
    for (size_t n = 0; n < c.clicks.size(); ++n) {
      SCOPED_TRACE(::testing::Message() << "double-click " << n + 1);
      EXPECT_EQ(DetectAreaAt(memory, doc, c.x, c.y), c.clicks[n].first);
      EXPECT_EQ(Corners(doc), c.clicks[n].first);
      EXPECT_EQ(memory.stage, c.clicks[n].second);
      EXPECT_FALSE(memory.lastFailed);
      EXPECT_EQ(memory.r0, a);
    }
  }
}

TEST(DetectAreaAt, AnotherPointOrDocumentStartsAfresh) {
  const PixelRect a{40, 30, 72, 54}, right{56, 30, 72, 54};
  auto split = [a](int32_t x, int32_t y) { return Inside(a, x, y) ? Grey(x >= 56 ? 50 : 200) : Grey(100); };
  ImageDoc first = MakeDoc(100, 80, split);
  ImageDoc second = MakeDoc(100, 80, split);
  DetectionMemory memory;
  ASSERT_EQ(DetectAreaAt(memory, first, 60, 40), a);
  ASSERT_EQ(DetectAreaAt(memory, first, 60, 40), right);

  EXPECT_EQ(DetectAreaAt(memory, first, 61, 40), a) << "another point";
  EXPECT_EQ(memory.stage, 0);
  EXPECT_EQ(DetectAreaAt(memory, first, 61, 40), right);

  EXPECT_EQ(DetectAreaAt(memory, second, 61, 40), a) << "another document";
  EXPECT_EQ(memory.doc, &second);
  EXPECT_EQ(DetectAreaAt(memory, second, 61, 40), right);

  ForgetDocument(memory, first);
  EXPECT_EQ(memory.doc, &second) << "only the document it names";
  ForgetDocument(memory, second);
  EXPECT_EQ(memory.doc, nullptr);
  EXPECT_TRUE(memory.lastFailed) << "so the next double-click searches afresh";
}

TEST(DetectAreaAt, RectangleRememberedForALargerPictureIsNotReused) {
  ImageDoc doc = FlatWithRectangle();
  DetectionMemory memory;
  ASSERT_EQ(DetectAreaAt(memory, doc, 50, 40), (PixelRect{40, 30, 72, 54}));
  // The picture shrinks under the same document (say, replaced by a smaller one).
  ImageDoc small = MakeDoc(60, 45, [](int32_t, int32_t) { return Grey(100); });
  SetDocPicture(doc, std::move(small.dib));
  testing::SelectArea(doc, 0, 0, 0, 0);
  EXPECT_FALSE(DetectAreaAt(memory, doc, 50, 40).has_value());
  EXPECT_EQ(Corners(doc), (PixelRect{0, 0, 0, 0}));
}

// ---- robustness ----------------------------------------------------------------

TEST(AreaDetection, SmallPicturesAndEdgePointsStayInsideThePicture) {
  const std::pair<int32_t, int32_t> sizes[] = {{1, 1}, {1, 6}, {6, 1}, {2, 2}, {3, 7}, {70, 3}};
  for (const auto& [w, h] : sizes) {
    for (const bool noisy : {false, true}) {
      ImageDoc doc = noisy ? testing::MakeNoiseDoc(w, h, 7) : MakeDoc(w, h, [](int32_t, int32_t) { return Grey(9); });
      const std::pair<int32_t, int32_t> points[] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w / 2, h / 2},
                                                    {-3, -3}, {w, h}};
      for (const auto& [x, y] : points) {
        SCOPED_TRACE(::testing::Message() << w << "x" << h << (noisy ? " noisy" : " flat") << " at " << x << ","
                                          << y);
        const int32_t cx = std::clamp(x, 0, w - 1), cy = std::clamp(y, 0, h - 1);
        const PixelRect scanned = EdgeScan(doc, x, y);
        EXPECT_TRUE(Inside(scanned, cx, cy));
        EXPECT_TRUE(WithinPicture(scanned, w, h));

        const std::optional<PixelRect> found = RectangleSearch(doc, x, y);
        if (found) {
          EXPECT_TRUE(Inside(*found, x, y));
          EXPECT_TRUE(WithinPicture(*found, w, h));
        }
        // Bounds from elsewhere are clipped to the picture.
        const std::optional<PixelRect> resumed = RectangleSearch(doc, x, y, SearchBounds{-5, w + 9, h + 9, -5});
        if (resumed) {
          EXPECT_TRUE(WithinPicture(*resumed, w, h));
        }
      }
    }
  }
  ImageDoc empty;
  EXPECT_TRUE(EdgeScan(empty, 0, 0).Empty());
  EXPECT_FALSE(RectangleSearch(empty, 0, 0).has_value());
}

}  // namespace
}  // namespace veilo
