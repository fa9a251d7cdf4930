#include "formats/jpeg_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "doc/image_doc.h"
#include "formats/jpeg_cp_block.h"
#include "formats/jpeg_error_glue.h"
#include "formats/jpeg_progress.h"
#include "doc/packed_dib.h"
#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {
namespace {

constexpr JDIMENSION kRowBatch = 16;

void ApplyOptions(jpeg_compress_struct& info, const JpegWriteOptions& options) {
  if (options.optimize) info.optimize_coding = TRUE;
  if (options.smoothingOn) info.smoothing_factor = std::clamp(options.smoothing, 1, 100);
  if (options.sampling1x1) {
    info.comp_info[0].h_samp_factor = 1;
    info.comp_info[0].v_samp_factor = 1;
  }
}

// Our APP0 segment in place of the library's: the same JFIF fields, followed
// by the CP code block.
bool WriteExtendedJfif(jpeg_compress_struct& info, const ImageDoc& doc) {
  JfifFields fields;
  fields.majorVersion = info.JFIF_major_version;
  fields.minorVersion = info.JFIF_minor_version;
  fields.densityUnit = info.density_unit;
  fields.xDensity = info.X_density;
  fields.yDensity = info.Y_density;
  const auto payload = ExtendedJfifPayload(fields, EncodeCpBlock(doc.cpCodes));
  return JpegWriteMarker(info, JPEG_APP0, payload.data(), static_cast<unsigned int>(payload.size()));
}

// Rows go to the library straight from the picture, top row first; the
// library reads them in their blue, green, red order.
bool WriteRows(jpeg_compress_struct& info, const uint8_t* pixels, JDIMENSION width, JDIMENSION height,
               JpegProgress& progress) {
  const size_t stride = RowStride24(width);
  uint8_t* const bottomRow = const_cast<uint8_t*>(pixels) + size_t{height - 1} * stride;  // only read
  std::array<JSAMPROW, kRowBatch> rows{};
  while (info.next_scanline < height) {
    const JDIMENSION first = info.next_scanline;
    const JDIMENSION count = std::min(kRowBatch, height - first);
    for (JDIMENSION k = 0; k < count; ++k) rows[k] = bottomRow - size_t{first + k} * stride;
    JDIMENSION written = 0;
    if (!JpegWriteScanlines(info, rows.data(), count, written) || written == 0) return false;
    for (JDIMENSION k = 0; k < written; ++k) progress.RowsDone(first + k + 1, height);
  }
  return true;
}

bool EncodeJpeg(ShellNotifications& shell, std::FILE* file, const ImageDoc& doc, const JpegWriteOptions& options) {
  const DibHeader h = ReadDibHeader(doc.dib.data());
  JpegErrorGlue glue;
  jpeg_compress_struct info{};
  info.err = InstallJpegErrorGlue(glue, shell, true);
  JpegCompressGuard guard{info};
  if (!JpegCreateCompress(info) || !JpegStdioDest(info, file)) return false;
  info.image_width = h.width;
  info.image_height = h.height;
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;  // RGB in the picture's byte order
  if (!JpegSetDefaults(info) || !JpegSetQuality(info, std::clamp(options.quality, 0, 100), true)) return false;
  ApplyOptions(info, options);
  if (options.progressive && !JpegSimpleProgression(info)) return false;

  const bool embedCodes = !CpSlotEmpty(doc.cpCodes[0]);
  if (embedCodes) info.write_JFIF_header = FALSE;  // ours replaces it, at the same place
  if (!JpegStartCompress(info, true)) return false;
  if (embedCodes && !WriteExtendedJfif(info, doc)) return false;
  JpegProgress progress(shell, JpegProgressKind::kWrite, options.englishMessages);
  return WriteRows(info, DibPixelStart(doc.dib.data()), h.width, h.height, progress) && JpegFinishCompress(info);
}

}  // namespace

int WriteJpegFile(ShellNotifications& shell, const std::string& utf8Path, const ImageDoc& doc,
                  const JpegWriteOptions& options) {
  if (!CheckedDibHeader(doc.dib.data(), doc.dib.size()) || !IsCanonical24(ReadDibHeader(doc.dib.data())) ||
      !doc.HasPicture())
    return 1;
  SafeFileWriter out(utf8Path);
  if (!out.ok()) {
    shell.ShowError("can't open " + utf8Path + "\n");
    return 1;
  }
  if (!EncodeJpeg(shell, out.stream(), doc, options)) return 1;
  return out.Commit() ? 0 : 1;
}

}  // namespace veilo
