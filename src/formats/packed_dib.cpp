#include "formats/packed_dib.h"

#include <cstring>
#include <new>

#include "formats/checked_math.h"
#include "formats/le_bytes.h"

namespace veilo {

PackedDib PackedDib::Allocate(size_t size) {
  PackedDib dib;
  if (size == 0) return dib;
  dib.bytes_.reset(new (std::nothrow) uint8_t[size]());
  if (dib.bytes_) dib.size_ = size;
  return dib;
}

PackedDib PackedDib::Canonical24(uint32_t width, uint32_t height) {
  auto total = CheckedMulAdd(RowStride24(width), height, kInfoHeaderSize);
  if (!total || *total > kMaxPictureBytes) return {};
  PackedDib dib = Allocate(*total);
  if (dib) WriteCanonical24Header(dib.data(), width, height);
  return dib;
}

PackedDib PackedDib::Clone() const {
  PackedDib copy = Allocate(size_);
  if (copy) std::memcpy(copy.data(), data(), size_);
  return copy;
}

DibHeader ReadDibHeader(const uint8_t* block) {
  DibHeader h;
  h.headerSize = GetLe32(block);
  if (h.headerSize == kCoreHeaderSize) {
    h.width = GetLe16(block + 4);
    h.height = GetLe16(block + 6);
    h.bitCount = GetLe16(block + 10);
    return h;
  }
  h.width = GetLe32(block + 4) & 0xFFFFu;
  h.height = GetLe32(block + 8) & 0xFFFFu;
  h.bitCount = GetLe16(block + 14);
  h.compression = GetLe32(block + 16);
  if (h.headerSize >= 36) h.coloursUsed = GetLe32(block + 32);
  return h;
}

size_t DibColourTableSize(const DibHeader& h) {
  if (h.IsCore()) return h.bitCount < 16 ? size_t{3} << h.bitCount : 0;
  if (h.bitCount == 16 && h.compression == 3) return 12;  // three 32-bit masks
  if (h.headerSize >= 36 && h.coloursUsed != 0) return size_t{4} * h.coloursUsed;
  return h.bitCount < 16 ? size_t{4} << h.bitCount : 0;
}

size_t DibRowStride(uint16_t bitCount, uint32_t width) {
  const size_t w = width;
  switch (bitCount) {
    case 1: return ((w + 7) / 8 + 3) / 4 * 4;
    case 4: return ((w + 1) / 2 + 3) / 4 * 4;
    case 8: return (w + 3) / 4 * 4;
    case 16: return (2 * w + 3) / 4 * 4;
    default: return (3 * w + 3) / 4 * 4;
  }
}

std::optional<size_t> DibTotalSize(const DibHeader& h) {
  auto head = CheckedAdd(h.headerSize, DibColourTableSize(h));
  if (!head) return std::nullopt;
  return CheckedMulAdd(DibRowStride(h.bitCount, h.width), h.height, *head);
}

size_t DibPixelOffset(const DibHeader& h) { return h.headerSize + DibColourTableSize(h); }

void WriteCanonical24Header(uint8_t* block, uint32_t width, uint32_t height) {
  std::memset(block, 0, kInfoHeaderSize);
  PutLe32(block + 0, kInfoHeaderSize);
  PutLe32(block + 4, width);
  PutLe32(block + 8, height);
  PutLe16(block + 12, 1);
  PutLe16(block + 14, 24);
  PutLe32(block + 20, static_cast<uint32_t>(RowStride24(width) * height));
  PutLe32(block + 24, kDibPelsPerMeter);
  PutLe32(block + 28, kDibPelsPerMeter);
}

}  // namespace veilo
