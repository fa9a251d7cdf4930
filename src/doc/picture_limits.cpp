#include "doc/picture_limits.h"

#include <algorithm>
#include <atomic>

#include "doc/packed_dib.h"
#include "platform/checked_math.h"

namespace veilo {
namespace {

constexpr uint64_t kGiB = uint64_t{1} << 30;
// 32 bits: of the 2 GiB of user address space, the program, its libraries,
// the window system and the fragmentation between them leave about half for
// pictures.
constexpr uint64_t kBudget32 = kGiB;
// 64 bits: pictures of up to 8 GiB (about 2.8 billion pixels, 53000 x 53000)
// with their working copy. Within that the machine's memory decides, and a
// failed allocation is reported; beyond it even a large machine would page.
constexpr uint64_t kBudget64 = 16 * kGiB;

std::atomic<uint64_t> processLimit{UINT64_MAX};
thread_local uint64_t threadLimit = UINT64_MAX;

}  // namespace

std::optional<size_t> PictureWorkingBytes(uint32_t width, uint32_t height, size_t decodeBytesPerPixel) {
  const auto block = CheckedMulAdd(RowStride24(width), height, kInfoHeaderSize);
  if (!block) return std::nullopt;
  const auto pixels = CheckedMul(width, height);
  const auto decode = pixels ? CheckedMul(*pixels, decodeBytesPerPixel) : std::nullopt;
  const auto twoBlocks = CheckedMul(*block, 2);
  if (!decode || !twoBlocks) return std::nullopt;
  return CheckedAdd(*twoBlocks, *decode);
}

uint64_t PictureBudgetBytes(unsigned pointerBits) {
  const uint64_t build = pointerBits >= 64 ? kBudget64 : kBudget32;
  return std::min({build, processLimit.load(std::memory_order_relaxed), threadLimit});
}

bool CanHoldPicture(uint32_t width, uint32_t height, size_t decodeBytesPerPixel, unsigned pointerBits) {
  if (width == 0 || height == 0) return false;
  const auto bytes = PictureWorkingBytes(width, height, decodeBytesPerPixel);
  return bytes && uint64_t{*bytes} <= PictureBudgetBytes(pointerBits);
}

size_t MaxPictureBlockBytes(unsigned pointerBits) {
  // A single block can be at most the budget less the copy that goes with it.
  const uint64_t half = PictureBudgetBytes(pointerBits) / 2;
  return static_cast<size_t>(std::min<uint64_t>(half, SIZE_MAX));
}

void LimitPictureBudget(uint64_t bytes) { processLimit.store(bytes, std::memory_order_relaxed); }

ScopedThreadPictureBudget::ScopedThreadPictureBudget(uint64_t bytes) : saved_(threadLimit) {
  threadLimit = std::min(threadLimit, bytes);
}

ScopedThreadPictureBudget::~ScopedThreadPictureBudget() { threadLimit = saved_; }

}  // namespace veilo
