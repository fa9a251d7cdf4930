#include "formats/tiff_file.h"

#include "doc/picture_limits.h"

#include <cstdarg>
#include <cstdint>
#include <limits>

#include "platform/checked_math.h"
#include "formats/stdio_seek.h"

namespace veilo {
namespace {

std::FILE* StreamOf(thandle_t handle) { return static_cast<std::FILE*>(handle); }

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
  if (size <= 0) return 0;
  return static_cast<tmsize_t>(std::fread(buffer, 1, static_cast<size_t>(size), StreamOf(handle)));
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) { return -1; }  // read only

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  if (offset > static_cast<toff_t>(std::numeric_limits<int64_t>::max())) return static_cast<toff_t>(-1);
  std::FILE* file = StreamOf(handle);
  if (!SeekStream(file, static_cast<int64_t>(offset), whence)) return static_cast<toff_t>(-1);
  const int64_t at = TellStream(file);
  return at < 0 ? static_cast<toff_t>(-1) : static_cast<toff_t>(at);
}

int CloseProc(thandle_t) { return 0; }  // the caller owns the stream

toff_t SizeProc(thandle_t handle) {
  const int64_t size = StreamLength(StreamOf(handle));
  return size < 0 ? 0 : static_cast<toff_t>(size);
}

int NoMapProc(thandle_t, void**, toff_t*) { return 0; }
void NoUnmapProc(thandle_t, void*, toff_t) {}

// Returning 1 tells libtiff the message was handled: nothing is shown.
int SwallowMessage(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct OpenOptionsFree {
  void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

}  // namespace

TiffPtr OpenTiffStream(std::FILE* file) {
  // The process-wide handlers too: some messages are issued before the
  // per-file ones are in place. Set once: pictures may be read on several
  // threads, and the handlers are plain globals of the library.
  static const bool silenced = [] {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    return true;
  }();
  (void)silenced;
  std::unique_ptr<TIFFOpenOptions, OpenOptionsFree> options(TIFFOpenOptionsAlloc());
  if (!options) return nullptr;
  // No single buffer of libtiff's may exceed what a picture may: a crafted
  // strip or tile size is refused instead of allocated.
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), static_cast<tmsize_t>(MaxPictureBlockBytes()));
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), SwallowMessage, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), SwallowMessage, nullptr);
  // "m": no memory mapping, everything goes through the stream.
  return TiffPtr(TIFFClientOpenExt("tiff", "rm", file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
                                   NoMapProc, NoUnmapProc, options.get()));
}

}  // namespace veilo
