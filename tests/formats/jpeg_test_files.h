#pragma once
// JPEG files for the reader tests that our writer cannot make (CMYK, YCCK),
// and a small marker parser for checking what the writer made.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace veilo::testing {

using Cmyk = std::array<uint8_t, 4>;

enum class FourComponentStorage { kCmyk, kYcck };

// A baseline JPEG of four components at full resolution, quality 100, from
// the given CMYK samples (stored as given; the library turns them into YCCK
// for kYcck). With adobeMarker the file carries Adobe's APP14 segment.
std::vector<uint8_t> EncodeFourComponentJpeg(int32_t width, int32_t height,
                                             const std::function<Cmyk(int32_t, int32_t)>& sample,
                                             FourComponentStorage storage, bool adobeMarker);

struct JpegComponent {
  int id = 0, h = 0, v = 0;
};

// What the markers of a file say, up to its end.
struct JpegLayout {
  int sofMarker = 0;  // 0xC0 baseline, 0xC1 extended, 0xC2 progressive ...; 0 if none
  int precision = 0;
  int width = 0, height = 0;
  std::vector<JpegComponent> components;
  int firstLuminanceQuant = 0;  // first entry of quantisation table 0
  int app0Length = 0;  // length field of the first APP0 segment; 0 if none
  int scans = 0;
  bool hasAdobe = false;
  std::vector<size_t> scanOffsets;  // offset of each SOS marker
  size_t eoiOffset = 0;
};
JpegLayout ParseJpegLayout(const std::vector<uint8_t>& file);

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace veilo::testing
