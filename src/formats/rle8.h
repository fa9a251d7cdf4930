#pragma once
// Decoder for 8-bit run-length encoded BMP pixel data.
#include <cstddef>
#include <cstdint>
#include <span>

namespace veilo {

// Decodes an RLE8 stream into 8-bit rows (bottom row first, `stride` bytes
// apart) that fill `pixels`. Writing starts at the first byte of the bottom
// row. Decoding stops at the end-of-picture code, at the end of `encoded` and
// at the end of `pixels`, whichever comes first; bytes never written keep
// their value (callers pass zeroed rows: palette entry 0).
void DecodeRle8(std::span<const uint8_t> encoded, std::span<uint8_t> pixels, size_t stride);

}  // namespace veilo
