// libFuzzer target: the JPEG 2000 reader (JP2 files and J2K code streams,
// told apart by their signatures) on arbitrary file contents.
#include <cstddef>
#include <cstdint>

#include "doc/image_doc.h"
#include "formats/jp2_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = veilo::fuzz::WriteScratchFile(data, size);
  if (path.empty()) return 0;
  veilo::fuzz::SilentShell shell;
  veilo::ImageDoc doc;
  doc.path = path;
  (void)veilo::ReadJp2File(shell, doc);
  return 0;
}
