#include "formats/image_dispatch.h"

#include <array>

#include "doc/image_doc.h"
#include "formats/bmp_reader.h"
#include "formats/content_format.h"
#include "formats/dib_convert.h"
#include "formats/file_messages.h"
#include "formats/gif_reader.h"
#include "formats/gif_writer.h"
#include "formats/image_files.h"
#include "formats/jp2_reader.h"
#include "formats/jp2_writer.h"
#include "formats/jpeg_reader.h"
#include "formats/jpeg_writer.h"
#include "formats/png_reader.h"
#include "formats/png_writer.h"
#include "formats/reader_flags.h"
#include "formats/tiff_reader.h"
#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {

namespace {

// Readers return nonzero on success; writers true when the file was written.
using LoadFunction = int (*)(ShellNotifications&, ImageDoc&, const LoadOptions&);
using SaveFunction = bool (*)(ShellNotifications&, const std::string&, ImageDoc&, SaveOptions&);

int LoadJpeg(ShellNotifications& shell, ImageDoc& doc, const LoadOptions& o) {
  JpegReadOptions jpeg;
  jpeg.noSmoothRead = o.noSmoothRead;
  jpeg.fastPreview = o.fastPreview;
  jpeg.showLibraryMessages = o.showLibraryMessages;
  jpeg.englishMessages = o.englishMessages;
  return ReadJpegFile(shell, doc, jpeg);
}
int LoadPng(ShellNotifications& shell, ImageDoc& doc, const LoadOptions&) { return ReadPngFile(shell, doc.path, doc); }
int LoadGif(ShellNotifications& shell, ImageDoc& doc, const LoadOptions&) { return ReadGifFile(shell, doc.path, doc); }

int LoadTiff(ShellNotifications& shell, ImageDoc& doc, const LoadOptions&) { return ReadTiffFile(shell, doc); }
int LoadJp2(ShellNotifications& shell, ImageDoc& doc, const LoadOptions&) { return ReadJp2File(shell, doc); }

bool SaveJpeg(ShellNotifications& shell, const std::string& path, ImageDoc& doc, SaveOptions& o) {
  JpegWriteOptions jpeg = o.jpeg;
  jpeg.englishMessages = o.englishMessages;
  return WriteJpegFile(shell, path, doc, jpeg) == 0;
}
bool SavePng(ShellNotifications& shell, const std::string& path, ImageDoc& doc, SaveOptions& o) {
  if (o.pngPrompt && !o.pngPrompt(doc, CountColours(DocPixels(doc)), o.png)) return false;
  return WritePngFile(shell, path, doc, o.png) != 0;
}
bool SaveGif(ShellNotifications& shell, const std::string& path, ImageDoc& doc, SaveOptions& o) {
  if (o.gifPrompt && !o.gifPrompt(doc, o.gif)) return false;
  return WriteGifFile(shell, path, doc, o.gif) != 0;
}
bool SaveJp2(ShellNotifications& shell, const std::string& path, ImageDoc& doc, SaveOptions& o) {
  if (o.jp2Prompt && !o.jp2Prompt(o.jp2)) return false;
  return WriteJp2File(shell, path, doc, o.jp2) != 0;
}
bool SaveBmp(ShellNotifications& shell, const std::string& path, ImageDoc& doc, SaveOptions& o) {
  return SaveBmpWithOptions(shell, path, doc, o.bmpReduction, o.bmpPrompt) != 0;
}

// One entry per format: the extensions that choose it (after the dot, upper
// case) for reading and writing, and those that choose it for reading only,
// its reader and writer (none: not written, the file becomes a BMP), and how
// the save dispatch treats the writer.
struct FormatCodec {
  ImageFormat format;
  const char* name;
  std::array<std::string_view, 4> extensions;
  std::array<std::string_view, 4> readOnlyExtensions;  // saved as BMP
  LoadFunction load;
  SaveFunction save;
  bool writerReportsItsFailures;  // the dispatch adds no "Write Error!"
  bool clearsMessagePane;         // the writer shows progress in the message pane
};

constexpr std::array<FormatCodec, 5> kCodecs = {{
    {ImageFormat::kJpeg, "JPEG", {"JPG", "JPEG", "JFIF", "JPE"}, {}, LoadJpeg, SaveJpeg, false, true},
    {ImageFormat::kPng, "PNG", {"PNG"}, {}, LoadPng, SavePng, false, true},
    // Code streams are also named .j2k and .j2c; .jpf and .jpx files whose
    // code stream a JP2 reader can take read as JP2.
    {ImageFormat::kJpeg2000, "JPEG 2000", {"JP2", "JPC"}, {"J2K", "J2C", "JPF", "JPX"}, LoadJp2, SaveJp2, false, true},
    {ImageFormat::kTiff, "TIFF", {}, {"TIF", "TIFF"}, LoadTiff, nullptr, false, false},
    {ImageFormat::kGif, "GIF", {"GIF"}, {}, LoadGif, SaveGif, true, false},
}};

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsUpper(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (UpperAscii(text[i]) != upper[i]) return false;
  return true;
}

// The text after the path's last dot, or nullopt without one. UTF-8 never
// has a '.' byte inside a character, so a plain search is exact.
std::optional<std::string_view> ExtensionOf(std::string_view path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  return path.substr(dot + 1);
}

bool AnyEqualsUpper(std::string_view text, const std::array<std::string_view, 4>& upper) {
  for (std::string_view e : upper)
    if (!e.empty() && EqualsUpper(text, e)) return true;
  return false;
}

enum class Use : uint8_t { kRead, kWrite };

// The codec whose extension is the text after the path's last dot; for
// writing, only one whose extension it writes.
const FormatCodec* CodecForPath(std::string_view path, Use use) {
  const std::optional<std::string_view> extension = ExtensionOf(path);
  if (!extension) return nullptr;
  for (const FormatCodec& codec : kCodecs) {
    if (AnyEqualsUpper(*extension, codec.extensions)) return &codec;
    if (use == Use::kRead && AnyEqualsUpper(*extension, codec.readOnlyExtensions)) return &codec;
  }
  return nullptr;
}

// The BMP reader takes every other name; these two are its own.
bool NamesBmp(std::string_view path) {
  const std::optional<std::string_view> extension = ExtensionOf(path);
  return extension && (EqualsUpper(*extension, "BMP") || EqualsUpper(*extension, "DIB"));
}

const FormatCodec* CodecFor(ImageFormat format) {
  for (const FormatCodec& codec : kCodecs)
    if (codec.format == format) return &codec;
  return nullptr;
}

// This thread's reader switches for the length of one load.
class ScopedReaderFlags {
 public:
  explicit ScopedReaderFlags(const LoadOptions& o) : saved_(CurrentReaderFlags()) {
    CurrentReaderFlags().fastPreview = o.fastPreview;
    CurrentReaderFlags().showLibraryMessages = o.showLibraryMessages;
    CurrentReaderFlags().englishMessages = o.englishMessages;
  }
  ~ScopedReaderFlags() { CurrentReaderFlags() = saved_; }
  ScopedReaderFlags(const ScopedReaderFlags&) = delete;
  ScopedReaderFlags& operator=(const ScopedReaderFlags&) = delete;

