#include "ppm_reference.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "test_pictures.h"

namespace veilo::testing {

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<PpmPicture> ReadPpm(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  // Header: "P6" width height maxval, separated by single whitespace characters.
  std::string head(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(bytes.size(), 64)));
  std::istringstream fields(head);
  std::string magic;
  int32_t width = 0, height = 0, maxval = 0;
  if (!(fields >> magic >> width >> height >> maxval) || magic != "P6" || maxval != 255) return std::nullopt;
  const auto dataStart = static_cast<size_t>(fields.tellg()) + 1;
  const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
  if (bytes.size() != dataStart + size) return std::nullopt;
  PpmPicture ppm{width, height, std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(dataStart), bytes.end())};
  return ppm;
}

std::string CompareWithPpm(ImageDoc& doc, const PpmPicture& ref, int tolerance) {
  char buf[160];
  if (doc.width != ref.width || doc.height != ref.height) {
    std::snprintf(buf, sizeof buf, "size %dx%d, expected %dx%d", doc.width, doc.height, ref.width, ref.height);
    return buf;
  }
  for (int32_t y = 0; y < ref.height; ++y)
    for (int32_t x = 0; x < ref.width; ++x) {
      const Rgb got = PixelOf(doc, x, y);
      const uint8_t* want = &ref.rgb[(static_cast<size_t>(y) * static_cast<size_t>(ref.width) + static_cast<size_t>(x)) * 3];
      if (std::abs(got.r - want[0]) > tolerance || std::abs(got.g - want[1]) > tolerance ||
          std::abs(got.b - want[2]) > tolerance) {
        std::snprintf(buf, sizeof buf, "pixel (%d,%d): (%d,%d,%d), expected (%d,%d,%d)", x, y, got.r, got.g,
                      got.b, want[0], want[1], want[2]);
        return buf;
      }
    }
  return {};
}

}  // namespace veilo::testing
