// The fast paths of the detection (counted lines, column bit maps, chunked
// column scans) against a plain transcription of the rules, on many small
// pictures with overlapping rectangles and noise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "masks/detection.h"
#include "test_pictures.h"

namespace veilo {
namespace {

struct Picture {
  ImageDoc doc;
  int32_t w, h;
  PixelBuffer pixels;
  const uint8_t* At(int32_t x, int32_t y) const { return pixels.At(x, y); }
};

// ---- reference rectangle search --------------------------------------------

bool Differ(const uint8_t* a, const uint8_t* b) {
  return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) > 40;
}

// Pairs (a(m), b(m)) for m = 0 .. n - 1, checked in that order.
template <typename PairAt>
bool Border(int32_t n, PairAt pair) {
  if (n <= 0) return false;
  int32_t differing = 0;
  for (int32_t m = 1; m <= n; ++m) {
    const auto [a, b] = pair(m - 1);
    if (Differ(a, b)) ++differing;
    if (m > 65 && differing * 5 < 4 * m) return false;
  }
  return differing * 5 >= 4 * n;
}

std::optional<PixelRect> ReferenceSearch(Picture& p, int32_t x, int32_t y, const std::optional<SearchBounds>& resume) {
  int32_t top = 0, right = p.w, bottom = p.h;
  if (resume) {
    top = std::max(resume->top, 0);
    right = std::min(resume->right, p.w);
    bottom = std::min(resume->bottom, p.h);
  }
  using Pair = std::pair<const uint8_t*, const uint8_t*>;
  for (int32_t i = top; i < y; ++i) {
    if (i > 0 && !Differ(p.At(x, i - 1), p.At(x, i))) continue;
    for (int32_t j = right - 1; j >= x; --j) {
      if (i > 0 && !Border(j - x, [&](int32_t m) { return Pair{p.At(j - m, i - 1), p.At(j - m, i)}; })) continue;
      for (int32_t k = bottom - 1; k >= y; --k) {
        if (k != p.h - 1 && !Differ(p.At(j, k), p.At(j, k + 1))) continue;
        if (j < p.w - 1 && !Border(k - i, [&](int32_t m) { return Pair{p.At(j, k - m), p.At(j + 1, k - m)}; }))
          continue;
        const int32_t first = resume ? std::max(resume->left, 0) : (i == 0 && k == p.h - 1 && j == p.w - 1) ? 1 : 0;
        for (int32_t l = first; l <= x; ++l) {
          if (l > 0 && !Differ(p.At(l - 1, k), p.At(l, k))) continue;
          if (k < p.h - 1 && !Border(j - l, [&](int32_t m) { return Pair{p.At(l + m, k), p.At(l + m, k + 1)}; }))
            continue;
          if (l > 0 && !Border(k - i, [&](int32_t m) { return Pair{p.At(l - 1, i + m), p.At(l, i + m)}; })) continue;
          if (i > 0 && !Border(x - l, [&](int32_t m) { return Pair{p.At(l + m, i - 1), p.At(l + m, i)}; })) continue;
          return PixelRect{l, i, j + 1, k + 1};
        }
      }
    }
  }
  return std::nullopt;
}

// ---- reference edge scan -----------------------------------------------------

bool Edge(const uint8_t* inner, const uint8_t* outer) {
  int32_t s = 0;
  for (int c = 0; c < 3; ++c) s += std::abs(outer[c] - inner[c]) * (std::abs(outer[c] - 128) < 10 ? 4 : 1);
  return s >= 150;
}

// The share e / n of edge pairs is more than num / den. Compared as integers:
// a quotient in floating point is not exact, and where the compiler keeps it
// in wider registers (x87 on 32-bit x86) a share of exactly 0.3 or 0.99 came
// out above the rounded constant.
bool ShareAbove(int64_t e, int64_t n, int64_t num, int64_t den) { return e * den > n * num; }

// Walks lines from, from + dir, ... while 1 <= line <= last; edges(line) counts
// the edge pairs of a line of n pairs.
template <typename Edges>
int32_t Walk(int32_t from, int32_t dir, int32_t last, int32_t border, int32_t n, Edges edges) {
  int32_t candidate = -1, counter = 0;
  for (int32_t line = from; dir < 0 ? line >= 1 : line <= last; line += dir) {
    const int32_t e = edges(line);
    if (ShareAbove(e, n, 99, 100)) return line;
    if (ShareAbove(e, n, 3, 10)) {
      candidate = line;
      counter = 0;
    }
    if (candidate >= 0 && ++counter > 600) break;
  }
  return candidate >= 0 ? candidate : border;
}

PixelRect ReferenceEdgeScan(Picture& p, int32_t x, int32_t y) {
  auto rows = [&](int32_t dir, int32_t c0, int32_t n) {
    return Walk(y, dir, p.h - 2, dir < 0 ? 0 : p.h - 1, n, [&](int32_t line) {
      int32_t e = 0;
      for (int32_t c = c0; c < c0 + n; ++c) e += Edge(p.At(c, line), p.At(c, line + dir));
      return e;
    });
  };
  auto columns = [&](int32_t dir, int32_t r0, int32_t n) {
    return Walk(x, dir, p.w - 2, dir < 0 ? 0 : p.w - 1, n, [&](int32_t line) {
      int32_t e = 0;
      for (int32_t r = r0; r < r0 + n; ++r) e += Edge(p.At(line, r), p.At(line + dir, r));
      return e;
    });
  };
  int32_t top = rows(-1, x, 1), bottom = rows(+1, x, 1);
  int32_t left = columns(-1, top, bottom - top + 1), right = columns(+1, top, bottom - top + 1);
  const int32_t n = std::max(right - left, 1);
  top = rows(-1, left, n);
  bottom = rows(+1, left, n);
  left = columns(-1, top, bottom - top + 1);
  right = columns(+1, top, bottom - top + 1);
  return {left, top, right + 1, bottom + 1};
}

// ---- pictures ------------------------------------------------------------------

struct Random {
  uint32_t state;
  uint32_t Next(uint32_t below) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % below;
  }
};

