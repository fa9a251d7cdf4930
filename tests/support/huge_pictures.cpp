#include "huge_pictures.h"

#include <zlib.h>

#include <cstdio>
#include <memory>

#include "platform/file_io.h"
#include "platform/le_bytes.h"

namespace veilo::testing {
namespace {

void PutBe32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 24);
  p[1] = static_cast<uint8_t>(v >> 16);
  p[2] = static_cast<uint8_t>(v >> 8);
  p[3] = static_cast<uint8_t>(v);
}

void AppendChunk(std::vector<uint8_t>& out, const char* type, const uint8_t* data, size_t size) {
  uint8_t length[4];
  PutBe32(length, static_cast<uint32_t>(size));
  out.insert(out.end(), length, length + 4);
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  if (size != 0) out.insert(out.end(), data, data + size);
  uint8_t crc[4];
  PutBe32(crc, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
  out.insert(out.end(), crc, crc + 4);
}

std::vector<uint8_t> PngStart(uint32_t width, uint32_t height, int colourType, bool interlaced) {
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  uint8_t ihdr[13] = {};
  PutBe32(ihdr, width);
  PutBe32(ihdr + 4, height);
  ihdr[8] = 8;
  ihdr[9] = static_cast<uint8_t>(colourType);
  ihdr[12] = interlaced ? 1 : 0;
  AppendChunk(out, "IHDR", ihdr, sizeof ihdr);
  return out;
}

bool WriteAll(std::FILE* f, const std::vector<uint8_t>& bytes) {
  return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
}

}  // namespace

std::vector<uint8_t> BmpHeaderClaiming(uint32_t width, uint32_t height) {
  std::vector<uint8_t> f(54 + 12, 0);
  f[0] = 'B';
  f[1] = 'M';
  PutLe32(f.data() + 10, 54);
  PutLe32(f.data() + 14, 40);
  PutLe32(f.data() + 18, width);
  PutLe32(f.data() + 22, height);
  PutLe16(f.data() + 26, 1);
  PutLe16(f.data() + 28, 24);
  return f;
}

std::vector<uint8_t> PngHeaderClaiming(uint32_t width, uint32_t height, bool alpha, bool interlaced) {
  std::vector<uint8_t> out = PngStart(width, height, alpha ? 6 : 2, interlaced);
  // A deflate stream of a filter byte and a few samples, never finished.
  const uint8_t raw[16] = {};
  uint8_t packed[64];
  uLongf packedSize = sizeof packed;
  compress(packed, &packedSize, raw, sizeof raw);
  AppendChunk(out, "IDAT", packed, packedSize);
  return out;
}

bool WriteSolidPng(const std::string& path, uint32_t width, uint32_t height, uint8_t red, uint8_t green,
                   uint8_t blue) {
  FilePtr file = OpenFile(path, "wb");
  if (!file || !WriteAll(file.get(), PngStart(width, height, 2, false))) return false;
  std::vector<uint8_t> row(1 + size_t{width} * 3);
  for (uint32_t x = 0; x < width; ++x) {
    row[1 + 3 * size_t{x}] = red;
    row[2 + 3 * size_t{x}] = green;
    row[3 + 3 * size_t{x}] = blue;
  }
  z_stream z{};
  if (deflateInit(&z, 1) != Z_OK) return false;
  std::vector<uint8_t> out(1 << 16);
  bool ok = true;
  // Each IDAT chunk takes what deflate produced for a batch of rows.
  auto flush = [&](int mode) {
    int status = Z_OK;
    do {
      z.next_out = out.data();
      z.avail_out = static_cast<uInt>(out.size());
      status = deflate(&z, mode);
      const size_t produced = out.size() - z.avail_out;
      if (produced != 0) {
        std::vector<uint8_t> chunk;
        AppendChunk(chunk, "IDAT", out.data(), produced);
        ok = ok && WriteAll(file.get(), chunk);
      }
    } while (z.avail_out == 0 || (mode == Z_FINISH && status != Z_STREAM_END && status >= 0));
  };
  for (uint32_t y = 0; y < height && ok; ++y) {
    z.next_in = row.data();
    z.avail_in = static_cast<uInt>(row.size());
    flush(Z_NO_FLUSH);
  }
  flush(Z_FINISH);
  deflateEnd(&z);
  std::vector<uint8_t> end;
  AppendChunk(end, "IEND", nullptr, 0);
  ok = ok && WriteAll(file.get(), end);
  return ok && std::fclose(file.release()) == 0;
}

}  // namespace veilo::testing
