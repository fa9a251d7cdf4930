#pragma once
// Decoder for the LZW-compressed pixel data of one GIF image: the data
// sub-blocks that follow the minimum code size byte.
//
// Crafted data cannot make it misbehave: a code above the next free code
// continues the previous string, prefix chains only ever point to lower
// codes, and the output stack is bounded, so every code costs at most 4096
// steps and the input is consumed on every read.
#include <array>
#include <cstddef>
#include <cstdint>

#include "formats/byte_reader.h"

namespace veilo {

class GifLzwDecoder {
 public:
  static constexpr int kMinCodeSizeLow = 2;
  static constexpr int kMinCodeSizeHigh = 11;
  static constexpr int kMaxCodes = 4096;

  // minCodeSize must lie in kMinCodeSizeLow..kMinCodeSizeHigh.
  GifLzwDecoder(ByteReader& input, int minCodeSize);

  // Decodes the next `count` colour indices into out. Indices wider than a
  // byte keep their low 8 bits. After the end code (or the end of the data
  // sub-blocks) every further index is 0. Returns false once a read error has
  // occurred (input ended inside the data); out is then incomplete.
  bool Decode(uint8_t* out, size_t count);

  bool readError() const { return readError_; }
  bool endOfData() const { return endOfData_; }
  // True once every further index can only be 0: the data sub-blocks have
  // ended and no buffered bit or pending output is left.
  bool OnlyZerosLeft() const {
    return endOfData_ && stackTop_ == 0 && blockPos_ >= blockLen_ && bitCount_ < codeSize_;
  }

 private:
  int ReadCode();
  uint8_t DecodeCode(int code);
  // Writes the whole string of a table code straight to out when it fits;
  // returns its length, or 0 when it does not fit (nothing written).
  size_t WriteString(int code, uint8_t* out, size_t room);
  void AddEntry();
  uint8_t RestartAfterClear();
  void SkipRemainingSubBlocks();

  ByteReader& input_;
  const int minCodeSize_;
  const int clearCode_;
  const int endCode_;
  int codeSize_ = 0;
  int codeLimit_ = 0;  // code size grows when nextFree_ reaches it
  int nextFree_ = 0;
  int firstCode_ = 0;
  int oldCode_ = 0;
  bool firstCodePending_ = true;
  bool endOfData_ = false;
  bool readError_ = false;

  // Bit reader: bits not yet used, least significant first.
  uint64_t bits_ = 0;
  int bitCount_ = 0;
  std::array<uint8_t, 255> block_{};
  int blockPos_ = 0;
  int blockLen_ = 0;

  size_t stackTop_ = 0;
  std::array<uint16_t, kMaxCodes> prefix_{};
  std::array<uint8_t, kMaxCodes> suffix_{};
  std::array<uint16_t, kMaxCodes> length_{};  // string length of each code
  std::array<uint8_t, kMaxCodes> stack_{};
};

}  // namespace veilo
