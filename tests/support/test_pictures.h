#pragma once
// Small pictures built in memory for tests, and comparisons that print the
// first differing pixel.
#include <cstdint>
#include <functional>
#include <string>

#include "doc/image_doc.h"

namespace veilo::testing {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A document holding a width x height canonical 24-bit picture whose pixel
// (x, y) is colour(x, y).
ImageDoc MakeDoc(int32_t width, int32_t height, const std::function<Rgb(int32_t, int32_t)>& colour);
// A picture where every pixel differs from its neighbours (good for moves).
ImageDoc MakeNoiseDoc(int32_t width, int32_t height, uint32_t seed = 1);

Rgb PixelOf(ImageDoc& doc, int32_t x, int32_t y);
void SetPixel(ImageDoc& doc, int32_t x, int32_t y, Rgb c);
void SelectArea(ImageDoc& doc, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Empty when equal; otherwise a description of the first difference.
std::string DescribePixelDifference(ImageDoc& a, ImageDoc& b);

std::string TestDataPath(const std::string& name);    // tests/data/<name>
std::string SharedDataPath(const std::string& name);  // ../shared/testdata/<name>
std::string SourcePath(const std::string& name);      // <repository>/<name>: files the program ships

}  // namespace veilo::testing
