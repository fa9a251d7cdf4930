#include "shell/picture_preload.h"

#include "platform/shell_notifications.h"

namespace veilo {

namespace {

// Keeps the reader's messages for the window system's thread; progress texts
// are of no use once the picture is ready and are dropped.
class KeptMessages : public ShellNotifications {
 public:
  explicit KeptMessages(std::vector<std::string>& errors) : errors_(errors) {}
  void ShowError(std::string_view text) override { errors_.emplace_back(text); }

 private:
  std::vector<std::string>& errors_;
};

}  // namespace

PicturePreload::~PicturePreload() {
  if (reader_.joinable()) reader_.join();
}

void PicturePreload::Start(const std::string& path, const LoadOptions& options) {
  if (reader_.joinable() || !path_.empty()) return;
  path_ = path;
  result_.doc = std::make_unique<ImageDoc>();
  result_.doc->path = path;
  reader_ = std::thread([this, options] {
    KeptMessages messages(result_.errors);
    result_.status = LoadImageFile(messages, *result_.doc, options);
  });
}

std::optional<PreloadedPicture> PicturePreload::Take(const std::string& path) {
  if (path_.empty() || path != path_) return std::nullopt;
  if (reader_.joinable()) reader_.join();
  path_.clear();
  return std::move(result_);
}

}  // namespace veilo
