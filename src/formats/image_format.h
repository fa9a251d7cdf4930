#pragma once
// The picture formats the program reads (and, all but TIFF, writes).
#include <cstdint>

namespace veilo {

enum class ImageFormat : uint8_t { kBmp, kJpeg, kPng, kJpeg2000, kTiff, kGif };

}  // namespace veilo
