#include "gif_test_bytes.h"

#include <algorithm>

namespace veilo::testing {

std::vector<uint8_t> PackCodes(const std::vector<SizedCode>& codes) {
  std::vector<uint8_t> out;
  uint32_t acc = 0;
  int n = 0;
  for (const SizedCode& c : codes) {
    acc |= static_cast<uint32_t>(c.code) << n;
    n += c.bits;
    while (n >= 8) {
      out.push_back(static_cast<uint8_t>(acc));
      acc >>= 8;
      n -= 8;
    }
  }
  if (n > 0) out.push_back(static_cast<uint8_t>(acc));
  return out;
}

std::vector<uint8_t> PackCodes(std::initializer_list<SizedCode> codes) {
  return PackCodes(std::vector<SizedCode>(codes));
}

std::vector<uint8_t> SubBlocks(const std::vector<uint8_t>& data, size_t blockSize, bool terminate) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < data.size(); i += blockSize) {
    const size_t n = std::min(blockSize, data.size() - i);
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(i),
               data.begin() + static_cast<std::ptrdiff_t>(i + n));
  }
  if (terminate) out.push_back(0);
  return out;
}

namespace {

void Le16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

// Size field n of a table of 2 << n entries, and the padded table.
uint8_t AppendTable(std::vector<uint8_t>& out, const std::vector<uint8_t>& rgb) {
  size_t entries = rgb.size() / 3;
  uint8_t n = 0;
  while ((size_t{2} << n) < entries) ++n;
  out.insert(out.end(), rgb.begin(), rgb.end());
  out.insert(out.end(), ((size_t{2} << n) - entries) * 3, 0);
  return n;
}

}  // namespace

GifBuilder& GifBuilder::Header(uint16_t width, uint16_t height, const std::vector<uint8_t>& rgbTable) {
  bytes = {'G', 'I', 'F', '8', '9', 'a'};
  Le16(bytes, width);
  Le16(bytes, height);
  const size_t packedAt = bytes.size();
  bytes.insert(bytes.end(), {0, 0, 0});
  if (!rgbTable.empty()) bytes[packedAt] = static_cast<uint8_t>(0x80 | AppendTable(bytes, rgbTable));
  return *this;
}

GifBuilder& GifBuilder::GraphicControl(bool transparent, uint8_t index) {
  return Extension(0xF9, {static_cast<uint8_t>(transparent ? 1 : 0), 0, 0, index});
}

GifBuilder& GifBuilder::Extension(uint8_t label, const std::vector<uint8_t>& data) {
  bytes.insert(bytes.end(), {0x21, label});
  const std::vector<uint8_t> blocks = SubBlocks(data);
  bytes.insert(bytes.end(), blocks.begin(), blocks.end());
  return *this;
}

GifBuilder& GifBuilder::Image(uint16_t width, uint16_t height, uint8_t minCodeSize, bool interlaced,
                              const std::vector<uint8_t>& localRgbTable, uint16_t left, uint16_t top) {
  bytes.push_back(0x2C);
  Le16(bytes, left);
  Le16(bytes, top);
  Le16(bytes, width);
  Le16(bytes, height);
  const size_t packedAt = bytes.size();
  bytes.push_back(interlaced ? 0x40 : 0);
  if (!localRgbTable.empty()) bytes[packedAt] |= static_cast<uint8_t>(0x80 | AppendTable(bytes, localRgbTable));
  bytes.push_back(minCodeSize);
  return *this;
}

GifBuilder& GifBuilder::Raw(const std::vector<uint8_t>& data) {
  bytes.insert(bytes.end(), data.begin(), data.end());
  return *this;
}

GifBuilder& GifBuilder::Trailer() {
  bytes.push_back(0x3B);
  return *this;
}

}  // namespace veilo::testing
