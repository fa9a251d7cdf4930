#include "platform/file_io.h"

#include <atomic>
#include <chrono>

namespace veilo {

std::optional<std::vector<uint8_t>> ReadWholeFile(std::string_view path, uint64_t maxBytes) {
  FilePtr f = OpenFile(path, "rb");
  if (!f) return std::nullopt;
  std::vector<uint8_t> data;
  uint8_t chunk[64 * 1024];
  for (;;) {
    const size_t n = std::fread(chunk, 1, sizeof chunk, f.get());
    if (n == 0) break;
    if (data.size() + n > maxBytes) return std::nullopt;
    data.insert(data.end(), chunk, chunk + n);
  }
  if (std::ferror(f.get())) return std::nullopt;
  return data;
}

namespace {

std::string TempNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  const auto stamp = static_cast<unsigned long long>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  return target + ".veilo-tmp-" + std::to_string(stamp % 1000000007ULL) + "-" +
         std::to_string(counter++);
}

}  // namespace

SafeFileWriter::SafeFileWriter(std::string targetPath) : target_(std::move(targetPath)) {
  temp_ = TempNameFor(target_);
  file_ = OpenFile(temp_, "wb");
}

SafeFileWriter::~SafeFileWriter() {
  if (committed_) return;
  file_.reset();
  RemoveFile(temp_);
}

bool SafeFileWriter::Write(const void* data, size_t size) {
  if (!ok()) return false;
  if (size != 0 && std::fwrite(data, 1, size, file_.get()) != size) failed_ = true;
  return !failed_;
}

bool SafeFileWriter::Commit() {
  if (!ok()) return false;
  const bool flushed = std::fflush(file_.get()) == 0 && !std::ferror(file_.get());
  const bool closed = std::fclose(file_.release()) == 0;
  if (!flushed || !closed || !ReplaceFile(temp_, target_)) {
    failed_ = true;
    return false;
  }
  committed_ = true;
  return true;
}

}  // namespace veilo
