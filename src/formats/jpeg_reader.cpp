#include "formats/jpeg_reader.h"

#include <algorithm>
#include <climits>

#include "doc/picture_limits.h"
#include "formats/file_messages.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "doc/image_doc.h"
#include "platform/checked_math.h"
#include "formats/jpeg_cmyk.h"
#include "formats/jpeg_cp_block.h"
#include "formats/jpeg_error_glue.h"
#include "formats/jpeg_progress.h"
#include "doc/packed_dib.h"
#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {
namespace {

// Rows handed to the library per call: enough to keep its call overhead
// small, few enough that the progress text follows closely.
constexpr JDIMENSION kRowBatch = 16;

void ReadCpCodes(std::FILE* file, ImageDoc& doc) {
  std::array<uint8_t, kExtendedJfifHeadSize> head{};
  const size_t got = std::fread(head.data(), 1, head.size(), file);
  std::rewind(file);
  if (const auto block = FindCpBlock({head.data(), got})) doc.cpCodes = DecodeCpBlock(*block);
}

bool IsFourComponentColour(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

void ChooseOutput(jpeg_decompress_struct& info, const JpegReadOptions& options) {
  // Grayscale and colour files decode straight into the picture's blue,
  // green, red byte order; the library refuses component layouts it cannot
  // convert. CMYK (and YCCK, which the library turns into CMYK) is converted
  // here.
  info.out_color_space = IsFourComponentColour(info.jpeg_color_space) ? JCS_CMYK : JCS_EXT_BGR;
  if (options.noSmoothRead || options.fastPreview) info.do_fancy_upsampling = FALSE;
  if (options.fastPreview) {
    info.two_pass_quantize = FALSE;
    info.dither_mode = JDITHER_ORDERED;
    if (!info.quantize_colors) info.desired_number_of_colors = 216;
    info.dct_method = JDCT_IFAST;
  }
}

// The zero-filled picture for the output size, or empty after a message.
PackedDib AllocatePicture(ShellNotifications& shell, jpeg_decompress_struct& info) {
  const auto common = reinterpret_cast<j_common_ptr>(&info);
  const JDIMENSION width = info.output_width;
  const JDIMENSION height = info.output_height;
  // A progressive file keeps every coefficient (2 bytes a sample) until its
  // last scan; a sequential one decodes a few rows at a time.
  const size_t decodeBytesPerPixel = info.progressive_mode ? 2 * static_cast<size_t>(info.num_components) : 0;
  if (width > 0xFFFF || height > 0xFFFF) {  // documents hold 16-bit sizes
    ReportJpegMessage(common, kJpegMsgPictureTooLarge, static_cast<int>(width), static_cast<int>(height));
    return {};
  }
  if (!CanHoldPicture(width, height, decodeBytesPerPixel)) {
    ReportPictureTooLarge(shell, width, height);
    return {};
  }
  PackedDib picture = PackedDib::Canonical24(width, height);
  if (!picture) ReportJpegMessage(common, kJpegMsgNoMemoryForPicture, static_cast<int>(width), static_cast<int>(height));
  return picture;
}

// The rows the library is about to deliver are those the picture was made
// for: what keeps its writes inside the picture and the scratch rows.
bool OutputFitsPicture(const jpeg_decompress_struct& info, const PackedDib& picture) {
  const DibHeader h = ReadDibHeader(picture.data());
  const int samples = info.out_color_space == JCS_CMYK ? 4 : 3;
  return info.output_width == h.width && info.output_height == h.height && info.output_components == samples;
}

bool ReadRows(jpeg_decompress_struct& info, PackedDib& picture, JpegProgress& progress) {
  const JDIMENSION width = info.output_width;
  const JDIMENSION height = info.output_height;
  const size_t stride = RowStride24(width);
  uint8_t* const bottomRow = picture.data() + kInfoHeaderSize + size_t{height - 1} * stride;
  const bool cmyk = info.out_color_space == JCS_CMYK;
  JSAMPARRAY scratch = nullptr;  // CMYK rows, converted into the picture
  if (cmyk && (scratch = JpegAllocRows(reinterpret_cast<j_common_ptr>(&info), width * 4, kRowBatch)) == nullptr)
    return false;
  const bool adobeInverted = info.saw_Adobe_marker != FALSE;

  std::array<JSAMPROW, kRowBatch> rows{};
  while (info.output_scanline < height) {
    const JDIMENSION first = info.output_scanline;
    const JDIMENSION want = std::min(kRowBatch, height - first);
    for (JDIMENSION k = 0; k < want; ++k) rows[k] = cmyk ? scratch[k] : bottomRow - size_t{first + k} * stride;
    JDIMENSION got = 0;
    if (!JpegReadScanlines(info, rows.data(), want, got)) return false;
    if (got == 0) return false;  // only a suspending source returns no rows; ours never does
    for (JDIMENSION k = 0; k < got; ++k) {
      if (cmyk) CmykRowToBgr(scratch[k], bottomRow - size_t{first + k} * stride, width, adobeInverted);
      progress.RowsDone(first + k + 1, height);
    }
  }
  return true;
}

// The picture of the JPEG stream in `file`, or empty after the error has been
// shown.
PackedDib DecodeJpeg(ShellNotifications& shell, std::FILE* file, const JpegReadOptions& options) {
  JpegErrorGlue glue;
  jpeg_decompress_struct info{};
  info.err = InstallJpegErrorGlue(glue, shell, options.showLibraryMessages);
  JpegDecompressGuard guard{info};
  if (!JpegCreateDecompress(info)) return {};
  LimitJpegDecompress(info, static_cast<long>(std::min<size_t>(MaxPictureBlockBytes(), LONG_MAX)));
  if (!JpegStdioSrc(info, file) || !JpegReadHeader(info)) return {};
  ChooseOutput(info, options);
  // The size is known before the library allocates its own buffers, so an
  // absurd header is refused before any large allocation.
  if (!JpegCalcOutputDimensions(info)) return {};
  PackedDib picture = AllocatePicture(shell, info);
  if (!picture || !JpegStartDecompress(info)) return {};
  if (!OutputFitsPicture(info, picture)) return {};
  JpegProgress progress(shell, JpegProgressKind::kRead, options.englishMessages);
  if (!ReadRows(info, picture, progress) || !JpegFinishDecompress(info)) return {};
  return picture;
}

}  // namespace

int ReadJpegFile(ShellNotifications& shell, ImageDoc& doc, const JpegReadOptions& options) {
  FilePtr file = OpenFile(doc.path, "rb");
  if (!file) {
    shell.ShowError("can't open " + doc.path + "\n");
    return 0;
  }
  if (!options.fastPreview) ReadCpCodes(file.get(), doc);
  PackedDib picture = DecodeJpeg(shell, file.get(), options);
  file.reset();
  SetDocPicture(doc, std::move(picture));
  if (!doc.HasPicture()) return 0;
  doc.fileHeader = {};
  doc.fileHeader[0] = 'B';
  doc.fileHeader[1] = 'M';
  return 1;
}

}  // namespace veilo
