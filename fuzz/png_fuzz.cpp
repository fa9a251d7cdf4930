// libFuzzer target: the PNG reader (progressive libpng read, gamma,
// background, text entries) on arbitrary file contents.
#include <cstddef>
#include <cstdint>

#include "doc/image_doc.h"
#include "formats/png_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = veilo::fuzz::WriteScratchFile(data, size);
  if (path.empty()) return 0;
  veilo::fuzz::SilentShell shell;
  veilo::ImageDoc doc;
  (void)veilo::ReadPngFile(shell, path, doc);
  return 0;
}
