#pragma once
// Pictures read on a thread of their own while the program goes on: the
// command line's first picture while the windows are made, and the
// neighbours of the picture on screen (read ahead). Each read keeps what the
// reader would have said, to be said, if at all, on the window system's
// thread when the picture is taken; progress texts are dropped.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "doc/image_doc.h"
#include "formats/image_dispatch.h"
#include "platform/file_io.h"

namespace veilo {

struct PreloadedPicture {
  std::string path;
  std::optional<FileStamp> stamp;  // the file's, taken just before it was read
  LoadOptions options;             // what it was read with
  std::unique_ptr<ImageDoc> doc;   // the picture, with its path set
  int status = 1;                  // LoadImageFile's answer: 0 loaded
  std::vector<std::string> errors;  // the reader's messages, in order
};

class PicturePreload {
 public:
  // `finished`, when set, is called on the reading thread after each picture;
  // it may only pass the word on (post a message), never touch a window.
  explicit PicturePreload(std::function<void()> finished = {});
  // Stop().
  ~PicturePreload();
  PicturePreload(const PicturePreload&) = delete;
  PicturePreload& operator=(const PicturePreload&) = delete;

  // Queues `path` behind the reads already asked for; a picture whose working
  // set is over `budgetBytes` is refused by its reader. Ignored when that path
  // is already queued, being read, or read and not taken, and after Stop.
  void Start(const std::string& path, const LoadOptions& options, uint64_t budgetBytes = UINT64_MAX);
  // The result for exactly this path, waiting for its read to end; nullopt
  // when nothing was started for it. A result is taken once.
  std::optional<PreloadedPicture> Take(const std::string& path);
  // Every read that has ended and was not taken, without waiting.
  std::vector<PreloadedPicture> TakeFinished();
  // Queued reads of any other path are dropped (the one being read ends as it will).
  void KeepOnly(const std::vector<std::string>& paths);
  // Whether `path` is queued or being read; being read right now.
  bool IsPending(const std::string& path) const;
  bool IsBeingRead(const std::string& path) const;
  // Nothing queued and nothing being read.
  bool Idle() const;
  // Drops the queued reads, waits for the one being read (a reader cannot be
  // interrupted, so this lasts at most one picture's read), drops every result
  // and ends the thread.
  void Stop();

 private:
  struct Request {
    std::string path;
    LoadOptions options;
    uint64_t budgetBytes;
  };
  void Run();
  bool KnowsLocked(const std::string& path) const;

  std::function<void()> finished_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Request> queued_;
  std::optional<std::string> reading_;
  std::vector<PreloadedPicture> done_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace veilo
