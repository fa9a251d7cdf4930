#include "tools/read_ahead.h"

#include <algorithm>

#include "doc/picture_limits.h"

namespace veilo {

std::vector<std::string> ReadAheadPlan::Paths() const {
  std::vector<std::string> paths;
  if (ahead) paths.push_back(*ahead);
  if (behind && behind != ahead) paths.push_back(*behind);
  return paths;
}

ReadAheadPlan PlanFolderReadAhead(const FolderNeighbours& neighbours, bool backwards) {
  return backwards ? ReadAheadPlan{neighbours.previous, neighbours.next}
                   : ReadAheadPlan{neighbours.next, neighbours.previous};
}

ReadAheadPlan PlanSlideReadAhead(const SlideList& list, size_t shown, bool backwards) {
  const size_t count = list.size();
  if (count < 2 || shown >= count) return {};
  const size_t after = (shown + 1) % count, before = (shown + count - 1) % count;
  const std::string& ahead = list[backwards ? before : after].path;
  const std::string& behind = list[backwards ? after : before].path;
  return {ahead, behind};
}

bool SlideWentBack(size_t count, int64_t previous, size_t shown) {
  if (count <= 2 || previous < 0 || static_cast<uint64_t>(previous) >= count) return false;
  return shown == (static_cast<size_t>(previous) + count - 1) % count;
}

uint64_t ReadAheadBudgetBytes(uint64_t availableBytes) { return availableBytes / 100 * kReadAheadMemoryPercent; }

bool WorthReadingAhead(uint32_t width, uint32_t height, uint64_t budgetBytes) {
  const std::optional<size_t> bytes = PictureWorkingBytes(width, height, 0);
  return bytes && uint64_t{*bytes} <= budgetBytes;
}

namespace {

bool Loaded(const PreloadedPicture& read) {
  return read.status == 0 && read.errors.empty() && read.doc && read.doc->HasPicture();
}

}  // namespace

bool ReadStillServes(const PreloadedPicture& read, const LoadOptions& options, const std::optional<FileStamp>& now) {
  return Loaded(read) && read.options == options && read.stamp && now && *read.stamp == *now;
}

std::vector<std::string> ReadAheadCache::Replan(const ReadAheadPlan& plan, uint64_t budgetBytes) {
  wanted_ = plan.Paths();
  budget_ = budgetBytes;
  std::erase_if(held_, [this](const PreloadedPicture& held) {
    return std::find(wanted_.begin(), wanted_.end(), held.path) == wanted_.end();
  });
  std::vector<std::string> toRead;
  for (const std::string& path : wanted_)
    if (!Holds(path)) toRead.push_back(path);
  return toRead;
}

bool ReadAheadCache::Offer(PreloadedPicture read) {
  if (std::find(wanted_.begin(), wanted_.end(), read.path) == wanted_.end() || !Loaded(read) || Holds(read.path))
    return false;
  if (held_.size() >= kReadAheadPictures || HeldBytes() + read.doc->dib.size() > budget_) return false;
  held_.push_back(std::move(read));
  return true;
}

void ReadAheadCache::DropUnserving(const LoadOptions& options,
                                   const std::function<std::optional<FileStamp>(const std::string&)>& stampOf) {
  std::erase_if(held_, [&](const PreloadedPicture& held) { return !ReadStillServes(held, options, stampOf(held.path)); });
}

std::optional<PreloadedPicture> ReadAheadCache::Take(const std::string& path) {
  const auto found = std::find_if(held_.begin(), held_.end(), [&](const PreloadedPicture& p) { return p.path == path; });
  if (found == held_.end()) return std::nullopt;
  PreloadedPicture read = std::move(*found);
  held_.erase(found);
  return read;
}

bool ReadAheadCache::Holds(const std::string& path) const {
  return std::any_of(held_.begin(), held_.end(), [&](const PreloadedPicture& p) { return p.path == path; });
}

uint64_t ReadAheadCache::HeldBytes() const {
  uint64_t bytes = 0;
  for (const PreloadedPicture& held : held_) bytes += held.doc->dib.size();
  return bytes;
}

void ReadAheadCache::Clear() {
  wanted_.clear();
  held_.clear();
}

std::unique_ptr<ImageDoc> ReadAhead::Take(const std::string& path, const LoadOptions& options) {
  Collect();
  // A read under way is nearer its end than a read started now.
  if (reader_.IsBeingRead(path))
    if (std::optional<PreloadedPicture> read = reader_.Take(path)) cache_.Offer(std::move(*read));
  std::vector<std::string> others = cache_.Wanted();
  std::erase(others, path);
  reader_.KeepOnly(others);
  std::optional<PreloadedPicture> read = cache_.Take(path);
  if (!read || !ReadStillServes(*read, options, FileStampOf(path))) return nullptr;
  return std::move(read->doc);
}

void ReadAhead::Follow(const ReadAheadPlan& plan, const LoadOptions& options, uint32_t width, uint32_t height,
                       uint64_t availableBytes) {
  const uint64_t budget = ReadAheadBudgetBytes(availableBytes);
  const ReadAheadPlan followed = WorthReadingAhead(width, height, budget) ? plan : ReadAheadPlan{};
  Collect();
  cache_.DropUnserving(options, FileStampOf);
  const std::vector<std::string> toRead = cache_.Replan(followed, budget);
  reader_.KeepOnly(followed.Paths());
  // A neighbour far larger than the picture shown is refused by its reader, not read.
  for (const std::string& path : toRead) reader_.Start(path, options, budget);
}

void ReadAhead::Collect() {
  for (PreloadedPicture& read : reader_.TakeFinished()) cache_.Offer(std::move(read));
}

void ReadAhead::Stop() {
  reader_.Stop();
  cache_.Clear();
}

}  // namespace veilo
