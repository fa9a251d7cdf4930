#pragma once
// Hand-made GIF streams for tests: LZW codes packed at chosen code sizes,
// data sub-blocks of chosen lengths, and whole files around them.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace veilo::testing {

struct SizedCode {
  int code;
  int bits;
};

// Codes packed least significant bit first, the last byte zero-padded.
std::vector<uint8_t> PackCodes(std::initializer_list<SizedCode> codes);
std::vector<uint8_t> PackCodes(const std::vector<SizedCode>& codes);

// Data split into sub-blocks of at most blockSize bytes, each behind its
// size byte, optionally followed by the zero-length terminator.
std::vector<uint8_t> SubBlocks(const std::vector<uint8_t>& data, size_t blockSize = 255, bool terminate = true);

struct GifBuilder {
  std::vector<uint8_t> bytes;

  // "GIF89a", logical screen and a global colour table of the given
  // red, green, blue triples (none when empty; padded to a power of two).
  GifBuilder& Header(uint16_t width, uint16_t height, const std::vector<uint8_t>& rgbTable);
  GifBuilder& GraphicControl(bool transparent, uint8_t index);
  GifBuilder& Extension(uint8_t label, const std::vector<uint8_t>& data);
  // Image descriptor (with a local colour table when given) and the minimum
  // code size byte, but no data.
  GifBuilder& Image(uint16_t width, uint16_t height, uint8_t minCodeSize, bool interlaced = false,
                    const std::vector<uint8_t>& localRgbTable = {}, uint16_t left = 0, uint16_t top = 0);
  GifBuilder& Raw(const std::vector<uint8_t>& data);
  GifBuilder& Trailer();
};

}  // namespace veilo::testing
