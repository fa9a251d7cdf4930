#include "temp_folder.h"

#include <algorithm>
#include <atomic>
#include <chrono>

namespace veilo::testing {

namespace {

std::filesystem::path FromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string ToUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  root_ = std::filesystem::temp_directory_path() /
          ("veilo-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(root_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::string TempFolder::Path(const std::string& name) const { return ToUtf8(root_ / FromUtf8(name)); }

std::vector<std::string> TempFolder::Entries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(root_))
    names.push_back(ToUtf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace veilo::testing
