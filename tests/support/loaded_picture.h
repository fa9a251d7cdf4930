#pragma once
// Runs a reader that takes (shell, doc with its path set) and keeps what it
// returned, the picture and the messages it showed.
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "recording_shell.h"

namespace veilo::testing {

struct Loaded {
  int result = 0;
  ImageDoc doc;
  std::vector<std::string> errors;
};

template <typename Reader>
Loaded LoadWith(Reader reader, const std::string& path) {
  Loaded loaded;
  RecordingShell shell;
  loaded.doc.path = path;
  loaded.result = reader(shell, loaded.doc);
  loaded.errors = shell.errors;
  return loaded;
}

}  // namespace veilo::testing
