#pragma once
// Choosing the reader or writer of a picture file by its name's extension,
// and the options that stand in for the writers' dialogs.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/bmp_save.h"
#include "formats/gif_save_options.h"
#include "formats/jp2_options.h"
#include "formats/jpeg_options.h"
#include "formats/png_save_options.h"

namespace veilo {

class ShellNotifications;
struct ImageDoc;

enum class ImageFormat : uint8_t { kBmp, kJpeg, kPng, kJpeg2000, kTiff, kGif };

struct LoadOptions {
  bool noSmoothRead = false;         // JPEG: plain chroma upsampling
  bool fastPreview = false;          // the open dialog's preview
  bool showLibraryMessages = true;   // cleared by the slide show
  bool englishMessages = false;      // the language file is loaded
};

struct SaveOptions {
  JpegWriteOptions jpeg;
  GifSaveOptions gif;
  PngSaveOptions png;
  int bmpReduction = 0;           // the run's BmpReductionOption: 0, 256 or 16
  BmpOptionPrompt bmpPrompt;      // the BMP_OPT dialog; none takes its offered choice
  Jp2WriteOptions jp2;            // lossless unless told otherwise
  bool englishMessages = false;   // the language file is loaded
};

// Every writer as its dialog starts: JPEG 80/no smoothing/baseline/optimised/
// 1x1, GIF 256 colours, PNG without reduction, both not interlaced and with
// the document's own transparent colour, no BMP reduction, lossless JPEG 2000.
SaveOptions StartingSaveOptions(const ImageDoc& doc);

// The reader chosen for a path: the text after its last "." names JPEG
// ("jpg", "jpeg", "jfif", "jpe"), PNG, JPEG 2000 ("jp2", "jpc"), TIFF ("tif",
// "tiff") or GIF, case ignored; everything else (no dot at all, or a dot in a
// folder name only) is read as BMP.
ImageFormat LoadFormatForPath(std::string_view utf8Path);
// The writer chosen for a path: as for reading, except that TIFF is not
// written, so ".tif" saves as BMP.
ImageFormat SaveFormatForPath(std::string_view utf8Path);
const char* FormatName(ImageFormat format);

// Loads the file named by doc.path with the reader its extension chooses and
// leaves the picture in canonical 24-bit form. 0 = loaded, 1 = not loaded
// (the reader has reported why, except that a BMP file that cannot be opened
// fails silently).
int LoadImageFile(ShellNotifications& shell, ImageDoc& doc, const LoadOptions& options = {});

// Saves the picture under `utf8Path` with the writer its extension chooses.
// A read-only file is refused with its own message; a failed write shows
// "Write Error!" (GIF reports its own failures). Every writer replaces the
// target only once the new file is complete. `options.bmpReduction` takes
// the BMP dialog's choice. 0 = saved, 1 = not saved.
int SaveImageFile(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc, SaveOptions& options);

}  // namespace veilo
