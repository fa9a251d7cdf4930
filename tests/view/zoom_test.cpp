// Zoom steps, the whole-image fit, keeping the view centre and the scroll
// ranges that follow from a zoom.
#include <gtest/gtest.h>

#include <vector>

#include "view/zoom.h"
#include "view_doc.h"

namespace veilo {
namespace {

using testing::ViewDoc;

std::vector<int32_t> Walk(int32_t zoom, int32_t (*step)(int32_t), bool (*can)(int32_t)) {
  std::vector<int32_t> seen;
  while (can(zoom)) {
    zoom = step(zoom);
    seen.push_back(zoom);
  }
  return seen;
}

TEST(ZoomSteps, SequencesFromActualSizeAndFromTheTop) {
  EXPECT_EQ(Walk(100, ZoomInStep, CanZoomIn), (std::vector<int32_t>{150, 200, 300, 400, 800, 1600}));
  EXPECT_EQ(Walk(1600, ZoomOutStep, CanZoomOut),
            (std::vector<int32_t>{800, 400, 300, 200, 150, 100, 90, 80, 70, 60, 50, 40, 30, 20}));
  // A zoom outside the limits stays where it is.
  EXPECT_EQ(ZoomInStep(1600), 1600);
  EXPECT_EQ(ZoomInStep(2000), 2000);
  EXPECT_EQ(ZoomOutStep(25), 25);
  EXPECT_EQ(ZoomOutStep(20), 20);
}

TEST(ZoomSteps, EveryBandOfTheTables) {
  struct Case {
    int32_t zoom, in, out;  // out/in 0: not offered
  };
  const Case cases[] = {
      {1, 10, 0},       {9, 10, 0},       {20, 30, 0},      {25, 30, 0},      {26, 30, 10},
      {29, 30, 10},     {30, 40, 20},     {55, 60, 40},     {99, 100, 80},    {100, 150, 90},
      {101, 150, 100},  {149, 150, 100},  {150, 200, 100},  {151, 200, 150},  {199, 200, 150},
      {200, 300, 150},  {201, 300, 100},  {250, 300, 100},  {300, 400, 200},  {399, 400, 200},
      {400, 800, 300},  {401, 800, 400},  {799, 800, 400},  {800, 1600, 400}, {801, 1600, 800},
      {1599, 1600, 800}, {1600, 0, 800},  {1601, 0, 1600},  {2000, 0, 1600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zoom);
    EXPECT_EQ(CanZoomIn(c.zoom), c.in != 0);
    EXPECT_EQ(CanZoomOut(c.zoom), c.out != 0);
    if (c.in != 0) {
      EXPECT_EQ(ZoomInStep(c.zoom), c.in);
    }
    if (c.out != 0) {
      EXPECT_EQ(ZoomOutStep(c.zoom), c.out);
    }
  }
}

TEST(FitZoom, LargestWholeZoomAtWhichThePictureFits) {
  struct Case {
    const char* what;
    int32_t width, height, clientWidth, clientHeight;
    bool vBarShown, hBarShown;
    int32_t zoom;
  };
  const Case cases[] = {
      {"photo in a smaller window", 4000, 3000, 800, 600, false, false, 20},
      {"tall picture: the height decides", 1000, 2000, 800, 600, false, false, 30},
      {"wide picture: the width decides", 3000, 1000, 1000, 1000, false, false, 33},
      {"small picture: above 1600", 50, 50, 1000, 1000, false, false, 2000},
      {"enlarging: whole tens only", 300, 300, 1000, 1000, false, false, 330},
      {"exactly the client", 640, 480, 640, 480, false, false, 100},
      // The fit is for the client area without the bars (17 pixels each).
      {"vertical bar shown", 817, 100, 800, 600, true, false, 100},
      {"vertical bar ignored when hidden", 817, 100, 800, 600, false, false, 97},
      {"horizontal bar shown", 100, 617, 800, 600, false, true, 100},
      // More than a hundred times larger than the window: never below 1.
      {"huge picture", 20000, 20000, 100, 100, false, false, 1},
      {"huge and wide", 65535, 10, 300, 300, false, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ImageDoc doc = ViewDoc(c.width, c.height, 100, c.clientWidth, c.clientHeight);
    doc.vScrollMax = c.vBarShown ? 5 : 0;
    doc.hScrollMax = c.hBarShown ? 5 : 0;
    EXPECT_EQ(FitZoom(doc, {17, 17}), c.zoom);
  }
}

TEST(FitZoom, WithoutPictureOrClientAreaTheZoomStays) {
  EXPECT_EQ(FitZoom(ViewDoc(0, 0, 150, 800, 600), {17, 17}), 150);
  EXPECT_EQ(FitZoom(ViewDoc(100, 100, 150, 0, 600), {17, 17}), 150);
  EXPECT_EQ(FitZoom(ViewDoc(100, 100, 150, 800, 0), {17, 17}), 150);
}

TEST(FitWholeImage, ShowsTheWholePictureFromItsCorner) {
  ImageDoc doc = ViewDoc(4000, 3000, 100, 800, 600);
  doc.hScrollPos = 1234;
  doc.vScrollPos = 987;
  UpdateScrollRanges(doc);
  // The bars are shown now; the fit sees the area they would leave.
  EXPECT_EQ(FitWholeImage(doc, {17, 17}), (ScrollBars{0, 0, 0, 0}));
  EXPECT_EQ(doc.zoomPercent, 20);
  EXPECT_EQ(doc.hScrollPos, 0);
  EXPECT_EQ(doc.vScrollPos, 0);

  ImageDoc small = ViewDoc(50, 50, 100, 1000, 1000);
  FitWholeImage(small, {17, 17});
  EXPECT_EQ(small.zoomPercent, 2000);
  EXPECT_FALSE(CanZoomIn(small.zoomPercent));
  EXPECT_EQ(ZoomOutStep(small.zoomPercent), 1600);

  ImageDoc huge = ViewDoc(30000, 30000, 100, 200, 200);
  FitWholeImage(huge, {17, 17});
  EXPECT_EQ(huge.zoomPercent, 1);
}

TEST(UpdateScrollRanges, MaximaClampingAndWholeZoomedPixels) {
  struct Case {
    const char* what;
    int32_t zoom, hPos, vPos;
    ScrollBars bars;
  };
  // A 1000 x 800 picture in a 500 x 400 client.
  const Case cases[] = {
      {"actual size", 100, 123, 77, {500, 123, 400, 77}},
      {"beyond the maxima", 100, 9000, 9000, {500, 500, 400, 400}},
      {"200 %: even offsets", 200, 123, 77, {1500, 122, 1200, 76}},
      {"400 %: multiples of 4", 400, 1003, 1001, {3500, 1000, 2800, 1000}},
      {"150 %: k is 1", 150, 123, 77, {1000, 123, 800, 77}},
      {"250 %: k is 2", 250, 123, 77, {2000, 122, 1600, 76}},
      {"clamped, then aligned", 300, 9000, 9000, {2500, 2499, 2000, 1998}},
      {"the picture fits", 25, 60, 60, {0, 0, 0, 0}},
      {"fits exactly", 50, 1, 1, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ImageDoc doc = ViewDoc(1000, 800, c.zoom, 500, 400);
    doc.hScrollPos = c.hPos;
    doc.vScrollPos = c.vPos;
    EXPECT_EQ(UpdateScrollRanges(doc), c.bars);
    EXPECT_EQ((ScrollBars{doc.hScrollMax, doc.hScrollPos, doc.vScrollMax, doc.vScrollPos}), c.bars);
  }
}

TEST(SetZoom, KeepsThePictureAtTheViewCentre) {
  ImageDoc doc = ViewDoc(1000, 1000, 100, 400, 300);
  doc.hScrollPos = 300;  // centre at picture (500, 350)
  doc.vScrollPos = 200;
  EXPECT_EQ(SetZoom(doc, 200), (ScrollBars{1600, 800, 1700, 550}));
  EXPECT_EQ(doc.zoomPercent, 200);
  EXPECT_EQ((doc.hScrollPos + 200) / 2, 500);
  EXPECT_EQ((doc.vScrollPos + 150) / 2, 350);
  // And back: the same centre.
  SetZoom(doc, 100);
  EXPECT_EQ(doc.hScrollPos, 300);
  EXPECT_EQ(doc.vScrollPos, 200);
}

TEST(SetZoom, RoundingOfTheNewOffset) {
  // 2000 rows at 200 %, 301 rows visible, offset 400: the visible extent at
  // 100 % is trunc(150.5) = 150, and (150 - 301) / 2 truncates towards zero
  // to -75; 400 * 100 / 200 = 200 gives 125.
  ImageDoc doc = ViewDoc(100, 2000, 200, 50, 301);
  doc.vScrollPos = 400;
  doc.vScrollMax = 4000 - 301;
  SetZoom(doc, 100);
  EXPECT_EQ(doc.vScrollPos, 125);

  // Zooming out from the top-left corner would go negative: it stays at 0.
  ImageDoc corner = ViewDoc(1000, 1000, 200, 400, 300);
  SetZoom(corner, 100);
  EXPECT_EQ(corner.hScrollPos, 0);
  EXPECT_EQ(corner.vScrollPos, 0);
}

TEST(SetZoom, NeverBelowOnePercent) {
  for (int32_t z : {0, -5}) {
    ImageDoc doc = ViewDoc(100, 100, 100, 50, 50);
    SetZoom(doc, z);
    EXPECT_EQ(doc.zoomPercent, 1);
  }
}

}  // namespace
}  // namespace veilo
