#include "formats/dib_convert.h"

#include <cstring>

#include "doc/image_doc.h"
#include "platform/le_bytes.h"

namespace veilo {
namespace {

struct Palette {
  const uint8_t* entries = nullptr;
  size_t count = 0;
  size_t entryBytes = 4;  // blue, green, red (, reserved)

  void Put(size_t index, uint8_t* bgr) const {
    if (index >= count) {  // index beyond the table: black, never a read past it
      bgr[0] = bgr[1] = bgr[2] = 0;
      return;
    }
    std::memcpy(bgr, entries + index * entryBytes, 3);
  }
};

// One channel scaled to 0..255: (value AND mask) * 255 / mask, truncated.
struct ChannelScale {
  uint32_t mask = 0;
  uint8_t Apply(uint32_t word) const {
    if (mask == 0) return 0;
    return static_cast<uint8_t>(uint64_t{word & mask} * 255 / mask);
  }
};

void ConvertRow(const DibHeader& h, const Palette& pal, const ChannelScale (&rgb)[3], const uint8_t* src,
                uint8_t* dst) {
  const uint32_t w = h.width;
  switch (h.bitCount) {
    case 1:
      for (uint32_t x = 0; x < w; ++x) pal.Put((src[x / 8] >> (7 - x % 8)) & 1, dst + 3 * size_t{x});
      break;
    case 4:
      for (uint32_t x = 0; x < w; ++x) {
        const uint8_t byte = src[x / 2];
        pal.Put(x % 2 == 0 ? byte >> 4 : byte & 0x0F, dst + 3 * size_t{x});
      }
      break;
    case 8:
      for (uint32_t x = 0; x < w; ++x) pal.Put(src[x], dst + 3 * size_t{x});
      break;
    case 16:
    case 32:
      for (uint32_t x = 0; x < w; ++x) {
        const uint32_t word = h.bitCount == 16 ? GetLe16(src + 2 * size_t{x}) : GetLe32(src + 4 * size_t{x});
        uint8_t* p = dst + 3 * size_t{x};
        p[0] = rgb[2].Apply(word);
        p[1] = rgb[1].Apply(word);
        p[2] = rgb[0].Apply(word);
      }
      break;
    default:  // 24
      std::memcpy(dst, src, 3 * size_t{w});
      break;
  }
}

bool IsConvertible(const DibHeader& h) {
  switch (h.bitCount) {
    case 1: case 4: case 8: case 24: return h.compression == kBiRgb || h.IsCore();
    case 16: case 32: return h.compression == kBiRgb || h.compression == kBiBitFields || h.IsCore();
    default: return false;
  }
}

}  // namespace

PackedDib ConvertDibTo24(const PackedDib& dib) {
  const auto header = CheckedDibHeader(dib.data(), dib.size());
  if (!header || !IsConvertible(*header)) return {};
  const DibHeader& h = *header;
  PackedDib out = PackedDib::Canonical24(h.width, h.height);
  if (!out) return out;

  const uint8_t* block = dib.data();
  Palette pal;
  pal.entryBytes = h.IsCore() ? 3 : 4;
  pal.entries = block + h.headerSize;
  pal.count = h.bitCount <= 8 ? DibPaletteEntries(h) : 0;
  const BitFieldMasks masks = DibBitFieldMasks(block, h);
  const ChannelScale rgb[3] = {{masks.red}, {masks.green}, {masks.blue}};

  const size_t srcStride = DibRowStride(h.bitCount, h.width);
  const size_t dstStride = RowStride24(h.width);
  const uint8_t* src = block + DibPixelOffset(h);
  uint8_t* dst = out.data() + kInfoHeaderSize;
  for (uint32_t row = 0; row < h.height; ++row, src += srcStride, dst += dstStride)
    ConvertRow(h, pal, rgb, src, dst);
  return out;
}

PackedDib ConvertDibTo24(PackedDib&& dib) {
  PackedDib source = std::move(dib);
  const auto header = CheckedDibHeader(source.data(), source.size());
  if (header && IsCanonical24(*header)) return source;
  return ConvertDibTo24(static_cast<const PackedDib&>(source));
}

int ConvertDocTo24(ShellNotifications& /*shell*/, ImageDoc& doc) {
  PackedDib converted = ConvertDibTo24(std::move(doc.dib));
  const bool ok = !converted.empty();
  SetDocPicture(doc, std::move(converted));
  return ok ? 0 : 1;
}

}  // namespace veilo
