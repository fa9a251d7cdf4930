#include "formats/bmp_reader.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>

#include "doc/image_doc.h"
#include "doc/picture_limits.h"
#include "formats/file_messages.h"
#include "formats/read_progress.h"
#include "platform/checked_math.h"
#include "formats/dib_convert.h"
#include "platform/le_bytes.h"
#include "doc/packed_dib.h"
#include "formats/rle8.h"
#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kMaxSide = 0xFFFF;

std::optional<uint64_t> StreamLength(std::FILE* f) {
  if (std::fseek(f, 0, SEEK_END) != 0) return std::nullopt;
  const long length = std::ftell(f);
  if (length < 0) return std::nullopt;
  return static_cast<uint64_t>(length);
}

bool ReadAt(std::FILE* f, uint64_t offset, uint8_t* dst, size_t size) {
  if (std::fseek(f, static_cast<long>(offset), SEEK_SET) != 0) return false;
  return std::fread(dst, 1, size, f) == size;
}

// What the header promises, checked for sense before anything is allocated.
struct BmpLayout {
  DibHeader header;     // width and height already positive
  bool topDown = false;  // rows stored top row first (negative height)
  size_t tableEnd = 0;   // header size + colour table: where the rows start
  size_t total = 0;      // tableEnd + all rows by the size rules
  bool tooLarge = false;  // a sound header, but more than this build can hold
};

// Bytes per pixel of the block as read, held next to the 24-bit picture made
// from it; a 24-bit file is read straight into the document's block.
size_t BlockBytesPerPixel(uint16_t bitCount) { return bitCount == 24 ? 0 : (bitCount + 7u) / 8u; }

bool SupportedDepthAndCompression(const DibHeader& h) {
  switch (h.bitCount) {
    case 1: case 4: case 24: return h.compression == kBiRgb;
    case 8: return h.compression == kBiRgb || h.compression == kBiRle8;
    case 16: case 32: return h.compression == kBiRgb || h.compression == kBiBitFields;
    default: return false;  // 2 or 64 bits, or nonsense
  }
}

// `head` holds the first bytes after the file header (zero beyond what the
// file had); `available` is the number of bytes after the file header.
std::optional<BmpLayout> CheckLayout(const std::array<uint8_t, 64>& head, uint64_t available) {
  const uint32_t headerSize = GetLe32(head.data());
  if (headerSize < kCoreHeaderSize || (headerSize > kCoreHeaderSize && headerSize < 16)) return std::nullopt;
  if (headerSize > available) return std::nullopt;

  BmpLayout layout;
  std::array<uint8_t, 64> scratch = head;
  if (headerSize != kCoreHeaderSize) {
    // Refuse what the low 16 bits would silently turn into another picture.
    const int64_t width = static_cast<int32_t>(GetLe32(scratch.data() + 4));
    int64_t height = static_cast<int32_t>(GetLe32(scratch.data() + 8));
    if (height < 0) {
      layout.topDown = true;
      height = -height;
    }
    if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide) return std::nullopt;
    PutLe32(scratch.data() + 8, static_cast<uint32_t>(height));
  }
  const DibHeader h = ReadDibHeader(scratch.data());
  if (h.width == 0 || h.height == 0 || !SupportedDepthAndCompression(h)) return std::nullopt;
  if (layout.topDown && h.compression == kBiRle8) return std::nullopt;  // not allowed by the format

  const auto tableEnd = CheckedAdd(h.headerSize, DibColourTableSize(h));
  const auto total = DibTotalSize(h);
  if (!tableEnd || !total || *tableEnd > available) return std::nullopt;
  layout.header = h;
  // Both the block as read and the 24-bit picture made from it must fit.
  const auto picture24 = CheckedMulAdd(RowStride24(h.width), h.height, kInfoHeaderSize);
  if (!picture24 || *total > MaxPictureBlockBytes() || !CanHoldPicture(h.width, h.height, BlockBytesPerPixel(h.bitCount))) {
    layout.tooLarge = true;
    return layout;
  }

  layout.tableEnd = *tableEnd;
  layout.total = *total;
  return layout;
}

// Bytes a 16-bit bit-field picture may lack at the end of the file: writers
// that count the masks twice leave it that much short. The missing tail stays
// black.
size_t ShortfallAllowed(const DibHeader& h) {
  if (h.bitCount != 16 || !h.HasBitFields()) return 0;
  return DibRowStride(h.bitCount, h.width) + 12;
}

