#pragma once
// LZW compressor for GIF image data. Codes go out least significant bit first
// in data sub-blocks of up to 255 bytes, each behind its size byte; the code
// table is found through an open-addressing hash of 5003 slots and is cleared
// (with a clear code) once all 4096 codes are in use.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace veilo {

class GifLzwEncoder {
 public:
  // Emits the clear code. Sub-blocks are appended to `out`; the caller may
  // drain it between calls.
  GifLzwEncoder(int minCodeSize, std::vector<uint8_t>& out);

  void Add(const uint8_t* indices, size_t count);
  // Emits the pending string and the end code, the last sub-block and the
  // zero-length block that ends the data.
  void Finish();

 private:
  static constexpr int kTableSize = 5003;
  static constexpr int kMaxCodes = 4096;

  void Output(int code);
  void PutByte(uint8_t b);
  void ClearTable();

  std::vector<uint8_t>& out_;
  const int initialCodeSize_;
  const int clearCode_;
  const int endCode_;
  int codeSize_ = 0;
  int largestCode_ = 0;
  int nextFree_ = 0;
  int prefix_ = 0;
  bool firstPixelPending_ = true;

  uint32_t accumulator_ = 0;
  int accumulatedBits_ = 0;
  std::array<uint8_t, 255> block_{};
  size_t blockLen_ = 0;

  std::array<int32_t, kTableSize> keys_{};
  std::array<uint16_t, kTableSize> codes_{};  // 0 = empty slot
};

}  // namespace veilo