 private:
  ReaderFlags saved_;
};

}  // namespace

void ApplyRunSaveChoices(const RunSaveChoices& c, SaveOptions& o) {
  o.gif.maxColours = c.gifMaxColours;
  o.gif.interlace = c.gifInterlace;
  o.png.reduction = c.pngReduction;
  o.png.interlace = c.pngInterlace;
  o.bmpReduction = c.bmpReduction;
}

RunSaveChoices RunSaveChoicesOf(const SaveOptions& o) {
  return {o.gif.maxColours, o.gif.interlace, o.png.reduction, o.png.interlace, o.bmpReduction};
}

SaveOptions StartingSaveOptions(const ImageDoc& doc) {
  SaveOptions options;
  options.gif = StartingGifSaveOptions(doc);
  options.png = StartingPngSaveOptions(doc);
  return options;
}

ImageFormat LoadFormatForPath(std::string_view path) {
  const FormatCodec* codec = CodecForPath(path, Use::kRead);
  return codec ? codec->format : ImageFormat::kBmp;
}

ImageFormat SaveFormatForPath(std::string_view path) {
  const FormatCodec* codec = CodecForPath(path, Use::kWrite);
  return codec && codec->save ? codec->format : ImageFormat::kBmp;
}

const char* FormatName(ImageFormat format) {
  const FormatCodec* codec = CodecFor(format);
  return codec ? codec->name : "BMP";
}

std::optional<ContentMismatch> FindContentMismatch(std::string_view path) {
  const std::optional<ImageFormat> found = FormatOfFileContent(path);
  const ImageFormat named = LoadFormatForPath(path);
  if (!found || *found == named) return std::nullopt;
  const bool namedByExtension = CodecForPath(path, Use::kRead) != nullptr || NamesBmp(path);
  return ContentMismatch{named, *found, namedByExtension};
}

int LoadImageFile(ShellNotifications& shell, ImageDoc& doc, const LoadOptions& options) {
  ImageFormat format = LoadFormatForPath(doc.path);
  ScopedReaderFlags flags(options);
  if (const std::optional<ContentMismatch> mismatch = FindContentMismatch(doc.path)) {
    switch (options.mismatchedContent) {
      case MismatchedContent::kReport:
        ReportError(shell, ContentMismatchText(doc.path, *mismatch, options.englishMessages));
        return 1;
      case MismatchedContent::kIgnore: return 1;
      case MismatchedContent::kReadAsFound: format = mismatch->found; break;
    }
  }
  const FormatCodec* codec = CodecFor(format);
  if (!codec) {
    const int result = ReadBmpFile(shell, doc);  // it shows its own wait cursor
    shell.SetMessagePane("");                   // and its progress
    return result;
  }
  int loaded = 0;
  {
    WaitCursor wait(shell);
    loaded = codec->load(shell, doc, options);
    shell.SetMessagePane("");
  }
  if (loaded == 0) return 1;
  if (doc.bitCount == 1 || doc.bitCount == 4 || doc.bitCount == 8 || doc.bitCount == 16)
    return ConvertDocTo24(shell, doc);
  return 0;
}

int SaveImageFile(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc, SaveOptions& options) {
  if (IsReadOnlyFile(utf8Path)) {
    ReportError(shell, FileMessageText(FileMessage::kWriteErrorReadOnly, options.englishMessages));
    return 1;
  }
  const FormatCodec* codec = CodecForPath(utf8Path, Use::kWrite);
  if (codec && !codec->save) codec = nullptr;  // not written: saved as BMP
  const bool saved = codec ? codec->save(shell, utf8Path, doc, options) : SaveBmp(shell, utf8Path, doc, options);
  if (codec && codec->clearsMessagePane) shell.SetMessagePane("");
  if (saved) return 0;
  if (!codec || !codec->writerReportsItsFailures) ReportError(shell, FileMessageText(FileMessage::kWriteError, options.englishMessages));
  return 1;
}

}  // namespace veilo
