// libFuzzer target: the JPEG reader on arbitrary file contents, outside the
// fast preview so that our CP code block in APP0 is parsed as well.
#include <cstddef>
#include <cstdint>

#include "doc/image_doc.h"
#include "formats/jpeg_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = veilo::fuzz::WriteScratchFile(data, size);
  if (path.empty()) return 0;
  veilo::fuzz::SilentShell shell;
  veilo::ImageDoc doc;
  doc.path = path;
  (void)veilo::ReadJpegFile(shell, doc, veilo::JpegReadOptions{});
  return 0;
}
