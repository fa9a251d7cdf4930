#pragma once
// A temporary folder for settings and language files, removed with its
// contents at the end of the test.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace veilo::testing {

class ProfileTempDir {
 public:
  ProfileTempDir() {
    static std::atomic<unsigned> serial{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "veilo-shell-";
    if (info != nullptr) name += std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name) {
      if (c == '/' || c == '\\') c = '_';
    }
    path_ = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(serial++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ProfileTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ProfileTempDir(const ProfileTempDir&) = delete;
  ProfileTempDir& operator=(const ProfileTempDir&) = delete;

  std::string Path(std::string_view name) const { return (path_ / name).string(); }
  std::string Folder() const { return path_.string(); }

  void Write(std::string_view name, std::string_view bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  std::string Read(std::string_view name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Names in the folder, to check that no temporary file is left behind.
  size_t EntryCount() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                             std::filesystem::directory_iterator()));
  }

 private:
  std::filesystem::path path_;
};

}  // namespace veilo::testing
