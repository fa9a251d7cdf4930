#pragma once
// The in-memory picture container: one block holding a bitmap header (40-byte
// info header or 12-byte core header), a colour table and the pixel rows,
// bottom row first, each row padded to a multiple of 4 bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

namespace veilo {

inline constexpr uint32_t kInfoHeaderSize = 40;
inline constexpr uint32_t kCoreHeaderSize = 12;
inline constexpr int32_t kDibPelsPerMeter = 39;
// Headers of this size and longer carry the bit-field masks themselves (at
// offset 40) instead of a mask table after the header.
inline constexpr uint32_t kMasksInHeaderSize = 52;
inline constexpr uint32_t kBiRgb = 0;
inline constexpr uint32_t kBiRle8 = 1;
inline constexpr uint32_t kBiBitFields = 3;

// Bytes per row of a 24-bit picture: 3 bytes per pixel, padded to 4.
constexpr size_t RowStride24(uint32_t width) { return (size_t{width} * 3 + 3) / 4 * 4; }

// An owning, fixed-size byte block. Allocation never throws: a failed
// allocation gives an empty block.
class PackedDib {
 public:
  PackedDib() = default;
  // A moved-from block is empty (size 0), never a size without bytes.
  PackedDib(PackedDib&& other) noexcept
      : bytes_(std::move(other.bytes_)), size_(std::exchange(other.size_, 0)) {}
  PackedDib& operator=(PackedDib&& other) noexcept {
    bytes_ = std::move(other.bytes_);
    size_ = std::exchange(other.size_, 0);
    return *this;
  }
  static PackedDib Allocate(size_t size);  // zero-filled; empty() on failure
  // A canonical 24-bit picture (40-byte header, resolutions 39, zeroed pixels);
  // empty() when the size overflows, exceeds MaxPictureBlockBytes() or memory runs out.
  static PackedDib Canonical24(uint32_t width, uint32_t height);

  bool empty() const { return size_ == 0; }
  explicit operator bool() const { return !empty(); }
  size_t size() const { return size_; }
  uint8_t* data() { return bytes_.get(); }
  const uint8_t* data() const { return bytes_.get(); }
  PackedDib Clone() const;  // empty() when memory runs out

 private:
  // calloc: large blocks come as fresh zero pages instead of being cleared
  // byte by byte, which matters for pictures of tens of megabytes.
  struct FreeBytes {
    void operator()(uint8_t* p) const { std::free(p); }
  };
  std::unique_ptr<uint8_t[], FreeBytes> bytes_;
  size_t size_ = 0;
};

// Header fields as the size rules read them. Width and height are the
// unsigned low 16 bits of the stored values. Fields that lie beyond a short
// header's end read as 0.
struct DibHeader {
  uint32_t headerSize = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  uint16_t bitCount = 0;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;
  bool IsCore() const { return headerSize == kCoreHeaderSize; }
  bool HasBitFields() const {
    return !IsCore() && compression == kBiBitFields && (bitCount == 16 || bitCount == 32);
  }
};

// Reads the header at the start of a block. The block must hold at least
// min(headerSize, 40) bytes, and at least 16 unless it is a core header.
DibHeader ReadDibHeader(const uint8_t* block);
// The header of a block that is large enough for everything the size rules
// count (header 12 or >= 16 bytes, colour table, all rows); nullopt otherwise.
std::optional<DibHeader> CheckedDibHeader(const uint8_t* block, size_t blockSize);

// Bytes between the header and the pixel rows: palette entries (3 bytes after
// a core header, 4 otherwise) and, for bit-field pictures whose header does
// not hold the masks, the three 32-bit masks in front of them. Saturates at
// SIZE_MAX, which no block can hold, instead of wrapping.
size_t DibColourTableSize(const DibHeader& h);
// Palette entries the colour table holds (0 for 16, 24 and 32 bits unless
// the colours-used field names some).
size_t DibPaletteEntries(const DibHeader& h);
size_t DibRowStride(uint16_t bitCount, uint32_t width);
// headerSize + colour table + height * stride; nullopt on overflow.
std::optional<size_t> DibTotalSize(const DibHeader& h);
// Offset of the first pixel row from the start of the block. Meaningful only
// for headers whose DibTotalSize exists.
size_t DibPixelOffset(const DibHeader& h);
inline uint8_t* DibPixelStart(uint8_t* block) { return block + DibPixelOffset(ReadDibHeader(block)); }
inline const uint8_t* DibPixelStart(const uint8_t* block) {
  return block + DibPixelOffset(ReadDibHeader(block));
}

// Red, green and blue masks of a 16- or 32-bit picture: the stored bit
// fields when the header asks for them, else 5-5-5 (16 bits) or 8-8-8.
struct BitFieldMasks {
  uint32_t red = 0, green = 0, blue = 0;
};
BitFieldMasks DibBitFieldMasks(const uint8_t* block, const DibHeader& h);

// True for the form documents hold: 40-byte header, 24 bits, uncompressed,
// no colour table.
bool IsCanonical24(const DibHeader& h);

// Writes the canonical 24-bit info header for width x height at `block`.
void WriteCanonical24Header(uint8_t* block, uint32_t width, uint32_t height);

}  // namespace veilo
