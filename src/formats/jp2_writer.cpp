#include "formats/jp2_writer.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "doc/image_doc.h"
#include "formats/jp2_codec.h"
#include "formats/jp2_picture.h"
#include "doc/packed_dib.h"
#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {
namespace {

constexpr const char* kCannotOpenOutput = "error: cannot open output image file";
constexpr const char* kCannotEncode = "error: cannot encode image";
constexpr int kDefaultResolutions = 6;

// The format named by the text after the path's last dot, in lower case.
std::optional<OPJ_CODEC_FORMAT> FormatOfPath(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == "jp2") return OPJ_CODEC_JP2;
  if (ext == "jpc" || ext == "j2k") return OPJ_CODEC_J2K;
  return std::nullopt;
}

opj_cparameters_t EncoderParameters(const opj_image_t& image, const Jp2WriteOptions& options) {
  opj_cparameters_t params{};
  opj_set_default_encoder_parameters(&params);
  params.tcp_numlayers = 1;
  params.cp_disto_alloc = 1;
  params.irreversible = 0;  // 5/3, as the lossless case needs; lossy saves truncate it
  // A ratio of 0 asks for everything: lossless.
  params.tcp_rates[0] = options.lossless ? 0.0f : 1.0f / options.rate;
  params.tcp_mct = image.numcomps == 3 ? 1 : 0;
  // The smallest resolution level must keep at least one sample.
  const uint32_t side = std::min(image.x1 - image.x0, image.y1 - image.y0);
  params.numresolution = kDefaultResolutions;
  while (params.numresolution > 1 && (uint32_t{1} << (params.numresolution - 1)) > side) --params.numresolution;
  return params;
}

bool Encode(OPJ_CODEC_FORMAT format, opj_image_t& image, const Jp2WriteOptions& options, std::FILE* out) {
  const OpjCodecPtr codec(opj_create_compress(format));
  if (!codec) return false;
  SilenceOpjCodec(codec.get());
  opj_cparameters_t params = EncoderParameters(image, options);
  if (!opj_setup_encoder(codec.get(), &params, &image)) return false;
  const OpjStreamPtr stream = MakeOpjWriteStream(out);
  return stream && opj_start_compress(codec.get(), &image, stream.get()) && opj_encode(codec.get(), stream.get()) &&
         opj_end_compress(codec.get(), stream.get());
}

}  // namespace

int WriteJp2File(ShellNotifications& shell, const std::string& utf8Path, const ImageDoc& doc,
                 const Jp2WriteOptions& options) {
  if (!doc.HasPicture() || (!options.lossless && !IsValidJp2Rate(options.rate))) return 0;
  const WaitCursor wait(shell);
  const auto format = FormatOfPath(utf8Path);
  if (!format) {
    shell.ShowError(kCannotEncode);
    return 0;
  }
  const OpjImagePtr image = DibToJp2Image(doc.dib.data());
  if (!image) return 0;
  SafeFileWriter out(utf8Path);
  if (!out.ok()) {
    shell.ShowError(kCannotOpenOutput);
    return 0;
  }
  if (!Encode(*format, *image, options, out.stream())) {
    shell.ShowError(kCannotEncode);
    return 0;
  }
  return out.Commit() ? 1 : 0;
}

}  // namespace veilo
