#include "formats/gif_lzw_encoder.h"

namespace veilo {

GifLzwEncoder::GifLzwEncoder(int minCodeSize, std::vector<uint8_t>& out)
    : out_(out),
      initialCodeSize_(minCodeSize + 1),
      clearCode_(1 << minCodeSize),
      endCode_((1 << minCodeSize) + 1) {
  codeSize_ = initialCodeSize_;
  largestCode_ = (1 << codeSize_) - 1;
  nextFree_ = clearCode_ + 2;
  ClearTable();
  Output(clearCode_);
}

void GifLzwEncoder::ClearTable() { codes_.fill(0); }

void GifLzwEncoder::PutByte(uint8_t b) {
  block_[blockLen_++] = b;
  if (blockLen_ == block_.size()) {
    out_.push_back(static_cast<uint8_t>(blockLen_));
    out_.insert(out_.end(), block_.begin(), block_.end());
    blockLen_ = 0;
  }
}

void GifLzwEncoder::Output(int code) {
  accumulator_ |= static_cast<uint32_t>(code) << accumulatedBits_;
  accumulatedBits_ += codeSize_;
  while (accumulatedBits_ >= 8) {
    PutByte(static_cast<uint8_t>(accumulator_));
    accumulator_ >>= 8;
    accumulatedBits_ -= 8;
  }
  if (nextFree_ > largestCode_) {
    ++codeSize_;
    largestCode_ = codeSize_ == 12 ? kMaxCodes : (1 << codeSize_) - 1;
  }
}

void GifLzwEncoder::Add(const uint8_t* indices, size_t count) {
  size_t i = 0;
  if (count == 0) return;
  if (firstPixelPending_) {
    firstPixelPending_ = false;
    prefix_ = indices[i++];
  }
  for (; i < count; ++i) {
    const int c = indices[i];
    const int32_t key = c | (prefix_ << 8);
    int slot = prefix_ + (c << 4);
    if (slot > kTableSize - 1) slot -= kTableSize;
    if (codes_[static_cast<size_t>(slot)] != 0) {
      if (keys_[static_cast<size_t>(slot)] == key) {
        prefix_ = codes_[static_cast<size_t>(slot)];
        continue;
      }
      const int step = slot == 0 ? 1 : kTableSize - slot;
      bool found = false;
      for (;;) {
        slot -= step;
        if (slot < 0) slot += kTableSize;
        if (codes_[static_cast<size_t>(slot)] == 0) break;
        if (keys_[static_cast<size_t>(slot)] == key) {
          found = true;
          break;
        }
      }
      if (found) {
        prefix_ = codes_[static_cast<size_t>(slot)];
        continue;
      }
    }
    Output(prefix_);
    if (nextFree_ > kMaxCodes - 1) {
      ClearTable();
      nextFree_ = clearCode_ + 2;
      Output(clearCode_);
      codeSize_ = initialCodeSize_;
      largestCode_ = (1 << codeSize_) - 1;
    } else {
      codes_[static_cast<size_t>(slot)] = static_cast<uint16_t>(nextFree_++);
      keys_[static_cast<size_t>(slot)] = key;
    }
    prefix_ = c;
  }
}

void GifLzwEncoder::Finish() {
  if (!firstPixelPending_) Output(prefix_);
  Output(endCode_);
  if (accumulatedBits_ > 0) {
    PutByte(static_cast<uint8_t>(accumulator_));
    accumulator_ = 0;
    accumulatedBits_ = 0;
  }
  if (blockLen_ > 0) {
    out_.push_back(static_cast<uint8_t>(blockLen_));
    out_.insert(out_.end(), block_.begin(), block_.begin() + static_cast<std::ptrdiff_t>(blockLen_));
    blockLen_ = 0;
  }
  out_.push_back(0);
}

}  // namespace veilo
