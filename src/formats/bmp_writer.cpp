#include "formats/bmp_writer.h"

#include <algorithm>
#include <array>
#include <vector>

#include "formats/colour_index.h"
#include "formats/dib_convert.h"
#include "platform/le_bytes.h"
#include "platform/file_io.h"

namespace veilo {
namespace {

constexpr uint32_t kFileHeaderSize = 14;

std::array<uint8_t, kFileHeaderSize> FileHeader(size_t fileSize, size_t pixelOffset) {
  std::array<uint8_t, kFileHeaderSize> fh{};
  fh[0] = 'B';
  fh[1] = 'M';
  PutLe32(fh.data() + 2, static_cast<uint32_t>(fileSize));
  PutLe32(fh.data() + 10, static_cast<uint32_t>(pixelOffset));
  return fh;
}

bool WriteAsHeld(SafeFileWriter& out, const PackedDib& dib, const DibHeader& h) {
  const size_t total = *DibTotalSize(h);
  const auto fh = FileHeader(total + kFileHeaderSize, kFileHeaderSize + DibPixelOffset(h));
  return out.Write(fh.data(), fh.size()) && out.Write(dib.data(), total);
}

uint16_t IndexBits(size_t colourCount) {
  if (colourCount <= 2) return 1;
  if (colourCount <= 16) return 4;
  return 8;
}

bool WriteIndexed(SafeFileWriter& out, const PackedDib& dib, const DibHeader& h, const ColourIndex& colours) {
  const uint16_t bits = IndexBits(colours.size());
  const size_t entries = size_t{1} << bits;
  const size_t stride = DibRowStride(bits, h.width);
  const size_t tableEnd = kFileHeaderSize + kInfoHeaderSize + 4 * entries;

  const auto fh = FileHeader(tableEnd + stride * h.height, tableEnd);
  std::array<uint8_t, kInfoHeaderSize> info{};
  PutLe32(info.data() + 0, kInfoHeaderSize);
  PutLe32(info.data() + 4, h.width);
  PutLe32(info.data() + 8, h.height);
  PutLe16(info.data() + 12, 1);
  PutLe16(info.data() + 14, bits);
  PutLe32(info.data() + 20, static_cast<uint32_t>(stride * h.height));
  PutLe32(info.data() + 24, kDibPelsPerMeter);
  PutLe32(info.data() + 28, kDibPelsPerMeter);
  std::vector<uint8_t> table(4 * entries, 0);
  for (size_t i = 0; i < colours.size(); ++i) {
    const uint32_t rgb = colours.colours()[i];
    table[4 * i + 0] = static_cast<uint8_t>(rgb);
    table[4 * i + 1] = static_cast<uint8_t>(rgb >> 8);
    table[4 * i + 2] = static_cast<uint8_t>(rgb >> 16);
  }
  if (!out.Write(fh.data(), fh.size()) || !out.Write(info.data(), info.size()) ||
      !out.Write(table.data(), table.size()))
    return false;

  const size_t srcStride = RowStride24(h.width);
  const uint8_t* src = dib.data() + DibPixelOffset(h);
  std::vector<uint8_t> row(stride);
  for (uint32_t y = 0; y < h.height; ++y, src += srcStride) {
    std::fill(row.begin(), row.end(), uint8_t{0});
    for (uint32_t x = 0; x < h.width; ++x) {
      const uint8_t* p = src + 3 * size_t{x};
      const auto index = static_cast<uint8_t>(colours.Find(PackRgb(p[2], p[1], p[0])));
      switch (bits) {
        case 8: row[x] = index; break;
        case 4: row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index); break;
        default: row[x / 8] |= static_cast<uint8_t>(index << (7 - x % 8)); break;
      }
    }
    if (!out.Write(row.data(), row.size())) return false;
  }
  return true;
}

}  // namespace

int WriteBmpFile(ShellNotifications& shell, const std::string& utf8Path, const PackedDib& dib) {
  const auto header = CheckedDibHeader(dib.data(), dib.size());
  if (!header) return 0;
  if (header->bitCount != 24 || header->compression != kBiRgb) {
    const PackedDib picture = ConvertDibTo24(dib);
    return picture ? WriteBmpFile(shell, utf8Path, picture) : 0;
  }
  const DibHeader& h = *header;
  const ColourIndex colours =
      CollectColours(dib.data() + DibPixelOffset(h), h.width, h.height, RowStride24(h.width));

  SafeFileWriter out(utf8Path);
  if (!out.ok()) return 0;
  const bool written = colours.size() > 256 ? WriteAsHeld(out, dib, h) : WriteIndexed(out, dib, h, colours);
  return written && out.Commit() ? 1 : 0;
}

}  // namespace veilo