// Overlapping rectangles of random colours (often near mid-grey), some with
// gaps in their outlines, over noise of random strength.
Picture RandomPicture(uint32_t seed) {
  Random rnd{seed};
  const int32_t w = 20 + static_cast<int32_t>(rnd.Next(110)), h = 20 + static_cast<int32_t>(rnd.Next(90));
  std::vector<testing::Rgb> pixels(static_cast<size_t>(w * h));
  auto colour = [&] {
    const bool grey = rnd.Next(2) == 0;
    auto channel = [&] { return static_cast<uint8_t>(grey ? 110 + rnd.Next(36) : rnd.Next(256)); };
    return testing::Rgb{channel(), channel(), channel()};
  };
  const testing::Rgb background = colour();
  std::fill(pixels.begin(), pixels.end(), background);
  const uint32_t shapes = 1 + rnd.Next(5);
  for (uint32_t s = 0; s < shapes; ++s) {
    const int32_t x0 = static_cast<int32_t>(rnd.Next(w)), y0 = static_cast<int32_t>(rnd.Next(h));
    const int32_t x1 = std::min(w, x0 + 1 + static_cast<int32_t>(rnd.Next(w))),
                  y1 = std::min(h, y0 + 1 + static_cast<int32_t>(rnd.Next(h)));
    const testing::Rgb c = colour();
    const uint32_t holes = rnd.Next(4) == 0 ? 10 + rnd.Next(30) : 0;  // percent of pixels left out
    for (int32_t y = y0; y < y1; ++y)
      for (int32_t x = x0; x < x1; ++x)
        if (rnd.Next(100) >= holes) pixels[static_cast<size_t>(y * w + x)] = c;
  }
  const int32_t noise = static_cast<int32_t>(rnd.Next(4)) * 8;
  for (testing::Rgb& px : pixels) {
    if (noise == 0) break;
    auto jitter = [&](uint8_t v) {
      return static_cast<uint8_t>(std::clamp(v + static_cast<int32_t>(rnd.Next(2 * noise + 1)) - noise, 0, 255));
    };
    px = {jitter(px.r), jitter(px.g), jitter(px.b)};
  }
  Picture p{testing::MakeDoc(w, h, [&](int32_t x, int32_t y) { return pixels[static_cast<size_t>(y * w + x)]; }), w, h,
            {}};
  p.pixels = DocPixels(p.doc);
  return p;
}

