#include "doc/generated_names.h"

#include <cstdio>

namespace veilo {
namespace {

std::string Numbered(const char* prefix, uint32_t n) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%03u", prefix, static_cast<unsigned>(n));
  return text;
}

}  // namespace

std::string GeneratedNames::NextClipboardName() { return Numbered("CB", ++clipboardCount_); }
std::string GeneratedNames::NextNewImageName() { return Numbered("NewImage", ++newImageCount_); }
// Scanned pictures count from zero.
std::string GeneratedNames::NextScanName() { return Numbered("TWAIN", scanCount_++); }

}  // namespace veilo
