// libFuzzer target: the TIFF reader (libtiff's RGBA conversion of the first
// page) on arbitrary file contents.
#include <cstddef>
#include <cstdint>

#include "doc/image_doc.h"
#include "formats/tiff_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = veilo::fuzz::WriteScratchFile(data, size);
  if (path.empty()) return 0;
  veilo::fuzz::SilentShell shell;
  veilo::ImageDoc doc;
  doc.path = path;
  (void)veilo::ReadTiffFile(shell, doc);
  return 0;
}