// Reads in a few dozen pieces so that a large file shows its progress.
bool ReadWithProgress(std::FILE* f, uint8_t* dst, size_t size, ReadProgress& progress) {
  constexpr size_t kPieces = 50;
  const size_t piece = std::max<size_t>(size / kPieces, 1 << 16);
  progress.Done(0, size);
  for (size_t done = 0; done < size;) {
    const size_t n = std::min(piece, size - done);
    if (std::fread(dst + done, 1, n, f) != n) return false;
    done += n;
    progress.Done(done, size);
  }
  return true;
}

PackedDib ReadUncompressed(std::FILE* f, const BmpLayout& layout, uint64_t available, ReadProgress& progress) {
  const size_t present = static_cast<size_t>(std::min<uint64_t>(layout.total, available));
  if (layout.total - present > ShortfallAllowed(layout.header)) return {};
  PackedDib block = PackedDib::Allocate(layout.total);
  if (!block || std::fseek(f, static_cast<long>(kFileHeaderSize), SEEK_SET) != 0 ||
      !ReadWithProgress(f, block.data(), present, progress))
    return {};
  return block;
}

PackedDib ReadRle8(std::FILE* f, const BmpLayout& layout, uint64_t available) {
  const uint64_t encodedSize = available - layout.tableEnd;
  if (encodedSize > MaxPictureBlockBytes()) return {};
  PackedDib block = PackedDib::Allocate(layout.total);
  PackedDib encoded = PackedDib::Allocate(static_cast<size_t>(encodedSize));
  if (!block || (encodedSize != 0 && !encoded)) return {};
  if (!ReadAt(f, kFileHeaderSize, block.data(), layout.tableEnd)) return {};
  if (encodedSize != 0 && std::fread(encoded.data(), 1, encoded.size(), f) != encoded.size()) return {};
  const size_t stride = DibRowStride(8, layout.header.width);
  DecodeRle8({encoded.data(), encoded.size()},
             {block.data() + layout.tableEnd, layout.total - layout.tableEnd}, stride);
  PutLe32(block.data() + 16, kBiRgb);
  return block;
}

void FlipRows(uint8_t* rows, size_t stride, uint32_t height) {
  for (uint32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(rows + top * stride, rows + (top + 1) * stride, rows + bottom * stride);
}

// The picture block exactly as the file stores it (RLE8 decoded, rows bottom
// up), or empty when the file is not a BMP this reader can take safely;
// `tooLarge` is then set when only its size stood in the way.
PackedDib ReadBmpBlock(std::FILE* f, std::array<uint8_t, 14>& fileHeader, std::optional<DibHeader>& tooLarge,
                       ReadProgress& progress) {
  if (std::fread(fileHeader.data(), 1, fileHeader.size(), f) != fileHeader.size()) return {};
  if (fileHeader[0] != 'B' || fileHeader[1] != 'M') return {};
  std::array<uint8_t, 64> head{};
  const size_t got = std::fread(head.data(), 1, head.size(), f);
  if (got < 4) return {};
  const auto length = StreamLength(f);
  if (!length || *length < kFileHeaderSize) return {};
  const uint64_t available = *length - kFileHeaderSize;

  const auto layout = CheckLayout(head, available);
  if (!layout) return {};
  const DibHeader& h = layout->header;
  if (layout->tooLarge) {
    tooLarge = h;
    return {};
  }
  PackedDib block = h.compression == kBiRle8 ? ReadRle8(f, *layout, available)
                                             : ReadUncompressed(f, *layout, available, progress);
  if (!block) return {};
  if (layout->topDown) {
    FlipRows(block.data() + layout->tableEnd, DibRowStride(h.bitCount, h.width), h.height);
    PutLe32(block.data() + 8, h.height);
  }
  if (h.headerSize == kInfoHeaderSize) {
    PutLe32(block.data() + 20, static_cast<uint32_t>(DibRowStride(h.bitCount, h.width) * h.height));
    PutLe32(block.data() + 24, kDibPelsPerMeter);
    PutLe32(block.data() + 28, kDibPelsPerMeter);
  }
  return block;
}

}  // namespace

int ReadBmpFile(ShellNotifications& shell, ImageDoc& doc) {
  FilePtr file = OpenFile(doc.path, "rb");
  if (!file) return 1;
  PackedDib block;
  std::optional<DibHeader> tooLarge;
  {
    WaitCursor wait(shell);
    ReadProgress progress(shell, "BMP");
    block = ReadBmpBlock(file.get(), doc.fileHeader, tooLarge, progress);
    file.reset();
  }
  if (!block) {
    SetDocPicture(doc, {});
    if (tooLarge)
      ReportPictureTooLarge(shell, tooLarge->width, tooLarge->height);
    else
      shell.ShowError(kReadErrorText);
    return 1;
  }
  SetDocPicture(doc, std::move(block));
  return ConvertDocTo24(shell, doc);
}

}  // namespace veilo
