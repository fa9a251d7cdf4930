#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "doc/picture_limits.h"

namespace veilo::fuzz {
namespace {

// Removes the scratch file when the fuzzer process ends normally.
struct ScratchFile {
  std::string path;
  ScratchFile() {
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec) dir = "/tmp";
    path = (dir / ("veilo-fuzz-" + std::to_string(getpid()) + ".bin")).string();
  }
  ~ScratchFile() { std::remove(path.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
};

// The fuzzers run under a memory limit of 2 GiB, which covers libFuzzer's
// corpus, the sanitizers' shadow and quarantine and the reader's own buffers
// besides the picture and its working copy: headers that claim more than fits
// a 256 MiB budget are refused instead of being allocated, so a legal but
// huge picture is never taken for a fault of the reader.
const bool kBudgetLimited = [] {
  LimitPictureBudget(uint64_t{256} << 20);
  return true;
}();

}  // namespace

const std::string& WriteScratchFile(const uint8_t* data, size_t size) {
  static ScratchFile scratch;
  static const std::string none;
  std::FILE* file = std::fopen(scratch.path.c_str(), "wb");
  if (file == nullptr) return none;
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) return none;
  return scratch.path;
}

}  // namespace veilo::fuzz
