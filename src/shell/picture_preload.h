#pragma once
// The picture named first on the command line is read while the application
// is still starting (its windows, menus and toolbar), so that it appears as
// soon as both are done. The reading runs on a thread of its own; what the
// reader would have said is kept and said when the picture is taken.
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "doc/image_doc.h"
#include "formats/image_dispatch.h"

namespace veilo {

struct PreloadedPicture {
  std::unique_ptr<ImageDoc> doc;  // the picture, with its path set
  int status = 1;                 // LoadImageFile's answer: 0 loaded
  std::vector<std::string> errors;  // the reader's messages, in order
};

class PicturePreload {
 public:
  PicturePreload() = default;
  ~PicturePreload();
  PicturePreload(const PicturePreload&) = delete;
  PicturePreload& operator=(const PicturePreload&) = delete;

  // Starts reading `path` (one preload at a time; a second start is ignored).
  void Start(const std::string& path, const LoadOptions& options);
  // The result for exactly this path, waiting for the reading to end; nullopt
  // when nothing was started for it. A result is taken once.
  std::optional<PreloadedPicture> Take(const std::string& path);

 private:
  std::string path_;
  std::thread reader_;
  PreloadedPicture result_;
};

}  // namespace veilo
