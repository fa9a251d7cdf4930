#pragma once
// Choosing the reader or writer of a picture file by its name's extension,
// and the options that stand in for the writers' dialogs.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "formats/bmp_save.h"
#include "formats/content_format.h"
#include "formats/gif_save_options.h"
#include "formats/jp2_options.h"
#include "formats/jpeg_options.h"
#include "formats/png_colour_mode.h"
#include "formats/png_save_options.h"

namespace veilo {

class ShellNotifications;
struct ImageDoc;

// What a load does with a file whose content is plainly another picture
// format than its name chooses (a PNG file named .bmp).
enum class MismatchedContent : uint8_t {
  kReport,       // explain it in the error box and load nothing
  kIgnore,       // load nothing and say nothing (the slide show)
  kReadAsFound,  // read it with the reader of the format it holds
};

struct LoadOptions {
  bool noSmoothRead = false;         // JPEG: plain chroma upsampling
  bool fastPreview = false;          // the open dialog's preview
  bool showLibraryMessages = true;   // cleared by the slide show
  bool englishMessages = false;      // the language file is loaded
  MismatchedContent mismatchedContent = MismatchedContent::kReport;
  friend bool operator==(const LoadOptions&, const LoadOptions&) = default;
};

// The option dialogs a save shows before it writes. Each may change the
// options it is given; false is Cancel, and nothing is written. A save
// without a prompt writes with the options as they are (the command line).
// GIF dialog 102: the colours, interlace, and this save's transparent colour.
using GifOptionPrompt = std::function<bool(ImageDoc& doc, GifSaveOptions& options)>;
// PNG_OPT: the reduction (what `count` lets stand), interlace, the
// transparent colour, and the document's text entries, which it may edit.
using PngOptionPrompt = std::function<bool(ImageDoc& doc, const PngColourCount& count, PngSaveOptions& options)>;
// JP2_OPT: lossless or a rate.
using Jp2OptionPrompt = std::function<bool(Jp2WriteOptions& options)>;

struct SaveOptions {
  JpegWriteOptions jpeg;
  GifSaveOptions gif;
  PngSaveOptions png;
  int bmpReduction = 0;           // the run's BmpReductionOption: 0, 256 or 16
  BmpOptionPrompt bmpPrompt;      // the BMP_OPT dialog; none takes its offered choice
  Jp2WriteOptions jp2;            // lossless unless told otherwise
  GifOptionPrompt gifPrompt;
  PngOptionPrompt pngPrompt;
  Jp2OptionPrompt jp2Prompt;
  bool englishMessages = false;   // the language file is loaded
};

// The choices a user makes in the save dialogs that hold for the rest of the
// run (not kept in the settings file): GIF colours and interlace, PNG
// reduction and interlace, the BMP reduction.
struct RunSaveChoices {
  int gifMaxColours = 256;
  bool gifInterlace = false;
  int pngReduction = 0;
  bool pngInterlace = false;
  int bmpReduction = 0;
};
void ApplyRunSaveChoices(const RunSaveChoices& choices, SaveOptions& options);
RunSaveChoices RunSaveChoicesOf(const SaveOptions& options);

// Every writer as its dialog starts: JPEG 80/no smoothing/baseline/optimised/
// 1x1, GIF 256 colours, PNG without reduction, both not interlaced and with
// the document's own transparent colour, no BMP reduction, lossless JPEG 2000.
SaveOptions StartingSaveOptions(const ImageDoc& doc);

// The reader chosen for a path: the text after its last "." names JPEG
// ("jpg", "jpeg", "jfif", "jpe"), PNG, JPEG 2000 ("jp2", "jpc", and the code
// stream and JPX names "j2k", "j2c", "jpf", "jpx"), TIFF ("tif", "tiff") or
// GIF, case ignored; everything else (no dot at all, or a dot in a folder
// name only) is read as BMP.
ImageFormat LoadFormatForPath(std::string_view utf8Path);
// The writer chosen for a path: as for reading, except that TIFF is not
// written, so ".tif" saves as BMP, and JPEG 2000 is written only as ".jp2"
// and ".jpc" (the other JPEG 2000 names save as BMP too).
ImageFormat SaveFormatForPath(std::string_view utf8Path);
const char* FormatName(ImageFormat format);

// How the content of a file differs from the format its name chooses;
// nullopt when the content is of that format, is of no format we know, or
// cannot be read.
std::optional<ContentMismatch> FindContentMismatch(std::string_view utf8Path);

// Loads the file named by doc.path with the reader its extension chooses and
// leaves the picture in canonical 24-bit form. 0 = loaded, 1 = not loaded
// (the reader has reported why, except that a BMP file that cannot be opened
// fails silently). A file whose content is plainly another format is handled
// as options.mismatchedContent says; by default it is explained
// (ContentMismatchText) without running the wrong reader.
int LoadImageFile(ShellNotifications& shell, ImageDoc& doc, const LoadOptions& options = {});

// Saves the picture under `utf8Path` with the writer its extension chooses.
// A read-only file is refused with its own message; a failed write shows
// "Write Error!" (GIF reports its own failures). Every writer replaces the
// target only once the new file is complete. The format's option prompt, if
// set, runs first and may change `options` (`options.bmpReduction` takes the
// BMP dialog's choice); a cancelled GIF dialog shows no message, a cancelled
// PNG, BMP or JPEG 2000 dialog the "Write Error!" of a save that did not
// happen. 0 = saved, 1 = not saved.
int SaveImageFile(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc, SaveOptions& options);

}  // namespace veilo
