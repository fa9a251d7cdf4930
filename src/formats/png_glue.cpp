#include "formats/png_glue.h"

#include <cstdio>

#include "formats/png_messages.h"
#include "platform/shell_notifications.h"

namespace veilo {
namespace {

constexpr png_uint_32 kIdatChunk = 0x49444154;  // "IDAT"

// Kept apart from the handler so that the message text is gone before the jump.
void ShowLibraryError(png_const_structrp png, png_const_charp message) {
  auto* sink = static_cast<PngErrorSink*>(png_get_error_ptr(png));
  if (sink == nullptr || sink->shell == nullptr) return;
  char text[256];
  std::snprintf(text, sizeof text, kPngLibraryErrorFormat, message != nullptr ? message : "");
  sink->shell->ShowError(text);
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  ShowLibraryError(png, message);
  png_longjmp(png, 1);
}

// Damaged ancillary chunks are skipped with a warning, as libpng intends:
// the picture itself is intact. A warning about the image data (a failed
// checksum, data beyond the image) means the pixels cannot be trusted, so
// the read fails as on an error.
void OnPngReadWarning(png_structp png, png_const_charp message) {
  if (png_get_io_chunk_type(png) != kIdatChunk) return;
  ShowLibraryError(png, message);
  png_longjmp(png, 1);
}

void OnPngWriteWarning(png_structp, png_const_charp) {}

}  // namespace

png_structp CreatePngReader(PngErrorSink& sink) {
  return png_create_read_struct(PNG_LIBPNG_VER_STRING, &sink, OnPngError, OnPngReadWarning);
}

png_structp CreatePngWriter(PngErrorSink& sink) {
  return png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, OnPngError, OnPngWriteWarning);
}

bool GuardedStartProgressiveRead(png_structp png, void* context, png_progressive_info_ptr info,
                                 png_progressive_row_ptr row, png_progressive_end_ptr end,
                                 png_uint_32 maxWidth, png_uint_32 maxHeight) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, maxWidth, maxHeight);
  png_set_progressive_read_fn(png, context, info, row, end);
  return true;
}

bool GuardedProcessData(png_structp png, png_infop info, png_bytep data, size_t size) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_process_data(png, info, data, size);
  return true;
}

bool GuardedWriteHeader(png_structp png, png_infop info, const PngHeaderPlan& plan, void* ioContext,
                        png_rw_ptr write, png_flush_ptr flush) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, ioContext, write, flush);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, plan.width, plan.height, plan.bitDepth, plan.colourType,
               plan.interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (plan.palette != nullptr) png_set_PLTE(png, info, plan.palette, plan.paletteEntries);
  if (plan.transAlpha != nullptr || plan.transColour != nullptr)
    png_set_tRNS(png, info, plan.transAlpha, plan.transEntries, plan.transColour);
  if (plan.textCount > 0) png_set_text(png, info, plan.texts, plan.textCount);
  png_write_info(png, info);
  png_set_packing(png);
  if (plan.blueFirst) png_set_bgr(png);
  return true;
}

bool GuardedWriteImage(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
}

bool GuardedWriteRow(png_structp png, png_const_bytep row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_write_row(png, row);
  return true;
}

bool GuardedWriteEnd(png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_write_end(png, info);
  return true;
}

}  // namespace veilo
