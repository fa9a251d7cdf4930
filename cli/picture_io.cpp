#include "picture_io.h"

#include <cstdio>

#include "formats/bmp_reader.h"
#include "formats/bmp_writer.h"
#include "platform/file_io.h"

namespace veilo::cli {

bool LoadPicture(ShellNotifications& shell, const std::string& path, ImageDoc& doc) {
  if (!FileExists(path)) {
    // The reader is silent about files it cannot open; say it here.
    std::fprintf(stderr, "veilo-cli: cannot open %s\n", path.c_str());
    return false;
  }
  doc.path = path;
  return ReadBmpFile(shell, doc) == 0;
}

bool SavePicture(ShellNotifications& shell, const std::string& path, ImageDoc& doc) {
  if (WriteBmpFile(shell, path, doc.dib) == 1) return true;
  std::fprintf(stderr, "veilo-cli: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace veilo::cli
