#pragma once
// Whether this build can hold a picture of a given size. A picture costs more
// than its own block: the readers decode into a buffer of their own first,
// and rotation, copying the whole picture and the reduced BMP save each make
// one more block of the same size while the document's block is still held.
// A 32-bit process has 2 GiB of address space for the program, its libraries
// and all of that, so it refuses what it could not finish working on; a
// 64-bit process is limited only by the memory of the machine.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace veilo {

inline constexpr unsigned kBuildPointerBits = sizeof(void*) * 8;

// The size of a picture a reader refused.
struct PictureSize {
  uint32_t width = 0, height = 0;
};

// The working set of a 24-bit picture of width x height: the document block,
// one same-size working copy, and `decodeBytesPerPixel` bytes per pixel that
// the reader needs at the same time (0 when it decodes straight into the
// document block). nullopt when the count overflows.
std::optional<size_t> PictureWorkingBytes(uint32_t width, uint32_t height, size_t decodeBytesPerPixel);

// The working set a build with pointers of `pointerBits` bits may take for
// one picture.
uint64_t PictureBudgetBytes(unsigned pointerBits);

// True when a build with `pointerBits`-bit pointers can hold the picture.
// Every reader asks this before it allocates anything for the picture.
bool CanHoldPicture(uint32_t width, uint32_t height, size_t decodeBytesPerPixel,
                    unsigned pointerBits = kBuildPointerBits);

// The largest single block any reader or working copy may request in this
// build. The readers' own limits (libtiff, libjpeg) take this value.
size_t MaxPictureBlockBytes(unsigned pointerBits = kBuildPointerBits);

// Lowers this process's budget (never raises it above the build's), for
// tools such as fuzzers that must stay within a small memory limit.
void LimitPictureBudget(uint64_t bytes);

// Lowers the budget further for the reads this thread makes while it lives:
// a picture read in the background must fit the memory set aside for it, and
// one that does not is refused before anything is allocated for it.
class ScopedThreadPictureBudget {
 public:
  explicit ScopedThreadPictureBudget(uint64_t bytes);
  ~ScopedThreadPictureBudget();
  ScopedThreadPictureBudget(const ScopedThreadPictureBudget&) = delete;
  ScopedThreadPictureBudget& operator=(const ScopedThreadPictureBudget&) = delete;

 private:
  uint64_t saved_;
};

}  // namespace veilo
