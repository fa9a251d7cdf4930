#pragma once
// Reading the neighbours of the picture on screen before they are asked for,
// so that stepping to one shows it at once: the next picture of the folder in
// the direction of travel (Space, Shift+Space) or the slide show's next slide,
// and the one just left, for a change of direction. This holds what was read
// and decides what to read next; the reading is PicturePreload's.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "doc/image_doc.h"
#include "formats/folder_list.h"
#include "formats/image_dispatch.h"
#include "formats/picture_preload.h"
#include "platform/file_io.h"
#include "tools/slide_list.h"

namespace veilo {

// At most this many pictures are held besides the one on screen...
inline constexpr size_t kReadAheadPictures = 2;
// ...and together they take at most this share of the memory available.
inline constexpr uint64_t kReadAheadMemoryPercent = 25;

// The pictures worth holding while one is on screen: the one most likely
// asked for next, then the one behind it.
struct ReadAheadPlan {
  std::optional<std::string> ahead, behind;
  // Ahead first; each path once.
  std::vector<std::string> Paths() const;
};

// In a folder: ahead is the neighbour in the direction of travel.
ReadAheadPlan PlanFolderReadAhead(const FolderNeighbours& neighbours, bool backwards);
// In the slide show's list, which wraps round at both ends.
ReadAheadPlan PlanSlideReadAhead(const SlideList& list, size_t shown, bool backwards);
// Whether the show went backwards to `shown` from `previous` (negative: none
// shown yet) in a list of `count`: back by one (Left, Up, '-') is the only
// way it does, and with two slides or fewer both ways lead to the same one.
bool SlideWentBack(size_t count, int64_t previous, size_t shown);

// What the held pictures may take together with `availableBytes` free.
uint64_t ReadAheadBudgetBytes(uint64_t availableBytes);
// Whether to read ahead around a picture of this size: its neighbours are
// taken to be like it, and one of them must fit the budget with its working
// set (PictureWorkingBytes). A picture too big for that gets nothing read ahead.
bool WorthReadingAhead(uint32_t width, uint32_t height, uint64_t budgetBytes);

// Whether a read may stand in for reading the file now: it loaded without a
// word from the reader (a failed, doubtful or mismatched read is done again
// by the caller, who then hears the reader itself), with the same options,
// and the file is still the one that was read (`now` is its stamp now).
bool ReadStillServes(const PreloadedPicture& read, const LoadOptions& options, const std::optional<FileStamp>& now);

// The pictures read ahead, for one window; used on its thread only.
class ReadAheadCache {
 public:
  // The plan for the picture now on screen, with the budget of the moment:
  // held pictures it no longer names are let go. The plan's paths not held,
  // in its order: what to read.
  std::vector<std::string> Replan(const ReadAheadPlan& plan, uint64_t budgetBytes);
  // A finished read, kept when the plan still names it, it loaded, and it fits
  // (count and bytes) with what is held. True when kept.
  bool Offer(PreloadedPicture read);
  // Lets go of the held reads that no longer serve (ReadStillServes with the
  // file's stamp now, as `stampOf` tells it), so that they are read again.
  void DropUnserving(const LoadOptions& options,
                     const std::function<std::optional<FileStamp>(const std::string&)>& stampOf);
  // The held read of `path`, leaving the cache; nullopt when none.
  std::optional<PreloadedPicture> Take(const std::string& path);
  bool Holds(const std::string& path) const;
  const std::vector<std::string>& Wanted() const { return wanted_; }
  size_t HeldCount() const { return held_.size(); }
  uint64_t HeldBytes() const;
  void Clear();

 private:
  std::vector<std::string> wanted_;
  uint64_t budget_ = 0;
  std::vector<PreloadedPicture> held_;
};

// The cache and its reading thread together, as a window uses them (on its
// own thread, but for `finished`, which runs on the reading thread).
class ReadAhead {
 public:
  explicit ReadAhead(std::function<void()> finished) : reader_(std::move(finished)) {}

  // The picture of `path` if it was read ahead and still serves; nullptr
  // when the caller must read it. A read of it under way is waited for; one
  // only queued is dropped.
  std::unique_ptr<ImageDoc> Take(const std::string& path, const LoadOptions& options);
  // After a picture of width x height is shown: holds and reads what `plan`
  // names, within the budget that `availableBytes` gives (a neighbour whose
  // working set alone is over it is not read).
  void Follow(const ReadAheadPlan& plan, const LoadOptions& options, uint32_t width, uint32_t height,
              uint64_t availableBytes);
  // Moves the finished reads into the cache (on the word `finished` passed on).
  void Collect();
  // Reads nothing more and lets everything go; waits for a read under way.
  void Stop();

  bool Holds(const std::string& path) const { return cache_.Holds(path); }
  // Nothing queued or being read.
  bool Idle() const { return reader_.Idle(); }
  const ReadAheadCache& cache() const { return cache_; }

 private:
  ReadAheadCache cache_;
  PicturePreload reader_;
};

}  // namespace veilo
