#include "picture_io.h"

#include "platform/file_io.h"

namespace veilo::cli {

bool LoadPicture(CliShell& shell, const std::string& path, ImageDoc& doc, const LoadOptions& options) {
  if (!FileExists(path)) {
    // The BMP reader is silent about files it cannot open; say it here for all.
    shell.Say("cannot open " + path);
    return false;
  }
  doc.path = path;
  return LoadImageFile(shell, doc, options) == 0;
}

bool SavePicture(CliShell& shell, const std::string& path, ImageDoc& doc, SaveOptions& options) {
  if (SaveImageFile(shell, path, doc, options) == 0) return true;
  shell.Say(path + " not written");
  return false;
}

}  // namespace veilo::cli
