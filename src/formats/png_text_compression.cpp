#include "formats/png_text_compression.h"

#include <zlib.h>

#include <array>
#include <cstdint>

namespace veilo {
namespace {

// Owns the deflate stream so that every exit releases it.
struct DeflateStream {
  z_stream z{};
  bool open = false;
  ~DeflateStream() {
    if (open) deflateEnd(&z);
  }
};

}  // namespace

bool TextCompressionPays(std::string_view text) {
  if (text.empty()) return false;
  DeflateStream stream;
  if (deflateInit2(&stream.z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
  stream.open = true;

  // The output goes through one 8 KiB buffer; only its total length matters.
  std::array<Bytef, 8192> buffer;
  size_t compressed = 0;
  size_t remaining = text.size();
  const auto* next = reinterpret_cast<const Bytef*>(text.data());
  int status = Z_OK;
  do {
    const uInt chunk = remaining > 0x40000000u ? 0x40000000u : static_cast<uInt>(remaining);
    stream.z.next_in = const_cast<Bytef*>(next);
    stream.z.avail_in = chunk;
    const int flush = chunk == remaining ? Z_FINISH : Z_NO_FLUSH;
    do {
      stream.z.next_out = buffer.data();
      stream.z.avail_out = static_cast<uInt>(buffer.size());
      status = deflate(&stream.z, flush);
      if (status == Z_STREAM_ERROR) return false;
      compressed += buffer.size() - stream.z.avail_out;
      if (compressed >= text.size()) return false;  // it can no longer pay
    } while (stream.z.avail_out == 0);
    next += chunk - stream.z.avail_in;
    remaining -= chunk - stream.z.avail_in;
  } while (status != Z_STREAM_END && remaining > 0);
  return status == Z_STREAM_END && compressed < text.size();
}

}  // namespace veilo
