#pragma once
// Reference pictures stored as binary PPM (P6, 8 bits), and their comparison
// with a loaded document.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "doc/image_doc.h"

namespace veilo::testing {

struct PpmPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgb;  // top row first, red, green, blue
};

std::optional<PpmPicture> ReadPpm(const std::string& path);

// Empty when every channel of every pixel differs by at most `tolerance`;
// otherwise a description of the first difference.
std::string CompareWithPpm(ImageDoc& doc, const PpmPicture& ref, int tolerance = 0);

// The whole file, or an empty vector.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

}  // namespace veilo::testing
