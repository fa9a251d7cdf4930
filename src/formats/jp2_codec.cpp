#include "formats/jp2_codec.h"

#include <cstdint>
#include <memory>

#include "formats/read_progress.h"
#include "formats/stdio_seek.h"

namespace veilo {
namespace {

constexpr OPJ_SIZE_T kStreamChunk = 1 << 16;
constexpr OPJ_SIZE_T kStreamError = static_cast<OPJ_SIZE_T>(-1);

// What a stream's callbacks work on; owned by the stream.
struct StreamFile {
  std::FILE* file = nullptr;
  ReadProgress* progress = nullptr;
  uint64_t start = 0, length = 0;  // the part of the file the stream reads
};

std::FILE* StreamOf(void* data) { return static_cast<StreamFile*>(data)->file; }

void FreeStreamFile(void* data) { std::unique_ptr<StreamFile> owned(static_cast<StreamFile*>(data)); }

void Quiet(const char*, void*) {}

OPJ_SIZE_T ReadBytes(void* buffer, OPJ_SIZE_T size, void* data) {
  StreamFile& s = *static_cast<StreamFile*>(data);
  const size_t got = std::fread(buffer, 1, size, s.file);
  if (s.progress != nullptr && got != 0) {
    // The library reads the code stream as it decodes it, tile by tile.
    const int64_t here = TellStream(s.file);
    if (here >= 0) s.progress->Done(static_cast<uint64_t>(here) - s.start, s.length);
  }
  return got == 0 ? kStreamError : got;  // the library's end-of-stream signal
}

OPJ_SIZE_T WriteBytes(void* buffer, OPJ_SIZE_T size, void* data) {
  const size_t put = std::fwrite(buffer, 1, size, StreamOf(data));
  return put == size ? put : kStreamError;
}

OPJ_OFF_T SkipBytes(OPJ_OFF_T count, void* data) {
  return SeekStream(StreamOf(data), count, SEEK_CUR) ? count : -1;
}

OPJ_BOOL SeekTo(OPJ_OFF_T offset, void* data) {
  return SeekStream(StreamOf(data), offset, SEEK_SET) ? OPJ_TRUE : OPJ_FALSE;
}

OpjStreamPtr MakeStream(std::FILE* file, bool input, ReadProgress* progress) {
  OpjStreamPtr stream(opj_stream_create(kStreamChunk, input ? OPJ_TRUE : OPJ_FALSE));
  if (!stream) return nullptr;
  auto user = std::make_unique<StreamFile>();
  user->file = file;
  user->progress = progress;
  StreamFile& s = *user;
  opj_stream_set_user_data(stream.get(), user.release(), FreeStreamFile);
  if (input) {
    const int64_t length = StreamLength(file);
    const int64_t here = TellStream(file);
    if (length < 0 || here < 0 || here > length) return nullptr;
    s.start = static_cast<uint64_t>(here);
    s.length = static_cast<uint64_t>(length - here);
    opj_stream_set_user_data_length(stream.get(), static_cast<OPJ_UINT64>(length - here));
    opj_stream_set_read_function(stream.get(), ReadBytes);
  } else {
    opj_stream_set_write_function(stream.get(), WriteBytes);
  }
  opj_stream_set_skip_function(stream.get(), SkipBytes);
  opj_stream_set_seek_function(stream.get(), SeekTo);
  return stream;
}

}  // namespace

void SilenceOpjCodec(opj_codec_t* codec) {
  opj_set_info_handler(codec, Quiet, nullptr);
  opj_set_warning_handler(codec, Quiet, nullptr);
  opj_set_error_handler(codec, Quiet, nullptr);
}

OpjStreamPtr MakeOpjReadStream(std::FILE* file, ReadProgress* progress) { return MakeStream(file, true, progress); }
OpjStreamPtr MakeOpjWriteStream(std::FILE* file) { return MakeStream(file, false, nullptr); }

}  // namespace veilo