TEST(DetectionReference, RectangleSearchMatchesThePlainRules) {
  for (uint32_t seed = 1; seed <= 50; ++seed) {
    Picture p = RandomPicture(seed);
    Random rnd{seed * 31u};
    for (int point = 0; point < 4; ++point) {
      const int32_t x = static_cast<int32_t>(rnd.Next(p.w)), y = static_cast<int32_t>(rnd.Next(p.h));
      SCOPED_TRACE(::testing::Message() << "seed " << seed << " " << p.w << "x" << p.h << " at " << x << "," << y);
      ASSERT_EQ(RectangleSearch(p.doc, x, y), ReferenceSearch(p, x, y, std::nullopt));
      const SearchBounds resume{static_cast<int32_t>(rnd.Next(y + 1)), x + static_cast<int32_t>(rnd.Next(p.w - x + 3)),
                                y + static_cast<int32_t>(rnd.Next(p.h - y + 3)), static_cast<int32_t>(rnd.Next(x + 2))};
      ASSERT_EQ(RectangleSearch(p.doc, x, y, resume), ReferenceSearch(p, x, y, resume))
          << "resumed " << resume.top << "," << resume.right << "," << resume.bottom << "," << resume.left;
    }
  }
}

TEST(DetectionReference, EdgeScanMatchesThePlainRules) {
  for (uint32_t seed = 1; seed <= 50; ++seed) {
    Picture p = RandomPicture(seed);
    Random rnd{seed * 17u};
    for (int point = 0; point < 4; ++point) {
      const int32_t x = static_cast<int32_t>(rnd.Next(p.w)), y = static_cast<int32_t>(rnd.Next(p.h));
      SCOPED_TRACE(::testing::Message() << "seed " << seed << " " << p.w << "x" << p.h << " at " << x << "," << y);
      ASSERT_EQ(EdgeScan(p.doc, x, y), ReferenceEdgeScan(p, x, y));
    }
  }
}

// Lines whose share of edges is exactly one of the two limits: neither counts
// as "more than" it. Bright columns on a dark ground to the right of the click.
TEST(DetectionReference, SharesOfExactlyTheLimitsAreNotAbove) {
  struct Case {
    const char* what;
    int32_t w, h;
    int32_t brightColumn, brightRows;  // column with that many bright rows from the top
    int32_t solidFrom;                 // bright columns from here on (w: none)
    PixelRect expected;
  };
  const Case cases[] = {
      // 6 of 20 rows differ: exactly 0.3 is no candidate, the walk reaches the border.
      {"exactly 30 %", 40, 20, 21, 6, 40, {0, 0, 40, 20}},
      // 99 of 100 rows differ: a candidate, not an immediate stop; the solid edge further out is.
      {"exactly 99 %", 60, 100, 21, 99, 41, {0, 0, 41, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Picture p{testing::MakeDoc(c.w, c.h,
                               [&](int32_t x, int32_t y) {
                                 const bool bright = x >= c.solidFrom || (x == c.brightColumn && y < c.brightRows);
                                 return bright ? testing::Rgb{255, 255, 255} : testing::Rgb{100, 100, 100};
                               }),
              c.w, c.h, {}};
    p.pixels = DocPixels(p.doc);
    EXPECT_EQ(EdgeScan(p.doc, 5, c.h / 2), c.expected);
    EXPECT_EQ(ReferenceEdgeScan(p, 5, c.h / 2), c.expected);
  }
}

}  // namespace
}  // namespace veilo
