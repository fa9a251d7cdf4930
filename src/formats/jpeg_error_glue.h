#pragma once
// Error handling around the JPEG library. The library reports a fatal error by
// calling error_exit, which must not return; ours shows the message and
// longjmps back into the small function below that made the library call,
// which then returns false. Those functions hold nothing with a destructor, so
// the jump skips no cleanup: the callers own the library objects and the files
// and release them the ordinary way.
//
// Every library call that can fail goes through one of these functions.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>

namespace veilo {

class ShellNotifications;

inline constexpr int kJpegApiVersion = 62;
static_assert(JPEG_LIB_VERSION == kJpegApiVersion, "the JPEG glue is written against the version 62 API");

// Messages of our own, formatted and shown like the library's.
enum JpegGlueMessage : int {
  kJpegMsgPictureTooLarge = 1000,  // width, height
  kJpegMsgNoMemoryForPicture,      // width, height
  kJpegMsgTooManyScans,            // scan limit
  kJpegMsgLast,
};

// Progressive files with more scans than this are refused: real files have a
// dozen, and each scan makes the decoder revisit the whole picture.
inline constexpr int kJpegMaxScans = 500;

struct JpegErrorGlue {
  jpeg_error_mgr manager;  // first member: the library's err pointer doubles as ours
  std::jmp_buf jump;
  jpeg_progress_mgr progress;
  ShellNotifications* shell;
  bool showMessages;  // library messages go to the error box only while set
};

// Fills `glue` and returns the error manager to put into the library object's
// err field: messages (errors and the first warning of a file) go to
// shell.ShowError while showMessages is set.
jpeg_error_mgr* InstallJpegErrorGlue(JpegErrorGlue& glue, ShellNotifications& shell, bool showMessages);

// Shows one of our own messages the way the library shows its own, without
// leaving the current call.
void ReportJpegMessage(j_common_ptr info, JpegGlueMessage code, int param1 = 0, int param2 = 0);

// ---- decompression ----
bool JpegCreateDecompress(jpeg_decompress_struct& info);
// Caps the library's own memory (coefficient buffers of progressive files) and
// the number of scans.
void LimitJpegDecompress(jpeg_decompress_struct& info, long maxMemory);
bool JpegStdioSrc(jpeg_decompress_struct& info, std::FILE* file);
bool JpegReadHeader(jpeg_decompress_struct& info);  // an image is required
bool JpegCalcOutputDimensions(jpeg_decompress_struct& info);
bool JpegStartDecompress(jpeg_decompress_struct& info);
bool JpegReadScanlines(jpeg_decompress_struct& info, JSAMPARRAY rows, JDIMENSION maxRows, JDIMENSION& rowsRead);
bool JpegFinishDecompress(jpeg_decompress_struct& info);
// `count` rows of `rowBytes` from the image pool (freed with the object);
// null after the library's out-of-memory error.
JSAMPARRAY JpegAllocRows(j_common_ptr info, JDIMENSION rowBytes, JDIMENSION count);

// ---- compression ----
bool JpegCreateCompress(jpeg_compress_struct& info);
bool JpegStdioDest(jpeg_compress_struct& info, std::FILE* file);
bool JpegSetDefaults(jpeg_compress_struct& info);
bool JpegSetQuality(jpeg_compress_struct& info, int quality, bool forceBaseline);
bool JpegSimpleProgression(jpeg_compress_struct& info);
bool JpegStartCompress(jpeg_compress_struct& info, bool writeAllTables);
bool JpegWriteMarker(jpeg_compress_struct& info, int marker, const JOCTET* data, unsigned int length);
bool JpegWriteScanlines(jpeg_compress_struct& info, JSAMPARRAY rows, JDIMENSION count, JDIMENSION& rowsWritten);
bool JpegFinishCompress(jpeg_compress_struct& info);

// Releases a library object on every exit of the function that created it.
struct JpegDecompressGuard {
  jpeg_decompress_struct& info;
  ~JpegDecompressGuard() { jpeg_destroy_decompress(&info); }
};
struct JpegCompressGuard {
  jpeg_compress_struct& info;
  ~JpegCompressGuard() { jpeg_destroy_compress(&info); }
};

}  // namespace veilo
