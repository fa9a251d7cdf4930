#pragma once
// Sequential byte input from a file (read in large chunks) or from memory,
// with cheap single-byte reads for the format decoders.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace veilo {

class ByteReader {
 public:
  // Reads from an open file; the file stays owned by the caller.
  explicit ByteReader(std::FILE* file);
  // Reads from bytes that outlive the reader.
  ByteReader(const uint8_t* data, size_t size);

  // The next byte, or -1 at the end of the input (or on a read error).
  int ReadByte() {
    if (pos_ == end_ && !Refill()) return -1;
    return *pos_++;
  }
  // Copies up to n bytes; returns how many were available.
  size_t Read(uint8_t* out, size_t n);
  // Skips n bytes; false when the input ends first.
  bool Skip(size_t n);

 private:
  bool Refill();

  std::FILE* file_ = nullptr;
  std::unique_ptr<uint8_t[]> buffer_;
  const uint8_t* pos_ = nullptr;
  const uint8_t* end_ = nullptr;
};

}  // namespace veilo
