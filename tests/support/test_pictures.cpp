#include "test_pictures.h"

#include <cstdio>

namespace veilo::testing {

ImageDoc MakeDoc(int32_t width, int32_t height, const std::function<Rgb(int32_t, int32_t)>& colour) {
  ImageDoc doc;
  SetDocPicture(doc, PackedDib::Canonical24(static_cast<uint32_t>(width), static_cast<uint32_t>(height)));
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) SetPixel(doc, x, y, colour(x, y));
  return doc;
}

ImageDoc MakeNoiseDoc(int32_t width, int32_t height, uint32_t seed) {
  uint32_t state = seed * 2654435761u + 1;
  return MakeDoc(width, height, [&](int32_t, int32_t) {
    state = state * 1664525u + 1013904223u;
    return Rgb{static_cast<uint8_t>(state >> 24), static_cast<uint8_t>(state >> 16),
               static_cast<uint8_t>(state >> 8)};
  });
}

Rgb PixelOf(ImageDoc& doc, int32_t x, int32_t y) {
  const uint8_t* p = DocPixels(doc).At(x, y);
  return {p[kRed], p[kGreen], p[kBlue]};
}

void SetPixel(ImageDoc& doc, int32_t x, int32_t y, Rgb c) {
  uint8_t* p = DocPixels(doc).At(x, y);
  p[kRed] = c.r;
  p[kGreen] = c.g;
  p[kBlue] = c.b;
}

void SelectArea(ImageDoc& doc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  doc.areaSelected = 1;
  doc.areaX1 = x1;
  doc.areaY1 = y1;
  doc.areaX2 = x2;
  doc.areaY2 = y2;
}

std::string DescribePixelDifference(ImageDoc& a, ImageDoc& b) {
  char buf[160];
  if (a.width != b.width || a.height != b.height) {
    std::snprintf(buf, sizeof buf, "size %dx%d vs %dx%d", a.width, a.height, b.width, b.height);
    return buf;
  }
  for (int32_t y = 0; y < a.height; ++y)
    for (int32_t x = 0; x < a.width; ++x) {
      const Rgb p = PixelOf(a, x, y), q = PixelOf(b, x, y);
      if (!(p == q)) {
        std::snprintf(buf, sizeof buf, "pixel (%d,%d): (%d,%d,%d) vs (%d,%d,%d)", x, y, p.r, p.g, p.b,
                      q.r, q.g, q.b);
        return buf;
      }
    }
  return {};
}

std::string TestDataPath(const std::string& name) { return std::string(VEILO_TEST_DATA_DIR) + "/" + name; }
std::string SharedDataPath(const std::string& name) {
  return std::string(VEILO_SHARED_TESTDATA_DIR) + "/" + name;
}
std::string SourcePath(const std::string& name) { return std::string(VEILO_SOURCE_DIR) + "/" + name; }

}  // namespace veilo::testing
