#include "formats/png_reader.h"

#include <png.h>

#include <memory>
#include <new>
#include <vector>

#include "doc/image_doc.h"
#include "doc/picture_limits.h"
#include "formats/file_messages.h"
#include "platform/checked_math.h"
#include "doc/packed_dib.h"
#include "formats/png_glue.h"
#include "formats/png_messages.h"
#include "formats/png_pixels.h"
#include "formats/read_progress.h"
#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {
namespace {

constexpr size_t kBlockSize = 4096;
constexpr size_t kSignatureSize = 8;
// A document's width and height are 16-bit quantities.
constexpr png_uint_32 kMaxSide = 0xFFFF;
constexpr double kScreenGamma = 2.2;
constexpr double kDefaultFileGamma = 0.45455;

struct PngReadObjects {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngReadObjects() {
    if (png != nullptr) png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
  }
};

// What the progressive callbacks build. Decoded rows go straight into the
// bottom-up 24-bit rows of `dib`; only interlaced pictures with alpha need a
// full decoded copy, because blending must wait for a pixel's final pass.
struct PngReadState {
  png_structp png = nullptr;
  png_infop info = nullptr;
  PngErrorSink* sink = nullptr;
  ReadProgress* progress = nullptr;
  uint32_t width = 0, height = 0;
  int channels = 0;  // 3 (blue, green, red) or 4 (with alpha) after the transformations
  bool interlaced = false;
  PackedDib dib;
  uint8_t* bottomRow = nullptr;
  size_t stride = 0;
  std::unique_ptr<uint8_t[]> decoded;  // interlaced with alpha only, top row first
  size_t decodedRowBytes = 0;
  PngBackground background;
  PngTransparentPick transparent;
  // The latest row callback. libpng's progressive reader calls it for every
  // row of every pass (without data for rows a pass does not touch) and
  // ends without complaint when the compressed data stops early, so the end
  // callback checks that the last row of the last pass was reached.
  int64_t lastRow = -1;
  int lastPass = -1;
  bool done = false;

