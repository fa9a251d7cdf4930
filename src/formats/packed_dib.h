#pragma once
// The in-memory picture container: one block holding a bitmap header (40-byte
// info header or 12-byte core header), a colour table and the pixel rows,
// bottom row first, each row padded to a multiple of 4 bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace veilo {

inline constexpr uint32_t kInfoHeaderSize = 40;
inline constexpr uint32_t kCoreHeaderSize = 12;
inline constexpr int32_t kDibPelsPerMeter = 39;

// Bytes per row of a 24-bit picture: 3 bytes per pixel, padded to 4.
constexpr size_t RowStride24(uint32_t width) { return (size_t{width} * 3 + 3) / 4 * 4; }

// An owning, fixed-size byte block. Allocation never throws: a failed
// allocation gives an empty block.
class PackedDib {
 public:
  PackedDib() = default;
  static PackedDib Allocate(size_t size);  // zero-filled; empty() on failure
  // A canonical 24-bit picture (40-byte header, resolutions 39, zeroed pixels);
  // empty() when the size overflows or memory runs out.
  static PackedDib Canonical24(uint32_t width, uint32_t height);

  bool empty() const { return size_ == 0; }
  explicit operator bool() const { return !empty(); }
  size_t size() const { return size_; }
  uint8_t* data() { return bytes_.get(); }
  const uint8_t* data() const { return bytes_.get(); }
  PackedDib Clone() const;  // empty() when memory runs out

 private:
  std::unique_ptr<uint8_t[]> bytes_;
  size_t size_ = 0;
};

// Header fields as the size rules read them. Width and height are the
// unsigned low 16 bits of the stored values.
struct DibHeader {
  uint32_t headerSize = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  uint16_t bitCount = 0;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;
  bool IsCore() const { return headerSize == kCoreHeaderSize; }
};

// Reads the header at the start of a block (at least 12 bytes, and at least
// headerSize bytes up to 40 for an info header: the caller guarantees it).
DibHeader ReadDibHeader(const uint8_t* block);

size_t DibColourTableSize(const DibHeader& h);
size_t DibRowStride(uint16_t bitCount, uint32_t width);
// headerSize + colour table + height * stride; nullopt on overflow.
std::optional<size_t> DibTotalSize(const DibHeader& h);
// Offset of the first pixel row from the start of the block.
size_t DibPixelOffset(const DibHeader& h);
inline uint8_t* DibPixelStart(uint8_t* block) { return block + DibPixelOffset(ReadDibHeader(block)); }
inline const uint8_t* DibPixelStart(const uint8_t* block) {
  return block + DibPixelOffset(ReadDibHeader(block));
}

// Writes the canonical 24-bit info header for width x height at `block`.
void WriteCanonical24Header(uint8_t* block, uint32_t width, uint32_t height);

}  // namespace veilo
