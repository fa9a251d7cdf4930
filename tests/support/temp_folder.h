#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.
#include <filesystem>
#include <string>
#include <vector>

namespace veilo::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // UTF-8 paths and names, whatever the system's code page.
  std::string Path(const std::string& name) const;
  // Names of the entries directly inside the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::filesystem::path root_;
};

}  // namespace veilo::testing
