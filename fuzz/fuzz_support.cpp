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

// The fuzzers run under a memory limit of 2 GiB: headers that claim huge
// pictures are refused there instead of being allocated.
const bool kBudgetLimited = [] {
  LimitPictureBudget(uint64_t{1} << 30);
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
