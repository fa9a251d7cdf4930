#include "formats/jp2_reader.h"

#include "formats/file_messages.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#include "doc/image_doc.h"
#include "formats/jp2_codec.h"
#include "formats/jp2_picture.h"
#include "formats/read_progress.h"
#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {
namespace {

constexpr const char* kCannotOpen = "error: cannot open file";
constexpr const char* kCannotLoad = "error: cannot load image data";

// The JP2 signature box, and the start of a code stream (SOC then SIZ).
constexpr std::array<uint8_t, 12> kJp2Signature{0x00, 0x00, 0x00, 0x0C, 0x6A, 0x50, 0x20, 0x20, 0x0D, 0x0A, 0x87, 0x0A};
constexpr std::array<uint8_t, 4> kCodeStreamStart{0xFF, 0x4F, 0xFF, 0x51};

std::optional<OPJ_CODEC_FORMAT> DetectFormat(std::FILE* file) {
  std::array<uint8_t, kJp2Signature.size()> head{};
  const size_t got = std::fread(head.data(), 1, head.size(), file);
  std::rewind(file);
  if (got == head.size() && head == kJp2Signature) return OPJ_CODEC_JP2;
  if (got >= kCodeStreamStart.size() && std::memcmp(head.data(), kCodeStreamStart.data(), kCodeStreamStart.size()) == 0)
    return OPJ_CODEC_J2K;
  return std::nullopt;
}

// The decoded image, or null when the file is not one we can decode.
OpjImagePtr DecodeImage(std::FILE* file, PictureSize& tooLarge, ReadProgress& progress) {
  const auto format = DetectFormat(file);
  if (!format) return nullptr;
  const OpjCodecPtr codec(opj_create_decompress(*format));
  if (!codec) return nullptr;
  SilenceOpjCodec(codec.get());
  opj_dparameters_t params{};
  opj_set_default_decoder_parameters(&params);
  if (!opj_setup_decoder(codec.get(), &params)) return nullptr;
  // Damaged code streams end in an error instead of being decoded as far
  // as they go, which could leave parts of the picture undefined.
  opj_decoder_set_strict_mode(codec.get(), OPJ_TRUE);
  progress.Done(0, 1);
  const OpjStreamPtr stream = MakeOpjReadStream(file, &progress);
  if (!stream) return nullptr;
  opj_image_t* raw = nullptr;
  const bool headerRead = opj_read_header(stream.get(), codec.get(), &raw) != 0;
  OpjImagePtr image(raw);
  // The size the header claims is checked before the library allocates for it.
  if (!headerRead || !image || !Jp2HeaderWithinLimits(*image, &tooLarge)) return nullptr;
  if (!opj_decode(codec.get(), stream.get(), image.get()) || !opj_end_decompress(codec.get(), stream.get()))
    return nullptr;
  progress.Done(1, 1);
  return image;
}

}  // namespace

int ReadJp2File(ShellNotifications& shell, ImageDoc& doc) {
  SetDocPicture(doc, {});
  const FilePtr file = OpenFile(doc.path, "rb");
  if (!file) {
    shell.ShowError(kCannotOpen);
    return 0;
  }
  PictureSize tooLarge;
  ReadProgress progress(shell, "JPEG2000");
  const OpjImagePtr image = DecodeImage(file.get(), tooLarge, progress);
  if (!image) {
    if (tooLarge.width != 0)
      ReportPictureTooLarge(shell, tooLarge.width, tooLarge.height);
    else
      shell.ShowError(kCannotLoad);
    return 0;
  }
  SetDocPicture(doc, Jp2ImageToDib(*image));
  if (!doc.HasPicture()) return 0;
  doc.fileHeader = {};
  doc.fileHeader[0] = 'B';
  doc.fileHeader[1] = 'M';
  return 1;
}

}  // namespace veilo