  uint8_t* DibRow(png_uint_32 row) const { return bottomRow + size_t{height - 1 - row} * stride; }
};

PngBackground BackgroundOf(png_structp png, png_infop info, int colourType, int bitDepth) {
  png_color_16p bkgd = nullptr;
  if (png_get_valid(png, info, PNG_INFO_bKGD) == 0 || png_get_bKGD(png, info, &bkgd) == 0 || bkgd == nullptr)
    return {};
  return BackgroundFromBkgd(colourType, bitDepth, {bkgd->red, bkgd->green, bkgd->blue});
}

// Allocates the picture once the transformed row layout is known. Returns
// the error message for libpng, or null.
const char* AllocatePicture(PngReadState& s) {
  const size_t rowBytes = png_get_rowbytes(s.png, s.info);
  if ((s.channels != 3 && s.channels != 4) || rowBytes != size_t{s.width} * static_cast<size_t>(s.channels))
    return "unexpected row layout";
  // Interlaced pictures with alpha are decoded whole before they are blended.
  const size_t decodeBytesPerPixel = s.interlaced && s.channels == 4 ? 4 : 0;
  if (!CanHoldPicture(s.width, s.height, decodeBytesPerPixel)) {
    // Our own message instead of the library's.
    if (s.sink != nullptr && s.sink->shell != nullptr) ReportPictureTooLarge(*s.sink->shell, s.width, s.height);
    if (s.sink != nullptr) s.sink->shell = nullptr;
    return "image too large";
  }
  if (decodeBytesPerPixel != 0) {
    const auto decodedBytes = CheckedMul(rowBytes, s.height);
    if (!decodedBytes || *decodedBytes > MaxPictureBlockBytes()) return "image too large";
    s.decoded.reset(new (std::nothrow) uint8_t[*decodedBytes]);
    if (!s.decoded) return kPngInsufficientMemoryText;
    s.decodedRowBytes = rowBytes;
  }
  s.dib = PackedDib::Canonical24(s.width, s.height);
  if (!s.dib) return kPngInsufficientMemoryText;
  s.bottomRow = DibPixelStart(s.dib.data());
  s.stride = RowStride24(s.width);
  return nullptr;
}

bool AllRowsArrived(const PngReadState& s) {
  constexpr int kLastAdam7Pass = 6;
  return s.lastRow == int64_t{s.height} - 1 && s.lastPass == (s.interlaced ? kLastAdam7Pass : 0);
}

// The callbacks below may leave by png_error (a longjmp): they hold nothing
// that needs destroying.
void OnInfo(png_structp png, png_infop info) {
  auto& s = *static_cast<PngReadState*>(png_get_progressive_ptr(png));
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colourType = 0, interlace = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
  s.width = width;
  s.height = height;
  s.interlaced = interlace != PNG_INTERLACE_NONE;
  s.background = BackgroundOf(png, info, colourType, bitDepth);

  const bool gray = (colourType & PNG_COLOR_MASK_COLOR) == 0;
  if (colourType == PNG_COLOR_TYPE_PALETTE || (gray && bitDepth < 8) ||
      png_get_valid(png, info, PNG_INFO_tRNS) != 0)
    png_set_expand(png);
  if (bitDepth == 16) png_set_strip_16(png);
  if (gray) png_set_gray_to_rgb(png);
  double fileGamma = 0.0;
  if (png_get_gAMA(png, info, &fileGamma) == 0 || !(fileGamma > 0.0)) fileGamma = kDefaultFileGamma;
  png_set_gamma(png, kScreenGamma, fileGamma);
  // Blue first, as the 24-bit rows hold it: opaque rows then need no reordering.
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  s.channels = png_get_channels(png, info);

  if (const char* error = AllocatePicture(s)) png_error(png, error);
}

void OnRow(png_structp png, png_bytep newRow, png_uint_32 rowNumber, int pass) {
  auto& s = *static_cast<PngReadState*>(png_get_progressive_ptr(png));
  s.lastRow = rowNumber;
  s.lastPass = pass;
  // Rows of every pass count alike: seven passes of all rows when interlaced.
  if (s.progress != nullptr)
    s.progress->Done(uint64_t{static_cast<uint32_t>(pass)} * s.height + rowNumber + 1,
                     uint64_t{s.height} * (s.interlaced ? 7 : 1));
  if (newRow == nullptr || rowNumber >= s.height || !s.dib) return;
  if (s.channels == 3) {
    // Earlier passes' pixels of an interlaced row stay where they are.
    png_progressive_combine_row(png, s.DibRow(rowNumber), newRow);
  } else if (s.interlaced) {
    png_progressive_combine_row(png, s.decoded.get() + size_t{rowNumber} * s.decodedRowBytes, newRow);
  } else {
    ConvertBgraRow(newRow, s.DibRow(rowNumber), s.width, s.background, s.transparent);
  }
}

void OnEnd(png_structp png, png_infop /*info*/) {
  auto& s = *static_cast<PngReadState*>(png_get_progressive_ptr(png));
  if (!AllRowsArrived(s)) png_error(png, "Not enough image data");
  if (s.decoded) {
    // Blend top row first, so the transparent colour is found where a
    // non-interlaced file of the same picture would give it.
    for (uint32_t y = 0; y < s.height; ++y)
      ConvertBgraRow(s.decoded.get() + size_t{y} * s.decodedRowBytes, s.DibRow(y), s.width, s.background,
                     s.transparent);
  }
  s.done = true;
}

std::vector<PngTextEntry> TextEntriesOf(png_structp png, png_infop info) {
  png_textp texts = nullptr;
  const int count = png_get_text(png, info, &texts, nullptr);
  std::vector<PngTextEntry> list;
  for (int i = 0; i < count; ++i) {
    const png_text& t = texts[i];
    list.push_back({t.key != nullptr ? t.key : "", t.text != nullptr ? std::string(t.text, t.text_length) : ""});
  }
  return list;
}

// Runs the read; false after a failure whose message has been shown.
bool DecodePng(ShellNotifications& shell, std::FILE* file, PngReadState& s, std::vector<PngTextEntry>& texts) {
  std::unique_ptr<png_byte[]> block(new (std::nothrow) png_byte[kBlockSize]);
  if (!block) {
    shell.ShowError(kPngReadMemoryText);
    return false;
  }
  size_t got = std::fread(block.get(), 1, kBlockSize, file);
  if (got < kSignatureSize || png_sig_cmp(block.get(), 0, kSignatureSize) != 0) {
    shell.ShowError(kPngNotPngText);
    return false;
  }

  PngErrorSink sink{&shell};
  PngReadObjects objects;
  objects.png = CreatePngReader(sink);
  if (objects.png != nullptr) objects.info = png_create_info_struct(objects.png);
  if (objects.png == nullptr || objects.info == nullptr) {
    shell.ShowError(kPngInsufficientMemoryText);
    return false;
  }
  s.png = objects.png;
  s.info = objects.info;
  s.sink = &sink;
  ReadProgress progress(shell, "PNG");
  s.progress = &progress;
  if (!GuardedStartProgressiveRead(objects.png, &s, OnInfo, OnRow, OnEnd, kMaxSide, kMaxSide)) {
    shell.ShowError(kPngBadHeaderText);
    return false;
  }

  for (;;) {
    if (!GuardedProcessData(objects.png, objects.info, block.get(), got)) return false;
    if (s.done) break;
    got = std::fread(block.get(), 1, kBlockSize, file);
    if (got == 0) {
      shell.ShowError(kPngTruncatedText);
      return false;
    }
  }
  if (!s.dib) {  // an end without image data; libpng refuses such files itself
    shell.ShowError(kPngTruncatedText);
    return false;
  }
  texts = TextEntriesOf(objects.png, objects.info);
  return true;
}

}  // namespace

int ReadPngFile(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc) {
  FilePtr file = OpenFile(utf8Path, "rb");
  if (!file) {
    shell.ShowError(kPngFileOpenErrorText);
    return 0;
  }
  PngReadState state;
  std::vector<PngTextEntry> texts;
  if (!DecodePng(shell, file.get(), state, texts)) {
    SetDocPicture(doc, {});
    return 0;
  }
  doc.fileHeader = {};
  doc.fileHeader[0] = 'B';
  doc.fileHeader[1] = 'M';
  SetDocPicture(doc, std::move(state.dib));
  doc.pngTextList = std::move(texts);
  doc.useTransparent = state.transparent.found ? 1 : 0;
  doc.transparentColor = state.transparent.colour;
  return 1;
}

}  // namespace veilo
