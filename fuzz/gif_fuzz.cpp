// libFuzzer target: the GIF decoder on arbitrary bytes, straight from memory.
#include <cstddef>
#include <cstdint>

#include "formats/byte_reader.h"
#include "formats/gif_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  veilo::ByteReader input(data, size);
  (void)veilo::DecodeFirstGifImage(input);
  return 0;
}
