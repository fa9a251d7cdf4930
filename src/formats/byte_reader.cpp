#include "formats/byte_reader.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace veilo {

namespace {
constexpr size_t kChunkSize = 64 * 1024;
}

ByteReader::ByteReader(std::FILE* file) : file_(file), buffer_(new (std::nothrow) uint8_t[kChunkSize]) {}

ByteReader::ByteReader(const uint8_t* data, size_t size) : pos_(data), end_(data + size) {}

bool ByteReader::Refill() {
  if (!file_ || !buffer_) return false;
  const size_t n = std::fread(buffer_.get(), 1, kChunkSize, file_);
  if (n == 0) return false;
  pos_ = buffer_.get();
  end_ = pos_ + n;
  return true;
}

size_t ByteReader::Read(uint8_t* out, size_t n) {
  size_t done = 0;
  while (done < n) {
    if (pos_ == end_ && !Refill()) break;
    const size_t take = std::min(n - done, static_cast<size_t>(end_ - pos_));
    std::memcpy(out + done, pos_, take);
    pos_ += take;
    done += take;
  }
  return done;
}

bool ByteReader::Skip(size_t n) {
  while (n > 0) {
    if (pos_ == end_ && !Refill()) return false;
    const size_t take = std::min(n, static_cast<size_t>(end_ - pos_));
    pos_ += take;
    n -= take;
  }
  return true;
}

}  // namespace veilo
