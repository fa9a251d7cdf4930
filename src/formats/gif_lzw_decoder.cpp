#include "formats/gif_lzw_decoder.h"

#include <algorithm>

namespace veilo {

GifLzwDecoder::GifLzwDecoder(ByteReader& input, int minCodeSize)
    : input_(input),
      minCodeSize_(minCodeSize),
      clearCode_(1 << minCodeSize),
      endCode_((1 << minCodeSize) + 1) {
  codeSize_ = minCodeSize_ + 1;
  codeLimit_ = 2 * clearCode_;
  nextFree_ = clearCode_ + 2;
  for (int i = 0; i < clearCode_; ++i) length_[static_cast<size_t>(i)] = 1;
}

// The next code, least significant bit first across the data sub-blocks. The
// end code stands for the end of the sub-blocks; -1 for a read error.
int GifLzwDecoder::ReadCode() {
  while (bitCount_ < codeSize_) {
    if (blockPos_ < blockLen_) {
      // Take as many bytes as fit; they are used in the same order either way.
      do {
        bits_ |= uint64_t{block_[static_cast<size_t>(blockPos_++)]} << bitCount_;
        bitCount_ += 8;
      } while (blockPos_ < blockLen_ && bitCount_ <= 56);
      continue;
    }
    if (endOfData_) return endCode_;
    const int size = input_.ReadByte();
    if (size < 0) {
      readError_ = true;
      return -1;
    }
    if (size == 0) {
      endOfData_ = true;
      return endCode_;
    }
    if (input_.Read(block_.data(), static_cast<size_t>(size)) != static_cast<size_t>(size)) {
      readError_ = true;
      return -1;
    }
    blockPos_ = 0;
    blockLen_ = size;
  }
  const int code = static_cast<int>(bits_ & ((uint64_t{1} << codeSize_) - 1));
  bits_ >>= codeSize_;
  bitCount_ -= codeSize_;
  return code;
}

void GifLzwDecoder::SkipRemainingSubBlocks() {
  for (;;) {
    const int size = input_.ReadByte();
    if (size < 0 || !input_.Skip(static_cast<size_t>(size))) {
      readError_ = true;
      return;
    }
    if (size == 0) return;
  }
}

// After a clear code: reset the table and take the first code that is not
// another clear code. That code stands for itself; one above the clear code
// has no meaning there and becomes 0.
uint8_t GifLzwDecoder::RestartAfterClear() {
  codeSize_ = minCodeSize_ + 1;
  codeLimit_ = 2 * clearCode_;
  nextFree_ = clearCode_ + 2;
  stackTop_ = 0;
  int code;
  do {
    code = ReadCode();
    if (readError_) return 0;
  } while (code == clearCode_);
  if (code > clearCode_) code = 0;
  firstCode_ = oldCode_ = code;
  return static_cast<uint8_t>(code);
}

uint8_t GifLzwDecoder::DecodeCode(int code) {
  if (code == clearCode_) return RestartAfterClear();
  if (code == endCode_) {
    if (!endOfData_) {
      SkipRemainingSubBlocks();
      endOfData_ = true;
    }
    return 0;
  }
  int incoming = code;
  if (code >= nextFree_) {
    // Not yet in the table: the previous string plus its own first index.
    stack_[stackTop_++] = static_cast<uint8_t>(firstCode_);
    code = oldCode_;
    if (incoming > nextFree_) incoming = 0;
  }
  while (code >= clearCode_) {
    if (stackTop_ >= stack_.size()) {  // cannot happen with a sound table; stay bounded anyway
      readError_ = true;
      return 0;
    }
    stack_[stackTop_++] = suffix_[static_cast<size_t>(code)];
    code = prefix_[static_cast<size_t>(code)];
  }
  firstCode_ = code;
  AddEntry();
  oldCode_ = incoming;
  return static_cast<uint8_t>(firstCode_);
}

// New entry: the previous string followed by the first index of the current one.
void GifLzwDecoder::AddEntry() {
  if (nextFree_ >= kMaxCodes) return;
  const auto n = static_cast<size_t>(nextFree_);
  prefix_[n] = static_cast<uint16_t>(oldCode_);
  suffix_[n] = static_cast<uint8_t>(firstCode_);
  length_[n] = static_cast<uint16_t>(length_[static_cast<size_t>(oldCode_)] + 1);
  ++nextFree_;
  if (nextFree_ >= codeLimit_ && codeSize_ < 12) {
    ++codeSize_;
    codeLimit_ *= 2;
  }
}

// The same steps as DecodeCode for a code that is neither clear nor end, but
// writing the string front to back in place instead of through the stack.
size_t GifLzwDecoder::WriteString(int code, uint8_t* out, size_t room) {
  const bool repeat = code >= nextFree_;
  const int incoming = code > nextFree_ ? 0 : code;
  int c = repeat ? oldCode_ : code;
  const size_t length = size_t{length_[static_cast<size_t>(c)]} + (repeat ? 1 : 0);
  if (length > room || length == 0) return 0;
  uint8_t* p = out + length - 1;
  if (repeat) *p-- = static_cast<uint8_t>(firstCode_);
  while (c >= clearCode_ && p > out) {  // lengths match the chains; the bound only guards the buffer
    *p-- = suffix_[static_cast<size_t>(c)];
    c = prefix_[static_cast<size_t>(c)];
  }
  *p = static_cast<uint8_t>(c);
  firstCode_ = c;
  AddEntry();
  oldCode_ = incoming;
  return length;
}

bool GifLzwDecoder::Decode(uint8_t* out, size_t count) {
  if (readError_) return false;
  size_t i = 0;
  while (i < count) {
    if (stackTop_ > 0) {
      const size_t n = std::min(stackTop_, count - i);
      for (size_t k = 0; k < n; ++k) out[i + k] = stack_[stackTop_ - 1 - k];
      stackTop_ -= n;
      i += n;
      continue;
    }
    if (OnlyZerosLeft()) {
      // A short data stream may promise a huge image: fill the rest at once
      // instead of one end code per pixel.
      std::fill(out + i, out + count, uint8_t{0});
      return true;
    }
    int code;
    if (firstCodePending_) {
      firstCodePending_ = false;
      code = clearCode_;
    } else {
      code = ReadCode();
      if (readError_) return false;
    }
    if (code != clearCode_ && code != endCode_) {
      const size_t n = WriteString(code, out + i, count - i);
      if (n > 0) {
        i += n;
        continue;
      }
    }
    out[i++] = DecodeCode(code);
    if (readError_) return false;
  }
  return true;
}

}  // namespace veilo
