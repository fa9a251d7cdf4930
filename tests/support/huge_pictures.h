#pragma once
// Files of pictures far larger than the test data: headers alone that claim
// a size (for refusals), and real pictures of one colour written in one
// streaming pass, so that a 20000 x 15000 file costs about a megabyte and a
// few seconds instead of the 900 MB its pixels take in memory.
#include <cstdint>
#include <string>
#include <vector>

namespace veilo::testing {

// A 24-bit BMP header claiming width x height, followed by a few pixel bytes.
std::vector<uint8_t> BmpHeaderClaiming(uint32_t width, uint32_t height);
// An 8-bit RGB (or, with `alpha`, RGBA) PNG whose IHDR claims width x height
// and whose image data holds only the first row's start.
std::vector<uint8_t> PngHeaderClaiming(uint32_t width, uint32_t height, bool alpha = false, bool interlaced = false);
// Writes an 8-bit RGB PNG of width x height in one colour. False on failure.
bool WriteSolidPng(const std::string& path, uint32_t width, uint32_t height, uint8_t red, uint8_t green,
                   uint8_t blue);

}  // namespace veilo::testing
