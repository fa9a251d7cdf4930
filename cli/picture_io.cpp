#include "picture_io.h"

#include <cstdio>

#include "platform/file_io.h"

namespace veilo::cli {

bool LoadPicture(ShellNotifications& shell, const std::string& path, ImageDoc& doc, const LoadOptions& options) {
  if (!FileExists(path)) {
    // The BMP reader is silent about files it cannot open; say it here for all.
    std::fprintf(stderr, "veilo-cli: cannot open %s\n", path.c_str());
    return false;
  }
  doc.path = path;
  return LoadImageFile(shell, doc, options) == 0;
}

bool SavePicture(ShellNotifications& shell, const std::string& path, ImageDoc& doc, SaveOptions& options) {
  if (SaveImageFile(shell, path, doc, options) == 0) return true;
  std::fprintf(stderr, "veilo-cli: %s not written\n", path.c_str());
  return false;
}

}  // namespace veilo::cli
