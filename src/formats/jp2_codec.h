#pragma once
// OpenJPEG objects owned by RAII handles, stdio streams for the codec, and
// the message handlers that keep the library quiet.
#include <cstdio>
#include <memory>
#include <openjpeg.h>

namespace veilo {

struct OpjCodecFree {
  void operator()(opj_codec_t* codec) const { if (codec) opj_destroy_codec(codec); }
};
struct OpjStreamFree {
  void operator()(opj_stream_t* stream) const { if (stream) opj_stream_destroy(stream); }
};
struct OpjImageFree {
  void operator()(opj_image_t* image) const { if (image) opj_image_destroy(image); }
};
using OpjCodecPtr = std::unique_ptr<opj_codec_t, OpjCodecFree>;
using OpjStreamPtr = std::unique_ptr<opj_stream_t, OpjStreamFree>;
using OpjImagePtr = std::unique_ptr<opj_image_t, OpjImageFree>;

// Routes the codec's info, warning and error messages nowhere: every
// failure the user sees has its own text.
void SilenceOpjCodec(opj_codec_t* codec);

class ReadProgress;

// A reading stream over `file` (from its current position to its end), or a
// writing stream. The file (and `progress`, which is told the share of the
// bytes read so far) must outlive the stream; the stream never closes it.
OpjStreamPtr MakeOpjReadStream(std::FILE* file, ReadProgress* progress = nullptr);
OpjStreamPtr MakeOpjWriteStream(std::FILE* file);

}  // namespace veilo
