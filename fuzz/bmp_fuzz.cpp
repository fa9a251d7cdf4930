// libFuzzer target: the BMP reader on arbitrary file contents.
#include <cstddef>
#include <cstdint>

#include "doc/image_doc.h"
#include "formats/bmp_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = veilo::fuzz::WriteScratchFile(data, size);
  if (path.empty()) return 0;
  veilo::fuzz::SilentShell shell;
  veilo::ImageDoc doc;
  doc.path = path;
  (void)veilo::ReadBmpFile(shell, doc);
  return 0;
}
