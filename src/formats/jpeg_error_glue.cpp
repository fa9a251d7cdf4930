#include "formats/jpeg_error_glue.h"

#include "platform/shell_notifications.h"

namespace veilo {
namespace {

// Indexed by code - kJpegMsgPictureTooLarge.
const char* const kGlueMessages[] = {
    "Image too large to load: %d x %d pixels",
    "Insufficient memory for a %d x %d picture",
    "Progressive JPEG with more than %d scans",
};
static_assert(sizeof kGlueMessages / sizeof kGlueMessages[0] == kJpegMsgLast - kJpegMsgPictureTooLarge);

JpegErrorGlue& GlueOf(j_common_ptr info) { return *reinterpret_cast<JpegErrorGlue*>(info->err); }

void ShowMessage(j_common_ptr info) {
  char text[JMSG_LENGTH_MAX];
  (*info->err->format_message)(info, text);
  JpegErrorGlue& glue = GlueOf(info);
  if (glue.showMessages && glue.shell != nullptr) glue.shell->ShowError(text);
}

[[noreturn]] void ExitToGlue(j_common_ptr info) {
  (*info->err->output_message)(info);
  std::longjmp(GlueOf(info).jump, 1);
}

void CheckScanCount(j_common_ptr info) {
  if (!info->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= kJpegMaxScans) return;
  info->err->msg_code = kJpegMsgTooManyScans;
  info->err->msg_parm.i[0] = kJpegMaxScans;
  (*info->err->error_exit)(info);
}

}  // namespace

jpeg_error_mgr* InstallJpegErrorGlue(JpegErrorGlue& glue, ShellNotifications& shell, bool showMessages) {
  jpeg_error_mgr* manager = jpeg_std_error(&glue.manager);
  manager->error_exit = ExitToGlue;
  manager->output_message = ShowMessage;
  manager->addon_message_table = kGlueMessages;
  manager->first_addon_message = kJpegMsgPictureTooLarge;
  manager->last_addon_message = kJpegMsgLast - 1;
  glue.progress = {};
  glue.progress.progress_monitor = CheckScanCount;
  glue.shell = &shell;
  glue.showMessages = showMessages;
  return manager;
}

void ReportJpegMessage(j_common_ptr info, JpegGlueMessage code, int param1, int param2) {
  info->err->msg_code = code;
  info->err->msg_parm.i[0] = param1;
  info->err->msg_parm.i[1] = param2;
  (*info->err->output_message)(info);
}

// Each function below makes one library call under its own setjmp and holds
// no object with a destructor.
#define VEILO_JPEG_GUARD(info) \
  if (setjmp(GlueOf(reinterpret_cast<j_common_ptr>(&(info))).jump) != 0) return false

bool JpegCreateDecompress(jpeg_decompress_struct& info) {
  VEILO_JPEG_GUARD(info);
  jpeg_CreateDecompress(&info, kJpegApiVersion, sizeof info);
  return true;
}

void LimitJpegDecompress(jpeg_decompress_struct& info, long maxMemory) {
  info.mem->max_memory_to_use = maxMemory;
  info.progress = &GlueOf(reinterpret_cast<j_common_ptr>(&info)).progress;
}

bool JpegStdioSrc(jpeg_decompress_struct& info, std::FILE* file) {
  VEILO_JPEG_GUARD(info);
  jpeg_stdio_src(&info, file);
  return true;
}

bool JpegReadHeader(jpeg_decompress_struct& info) {
  VEILO_JPEG_GUARD(info);
  jpeg_read_header(&info, TRUE);
  return true;
}

bool JpegCalcOutputDimensions(jpeg_decompress_struct& info) {
  VEILO_JPEG_GUARD(info);
  jpeg_calc_output_dimensions(&info);
  return true;
}

bool JpegStartDecompress(jpeg_decompress_struct& info) {
  VEILO_JPEG_GUARD(info);
  jpeg_start_decompress(&info);
  return true;
}

bool JpegReadScanlines(jpeg_decompress_struct& info, JSAMPARRAY rows, JDIMENSION maxRows, JDIMENSION& rowsRead) {
  VEILO_JPEG_GUARD(info);
  rowsRead = jpeg_read_scanlines(&info, rows, maxRows);
  return true;
}

bool JpegFinishDecompress(jpeg_decompress_struct& info) {
  VEILO_JPEG_GUARD(info);
  jpeg_finish_decompress(&info);
  return true;
}

JSAMPARRAY JpegAllocRows(j_common_ptr info, JDIMENSION rowBytes, JDIMENSION count) {
  if (setjmp(GlueOf(info).jump) != 0) return nullptr;
  return (*info->mem->alloc_sarray)(info, JPOOL_IMAGE, rowBytes, count);
}

bool JpegCreateCompress(jpeg_compress_struct& info) {
  VEILO_JPEG_GUARD(info);
  jpeg_CreateCompress(&info, kJpegApiVersion, sizeof info);
  return true;
}

bool JpegStdioDest(jpeg_compress_struct& info, std::FILE* file) {
  VEILO_JPEG_GUARD(info);
  jpeg_stdio_dest(&info, file);
  return true;
}

bool JpegSetDefaults(jpeg_compress_struct& info) {
  VEILO_JPEG_GUARD(info);
  jpeg_set_defaults(&info);
  return true;
}

bool JpegSetQuality(jpeg_compress_struct& info, int quality, bool forceBaseline) {
  VEILO_JPEG_GUARD(info);
  jpeg_set_quality(&info, quality, forceBaseline ? TRUE : FALSE);
  return true;
}

bool JpegSimpleProgression(jpeg_compress_struct& info) {
  VEILO_JPEG_GUARD(info);
  jpeg_simple_progression(&info);
  return true;
}

bool JpegStartCompress(jpeg_compress_struct& info, bool writeAllTables) {
  VEILO_JPEG_GUARD(info);
  jpeg_start_compress(&info, writeAllTables ? TRUE : FALSE);
  return true;
}

bool JpegWriteMarker(jpeg_compress_struct& info, int marker, const JOCTET* data, unsigned int length) {
  VEILO_JPEG_GUARD(info);
  jpeg_write_marker(&info, marker, data, length);
  return true;
}

bool JpegWriteScanlines(jpeg_compress_struct& info, JSAMPARRAY rows, JDIMENSION count, JDIMENSION& rowsWritten) {
  VEILO_JPEG_GUARD(info);
  rowsWritten = jpeg_write_scanlines(&info, rows, count);
  return true;
}

bool JpegFinishCompress(jpeg_compress_struct& info) {
  VEILO_JPEG_GUARD(info);
  jpeg_finish_compress(&info);
  return true;
}

#undef VEILO_JPEG_GUARD

}  // namespace veilo
