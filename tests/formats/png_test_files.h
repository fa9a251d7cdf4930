#pragma once
// PNG files for the reader and writer tests, made and inspected with libpng
// directly (its plain sequential interface, no transformations), so that the
// tests never judge our reader by itself.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ppm_reference.h"

namespace veilo::testing {

// An expected picture stored as a plain 8-bit RGB PNG (tests/data/png-ref).
std::optional<PpmPicture> ReadReferencePng(const std::string& path);

struct PngTextChunk {
  std::string key;
  std::string text;
  bool compressed = false;  // zTXt rather than tEXt
  friend bool operator==(const PngTextChunk&, const PngTextChunk&) = default;
};

// A PNG to encode. Samples are given unpacked, one value per channel per
// pixel (palette indices for palette pictures), top row first.
struct PngSpec {
  uint32_t width = 1, height = 1;
  int colourType = 2;  // 0 gray, 2 RGB, 3 palette, 4 gray+alpha, 6 RGBA
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<uint16_t> samples;
  std::vector<std::array<uint8_t, 3>> palette;
  std::vector<uint8_t> paletteAlpha;               // tRNS of a palette picture
  std::optional<std::array<uint16_t, 3>> transparentValue;  // tRNS of gray (first value) or RGB
  std::optional<std::array<uint16_t, 3>> background;        // bKGD: gray (first value), RGB, or index
  std::optional<double> gamma;
  std::vector<PngTextChunk> texts;  // written after the image data when textsAfterImage
  bool textsAfterImage = false;
};

std::vector<uint8_t> EncodePng(const PngSpec& spec);
// WriteFileBytes: declared here too; defined once, in jpeg_test_files.cpp.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// What a PNG file holds, as stored (samples unpacked but not expanded).
struct PngFacts {
  uint32_t width = 0, height = 0;
  int colourType = -1;
  int bitDepth = 0;
  bool interlaced = false;
  std::vector<std::array<uint8_t, 3>> palette;
  std::vector<uint8_t> paletteAlpha;
  std::optional<std::array<uint16_t, 3>> transparentValue;  // gray in [0] for gray pictures
  std::vector<PngTextChunk> texts;
  std::vector<uint16_t> samples;  // as in PngSpec
  int channels = 0;
  uint16_t Sample(uint32_t x, uint32_t y, int channel = 0) const {
    return samples[(size_t{y} * width + x) * static_cast<size_t>(channels) + static_cast<size_t>(channel)];
  }
};

std::optional<PngFacts> InspectPng(const std::string& path);

}  // namespace veilo::testing
