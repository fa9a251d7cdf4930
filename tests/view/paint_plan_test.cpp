// The paint plan: what a WM_PAINT transfers, the grey strips and the block
// alignment that lets partial repaints match the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "view/paint_plan.h"
#include "view/view_mapping.h"
#include "view/zoom.h"
#include "view_doc.h"

namespace veilo {
namespace {

using testing::ViewDoc;

ImageDoc Picture(int32_t width, int32_t height, int32_t zoom, int32_t clientWidth, int32_t clientHeight) {
  return ViewDoc(width, height, zoom, clientWidth, clientHeight, /*withPicture=*/true);
}

WindowRect Client(const ImageDoc& doc) { return {0, 0, doc.clientWidth, doc.clientHeight}; }

TEST(PaintBlockWidth, WholePicturePixelsPerBlock) {
  const std::pair<int32_t, int32_t> cases[] = {{150, 15}, {200, 2},   {110, 11},  {123, 123},
                                               {250, 25}, {1600, 16}, {1630, 163}, {1000, 10}};
  for (auto [zoom, block] : cases) EXPECT_EQ(PaintBlockWidth(zoom), block) << zoom;
}

TEST(PlanPaint, ActualSizeCopiesTheUpdateRectangle) {
  ImageDoc doc = Picture(100, 80, 100, 300, 200);
  doc.hScrollPos = 10;
  doc.vScrollPos = 5;
  const PaintPlan p = PlanPaint(doc, {20, 30, 50, 40});
  EXPECT_EQ(p.kind, PaintPlan::Kind::kDirect);
  EXPECT_EQ((WindowRect{p.destX, p.destY, p.destX + p.destWidth, p.destY + p.destHeight}),
            (WindowRect{20, 30, 50, 40}));
  EXPECT_EQ(p.srcX, 30);
  EXPECT_EQ(p.srcWidth, 30);
  EXPECT_EQ(p.srcHeight, 10);
  EXPECT_EQ(p.srcY, 80 - 45);  // rows 35..44 from the top, counted from the bottom
  EXPECT_EQ((WindowRect{p.frameLeft, p.frameTop, p.frameWidth, p.frameHeight}), (WindowRect{30, 35, 30, 10}));
  EXPECT_FALSE(p.rightStrip);
  EXPECT_FALSE(p.bottomStrip);

  // Cut at the picture's edge.
  const PaintPlan edge = PlanPaint(doc, {80, 70, 300, 200});
  EXPECT_EQ(edge.srcX, 90);
  EXPECT_EQ(edge.destWidth, 10);
  EXPECT_EQ(edge.destHeight, 5);
  EXPECT_EQ(edge.srcY, 0);
}

TEST(PlanPaint, ReducedViewStretchesWithoutAlignment) {
  ImageDoc doc = Picture(100, 80, 50, 300, 200);
  const PaintPlan whole = PlanPaint(doc, Client(doc));
  EXPECT_EQ(whole.kind, PaintPlan::Kind::kStretch);
  EXPECT_EQ((std::vector<int32_t>{whole.destX, whole.destY, whole.destWidth, whole.destHeight, whole.srcX,
                                  whole.srcY, whole.srcWidth, whole.srcHeight}),
            (std::vector<int32_t>{0, 0, 50, 40, 0, 0, 100, 80}));
  const PaintPlan part = PlanPaint(doc, {10, 10, 20, 20});
  EXPECT_EQ((std::vector<int32_t>{part.destX, part.destY, part.destWidth, part.destHeight, part.srcX, part.srcY,
                                  part.srcWidth, part.srcHeight}),
            (std::vector<int32_t>{10, 10, 10, 10, 20, 40, 20, 20}));
  EXPECT_EQ(part.rightMargin + part.bottomMargin, 0);
}

TEST(PlanPaint, NothingWithoutPictureOrOutsideIt) {
  ImageDoc empty = ViewDoc(100, 80, 100, 300, 200);  // sizes, but no picture block
  EXPECT_EQ(PlanPaint(empty, Client(empty)).kind, PaintPlan::Kind::kNothing);
  for (int32_t zoom : {50, 100, 150, 200}) {
    SCOPED_TRACE(zoom);
    ImageDoc doc = Picture(10, 10, zoom, 300, 200);
    const PaintPlan p = PlanPaint(doc, {250, 150, 300, 200});
    EXPECT_EQ(p.kind, PaintPlan::Kind::kNothing);
    EXPECT_EQ(p.rightMargin + p.bottomMargin, 0);
    EXPECT_EQ(PlanPaint(doc, {20, 20, 20, 40}).kind, PaintPlan::Kind::kNothing);  // empty update
  }
}

TEST(PlanPaint, At150PercentEveryRepaintStartsOnABlockOf15) {
  ImageDoc doc = Picture(400, 300, 150, 320, 240);
  doc.hScrollPos = 7;
  doc.vScrollPos = 22;
  const WindowRect updates[] = {{0, 0, 1, 1},     {1, 2, 3, 4},       {16, 29, 31, 44},
                                {100, 50, 101, 51}, {299, 200, 320, 240}, {0, 0, 320, 240}};
  for (const WindowRect& u : updates) {
    SCOPED_TRACE(::testing::Message() << u.left << "," << u.top << "," << u.right << "," << u.bottom);
    const PaintPlan p = PlanPaint(doc, u);
    ASSERT_EQ(p.kind, PaintPlan::Kind::kStretch);
    EXPECT_EQ(p.frameLeft % 15, 0);
    EXPECT_EQ(p.frameTop % 15, 0);
    EXPECT_EQ(p.frameWidth % 15, 0);
    EXPECT_EQ(p.frameHeight % 15, 0);
    // Each block of 15 screen pixels is exactly 10 picture pixels.
    EXPECT_EQ(p.srcX * 150, p.frameLeft * 100);
    EXPECT_EQ(p.srcWidth * 150, p.destWidth * 100);
    EXPECT_EQ(p.srcHeight * 150, p.destHeight * 100);
    EXPECT_EQ(p.destX, p.frameLeft - doc.hScrollPos);
    EXPECT_EQ(p.destY, p.frameTop - doc.vScrollPos);
    // The update rectangle is covered.
    EXPECT_LE(p.destX, u.left);
    EXPECT_LE(p.destY, u.top);
    EXPECT_GE(p.destX + p.destWidth, u.right);
    EXPECT_GE(p.destY + p.destHeight, u.bottom);
  }
}

TEST(PlanPaint, GreyStripsWhereABlockRunsPastThePicture) {
  struct Case {
    const char* what;
    int32_t width, height, zoom;
    std::optional<WindowRect> right, bottom;
  };
  const Case cases[] = {
      // 11 x 7 pixels are 16.5 x 10.5 screen pixels; the blocks end at 30 and 15.
      {"150 %", 11, 7, 150, WindowRect{17, 0, 30, 15}, WindowRect{0, 11, 30, 15}},
      // Whole hundreds: a block is one picture pixel, nothing runs past.
      {"1600 %", 3, 2, 1600, std::nullopt, std::nullopt},
      // A fitted zoom above 1600: blocks of 163 screen pixels, 100 picture pixels.
      {"1630 %", 3, 2, 1630, WindowRect{49, 0, 163, 163}, WindowRect{0, 33, 163, 163}},
      {"picture ending on a block", 10, 20, 150, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ImageDoc doc = Picture(c.width, c.height, c.zoom, 200, 100);
    const PaintPlan p = PlanPaint(doc, Client(doc));
    ASSERT_EQ(p.kind, PaintPlan::Kind::kStretch);
    EXPECT_EQ(p.rightStrip, c.right);
    EXPECT_EQ(p.bottomStrip, c.bottom);
    EXPECT_EQ(p.rightMargin, c.right ? c.right->right - c.right->left : 0);
    EXPECT_EQ(p.bottomMargin, c.bottom ? c.bottom->bottom - c.bottom->top : 0);
  }
}

// The screen as a grid of what each client pixel shows: a picture pixel's
// index, grey, or whatever was there before.
constexpr int32_t kUntouched = -2;
constexpr int32_t kGrey = -1;

struct Screen {
  int32_t width, height;
  std::vector<int32_t> pixels;
  Screen(int32_t w, int32_t h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, kUntouched) {}
  int32_t& At(int32_t x, int32_t y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

bool Inside(int32_t x, int32_t y, const WindowRect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// Carries a plan out the way GDI does within the paint's clip rectangle: the
// stretch takes, for each destination pixel, the source pixel its offset
// scales to (COLORONCOLOR keeps one of them), draws nothing where the source
// lies outside the picture, and the strips are filled afterwards.
void Carry(const ImageDoc& doc, const PaintPlan& p, const WindowRect& clip, Screen& screen) {
  const WindowRect dest{p.destX, p.destY, p.destX + p.destWidth, p.destY + p.destHeight};
  const int32_t srcTop = doc.height - p.srcY - p.srcHeight;  // top-down row of the source's first row
  for (int32_t y = std::max(clip.top, 0); y < std::min(clip.bottom, screen.height); ++y) {
    for (int32_t x = std::max(clip.left, 0); x < std::min(clip.right, screen.width); ++x) {
      if (p.kind == PaintPlan::Kind::kNothing) continue;
      if (Inside(x, y, dest)) {
        const int64_t px = p.srcX + int64_t{x - dest.left} * p.srcWidth / p.destWidth;
        const int64_t py = srcTop + int64_t{y - dest.top} * p.srcHeight / p.destHeight;
        if (px >= 0 && px < doc.width && py >= 0 && py < doc.height)
          screen.At(x, y) = static_cast<int32_t>(py * doc.width + px);
      }
      if ((p.rightStrip && Inside(x, y, *p.rightStrip)) || (p.bottomStrip && Inside(x, y, *p.bottomStrip)))
        screen.At(x, y) = kGrey;
    }
  }
}

Screen PaintWhole(const ImageDoc& doc) {
  Screen screen(doc.clientWidth, doc.clientHeight);
  Carry(doc, PlanPaint(doc, Client(doc)), Client(doc), screen);
  return screen;
}

// Random cuts of 0..extent into pieces.
std::vector<int32_t> Cuts(std::mt19937& rng, int32_t extent) {
  std::vector<int32_t> cuts{0, extent};
  const int n = std::uniform_int_distribution<int>(0, 6)(rng);
  for (int i = 0; i < n; ++i) cuts.push_back(std::uniform_int_distribution<int32_t>(0, extent)(rng));
  std::sort(cuts.begin(), cuts.end());
  return cuts;
}

TEST(PlanPaint, PartialRepaintsMatchOneWholePaint) {
  std::mt19937 rng(20240611);
  const int32_t namedZooms[] = {100, 110, 123, 150, 200, 250, 300, 333, 400, 730, 800, 1600, 1630, 3200};
  auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
  for (int round = 0; round < 400; ++round) {
    const int32_t zoom = round % 2 == 0 ? namedZooms[round / 2 % std::size(namedZooms)] : pick(101, 2500);
    ImageDoc doc = Picture(pick(1, 40), pick(1, 40), zoom, pick(1, 120), pick(1, 90));
    UpdateScrollRanges(doc);
    // Any offset in range, not only the aligned ones that the ranges keep.
    doc.hScrollPos = pick(0, doc.hScrollMax);
    doc.vScrollPos = pick(0, doc.vScrollMax);
    SCOPED_TRACE(::testing::Message() << "picture " << doc.width << "x" << doc.height << " at " << zoom << "% in "
                                    << doc.clientWidth << "x" << doc.clientHeight << " scrolled "
                                    << doc.hScrollPos << "," << doc.vScrollPos);

    // The whole paint shows each picture pixel where the mapping puts it, and
    // grey or the background only outside the picture.
    Screen whole = PaintWhole(doc);
    for (int32_t y = 0; y < whole.height; ++y) {
      for (int32_t x = 0; x < whole.width; ++x) {
        const int32_t px = ClientToPictureX(doc, x), py = ClientToPictureY(doc, y);
        if (px < doc.width && py < doc.height) {
          ASSERT_EQ(whole.At(x, y), py * doc.width + px) << "client " << x << "," << y;
        } else {
          ASSERT_LT(whole.At(x, y), 0) << "client " << x << "," << y;
        }
      }
    }

    // Tiles that cover the client, each painted on its own, give the same screen.
    Screen tiled(doc.clientWidth, doc.clientHeight);
    const std::vector<int32_t> xs = Cuts(rng, doc.clientWidth), ys = Cuts(rng, doc.clientHeight);
    for (size_t j = 0; j + 1 < ys.size(); ++j) {
      for (size_t i = 0; i + 1 < xs.size(); ++i) {
        const WindowRect tile{xs[i], ys[j], xs[i + 1], ys[j + 1]};
        Carry(doc, PlanPaint(doc, tile), tile, tiled);
      }
    }
    ASSERT_EQ(tiled.pixels, whole.pixels);

    // Repainting any part of a painted screen changes nothing.
    for (int k = 0; k < 4; ++k) {
      const int32_t x0 = pick(0, doc.clientWidth), y0 = pick(0, doc.clientHeight);
      const WindowRect part{x0, y0, pick(x0, doc.clientWidth), pick(y0, doc.clientHeight)};
      Carry(doc, PlanPaint(doc, part), part, whole);
    }
    ASSERT_EQ(whole.pixels, tiled.pixels);
  }
}

}  // namespace
}  // namespace veilo
