#include "doc/packed_dib.h"

#include <cstring>
#include <limits>
#include <new>

#include "doc/picture_limits.h"
#include "platform/checked_math.h"
#include "platform/le_bytes.h"

namespace veilo {

PackedDib PackedDib::Allocate(size_t size) {
  PackedDib dib;
  if (size == 0) return dib;
  dib.bytes_.reset(static_cast<uint8_t*>(std::calloc(size, 1)));
  if (dib.bytes_) dib.size_ = size;
  return dib;
}

PackedDib PackedDib::Canonical24(uint32_t width, uint32_t height) {
  auto total = CheckedMulAdd(RowStride24(width), height, kInfoHeaderSize);
  if (!total || *total > MaxPictureBlockBytes()) return {};
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
  // A 16-byte header ends before these fields: they count as zero.
  if (h.headerSize >= 20) h.compression = GetLe32(block + 16);
  if (h.headerSize >= 36) h.coloursUsed = GetLe32(block + 32);
  return h;
}

std::optional<DibHeader> CheckedDibHeader(const uint8_t* block, size_t blockSize) {
  if (block == nullptr || blockSize < kCoreHeaderSize) return std::nullopt;
  const uint32_t headerSize = GetLe32(block);
  if (headerSize < kCoreHeaderSize || (headerSize > kCoreHeaderSize && headerSize < 16)) return std::nullopt;
  if (headerSize > blockSize) return std::nullopt;
  const DibHeader h = ReadDibHeader(block);
  const auto total = DibTotalSize(h);
  if (!total || *total > blockSize) return std::nullopt;
  return h;
}

size_t DibPaletteEntries(const DibHeader& h) {
  if (h.IsCore()) return h.bitCount < 16 ? size_t{1} << h.bitCount : 0;
  if (h.headerSize >= 36 && h.coloursUsed != 0) return h.coloursUsed;
  return h.bitCount < 16 ? size_t{1} << h.bitCount : 0;
}

size_t DibColourTableSize(const DibHeader& h) {
  const size_t entryBytes = h.IsCore() ? 3 : 4;
  const auto palette = CheckedMul(DibPaletteEntries(h), entryBytes);
  if (!palette) return std::numeric_limits<size_t>::max();
  // Masks in front of the palette, unless a long header already holds them.
  const size_t masks = h.HasBitFields() && h.headerSize < kMasksInHeaderSize ? 12 : 0;
  return CheckedAdd(*palette, masks).value_or(std::numeric_limits<size_t>::max());
}

size_t DibRowStride(uint16_t bitCount, uint32_t width) {
  const size_t w = width;
  switch (bitCount) {
    case 1: return ((w + 7) / 8 + 3) / 4 * 4;
    case 4: return ((w + 1) / 2 + 3) / 4 * 4;
    case 8: return (w + 3) / 4 * 4;
    case 16: return (2 * w + 3) / 4 * 4;
    case 32: return 4 * w;
    default: return (3 * w + 3) / 4 * 4;
  }
}

std::optional<size_t> DibTotalSize(const DibHeader& h) {
  auto head = CheckedAdd(h.headerSize, DibColourTableSize(h));
  if (!head) return std::nullopt;
  return CheckedMulAdd(DibRowStride(h.bitCount, h.width), h.height, *head);
}

size_t DibPixelOffset(const DibHeader& h) { return h.headerSize + DibColourTableSize(h); }

BitFieldMasks DibBitFieldMasks(const uint8_t* block, const DibHeader& h) {
  if (h.HasBitFields()) {
    const uint8_t* masks = block + (h.headerSize >= kMasksInHeaderSize ? 40 : h.headerSize);
    return {GetLe32(masks), GetLe32(masks + 4), GetLe32(masks + 8)};
  }
  if (h.bitCount == 16) return {0x7C00, 0x03E0, 0x001F};
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

bool IsCanonical24(const DibHeader& h) {
  return h.headerSize == kInfoHeaderSize && h.bitCount == 24 && h.compression == kBiRgb &&
         DibColourTableSize(h) == 0;
}

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
