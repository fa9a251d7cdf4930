#pragma once
// Names of documents that have no file: clipboard pastes, new images made by
// resize-and-paste and scanned pictures, each numbered by its own counter.
#include <cstdint>
#include <string>

namespace veilo {

class GeneratedNames {
 public:
  std::string NextClipboardName();  // CB001, CB002, ...
  std::string NextNewImageName();   // NewImage001, NewImage002, ...
  std::string NextScanName();       // TWAIN000, TWAIN001, ...

 private:
  uint32_t clipboardCount_ = 0;
  uint32_t newImageCount_ = 0;
  uint32_t scanCount_ = 0;
};

}  // namespace veilo
