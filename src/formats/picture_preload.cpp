#include "formats/picture_preload.h"

#include <algorithm>

#include "doc/picture_limits.h"
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

PreloadedPicture ReadPicture(const std::string& path, const LoadOptions& options, uint64_t budgetBytes) {
  PreloadedPicture picture;
  picture.path = path;
  picture.options = options;
  // Taken first: a file written while it is read has a newer stamp than this one.
  picture.stamp = FileStampOf(path);
  picture.doc = std::make_unique<ImageDoc>();
  picture.doc->path = path;
  KeptMessages messages(picture.errors);
  const ScopedThreadPictureBudget budget(budgetBytes);
  picture.status = LoadImageFile(messages, *picture.doc, options);
  return picture;
}

}  // namespace

PicturePreload::PicturePreload(std::function<void()> finished) : finished_(std::move(finished)) {}

PicturePreload::~PicturePreload() { Stop(); }

bool PicturePreload::KnowsLocked(const std::string& path) const {
  if (reading_ == path) return true;
  if (std::any_of(queued_.begin(), queued_.end(), [&](const Request& r) { return r.path == path; })) return true;
  return std::any_of(done_.begin(), done_.end(), [&](const PreloadedPicture& p) { return p.path == path; });
}

void PicturePreload::Start(const std::string& path, const LoadOptions& options, uint64_t budgetBytes) {
  std::lock_guard lock(mutex_);
  if (stopping_ || KnowsLocked(path)) return;
  queued_.push_back({path, options, budgetBytes});
  if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
  changed_.notify_all();
}

void PicturePreload::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !queued_.empty(); });
    if (stopping_) return;
    const Request request = std::move(queued_.front());
    queued_.pop_front();
    reading_ = request.path;
    lock.unlock();
    PreloadedPicture picture = ReadPicture(request.path, request.options, request.budgetBytes);
    lock.lock();
    reading_.reset();
    if (stopping_) return;  // what Stop drops is freed here, off the waiting thread's list
    done_.push_back(std::move(picture));
    changed_.notify_all();
    if (finished_) {
      lock.unlock();
      finished_();
      lock.lock();
    }
  }
}

std::optional<PreloadedPicture> PicturePreload::Take(const std::string& path) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] {
    return stopping_ || (reading_ != path && std::none_of(queued_.begin(), queued_.end(),
                                                          [&](const Request& r) { return r.path == path; }));
  });
  const auto found = std::find_if(done_.begin(), done_.end(), [&](const PreloadedPicture& p) { return p.path == path; });
  if (found == done_.end()) return std::nullopt;
  PreloadedPicture picture = std::move(*found);
  done_.erase(found);
  return picture;
}

std::vector<PreloadedPicture> PicturePreload::TakeFinished() {
  std::lock_guard lock(mutex_);
  std::vector<PreloadedPicture> finished = std::move(done_);
  done_.clear();
  return finished;
}

void PicturePreload::KeepOnly(const std::vector<std::string>& paths) {
  std::lock_guard lock(mutex_);
  std::erase_if(queued_, [&](const Request& r) { return std::find(paths.begin(), paths.end(), r.path) == paths.end(); });
  changed_.notify_all();
}

bool PicturePreload::IsPending(const std::string& path) const {
  std::lock_guard lock(mutex_);
  return reading_ == path ||
         std::any_of(queued_.begin(), queued_.end(), [&](const Request& r) { return r.path == path; });
}

bool PicturePreload::IsBeingRead(const std::string& path) const {
  std::lock_guard lock(mutex_);
  return reading_ == path;
}

bool PicturePreload::Idle() const {
  std::lock_guard lock(mutex_);
  return !reading_ && queued_.empty();
}

void PicturePreload::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    queued_.clear();
    changed_.notify_all();
  }
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  done_.clear();
}

}  // namespace veilo
