#include "formats/gif_reader.h"

#include "formats/file_messages.h"
#include "formats/read_progress.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "doc/image_doc.h"
#include "formats/gif_interlace.h"
#include "formats/gif_lzw_decoder.h"
#include "platform/le_bytes.h"
#include "formats/reader_flags.h"
#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {

namespace {

constexpr int kExtensionIntroducer = 0x21;
constexpr int kImageSeparator = 0x2C;
constexpr int kTrailer = 0x3B;
constexpr int kGraphicControlLabel = 0xF9;

// The colour table as blue, green, red and a spare byte per entry, so that a
// pixel can be copied as one 4-byte word. A local table overwrites the front
// of the global one; entries that no table set stay black.
using BgrTable = std::array<uint8_t, 256 * 4>;

bool ReadColourTable(ByteReader& in, uint8_t packed, BgrTable& table) {
  const size_t entries = size_t{2} << (packed & 7);
  uint8_t rgb[256 * 3];
  if (in.Read(rgb, entries * 3) != entries * 3) return false;
  for (size_t i = 0; i < entries; ++i) {
    table[4 * i + 0] = rgb[3 * i + 2];
    table[4 * i + 1] = rgb[3 * i + 1];
    table[4 * i + 2] = rgb[3 * i + 0];
  }
  return true;
}

struct Transparency {
  bool on = false;
  uint8_t index = 0;
};

// Skips one extension after its introducer, noting a transparent index from a
// graphic control extension. False when the input ends inside it.
bool ReadExtension(ByteReader& in, Transparency& transparency) {
  const int label = in.ReadByte();
  if (label < 0) return false;
  uint8_t data[4] = {};
  size_t dataSeen = 0;
  for (;;) {
    const int size = in.ReadByte();
    if (size < 0) return false;
    if (size == 0) break;
    for (int i = 0; i < size; ++i) {
      const int b = in.ReadByte();
      if (b < 0) return false;
      if (dataSeen < sizeof data) data[dataSeen++] = static_cast<uint8_t>(b);
    }
  }
  if (label == kGraphicControlLabel && dataSeen == sizeof data && (data[0] & 1) != 0) {
    transparency.on = true;
    transparency.index = data[3];
  }
  return true;
}

struct ImageDescriptor {
  uint16_t left = 0, top = 0, width = 0, height = 0;
  uint8_t packed = 0;
};

// Reads blocks up to the first image descriptor. False at the trailer or the
// end of the input. Bytes that introduce no known block are passed over.
bool FindFirstImage(ByteReader& in, Transparency& transparency, ImageDescriptor& image) {
  for (;;) {
    const int b = in.ReadByte();
    if (b < 0 || b == kTrailer) return false;
    if (b == kExtensionIntroducer) {
      if (!ReadExtension(in, transparency)) return false;
      continue;
    }
    if (b != kImageSeparator) continue;
    uint8_t d[9];
    if (in.Read(d, sizeof d) != sizeof d) return false;
    image = {GetLe16(d), GetLe16(d + 2), GetLe16(d + 4), GetLe16(d + 6), d[8]};
    return true;
  }
}

void StoreRow(const uint8_t* indices, uint32_t width, const BgrTable& table, uint8_t* dst) {
  // Four bytes per pixel, each write's fourth byte overwritten by the next
  // pixel; the last pixel is copied exactly so the write stays in the row.
  const uint32_t last = width - 1;
  for (uint32_t x = 0; x < last; ++x, dst += 3) std::memcpy(dst, &table[4 * size_t{indices[x]}], 4);
  std::memcpy(dst, &table[4 * size_t{indices[last]}], 3);
}

}  // namespace

std::optional<GifImage> DecodeFirstGifImage(ByteReader& in, PictureSize* tooLarge, ReadProgress* progress) {
  uint8_t header[6];
  if (in.Read(header, sizeof header) != sizeof header || header[0] != 'G' || header[1] != 'I' ||
      header[2] != 'F')
    return std::nullopt;
  uint8_t screen[7];
  if (in.Read(screen, sizeof screen) != sizeof screen) return std::nullopt;
  BgrTable table{};
  if ((screen[4] & 0x80) != 0 && !ReadColourTable(in, screen[4], table)) return std::nullopt;

  Transparency transparency;
  ImageDescriptor desc;
  if (!FindFirstImage(in, transparency, desc)) return std::nullopt;
  if ((desc.packed & 0x80) != 0 && !ReadColourTable(in, desc.packed, table)) return std::nullopt;
  const int minCodeSize = in.ReadByte();
  if (minCodeSize < GifLzwDecoder::kMinCodeSizeLow || minCodeSize > GifLzwDecoder::kMinCodeSizeHigh)
    return std::nullopt;
  if (desc.width == 0 || desc.height == 0) return std::nullopt;

  GifImage image;
  image.width = desc.width;
  image.height = desc.height;
  image.screenWidth = GetLe16(screen);
  image.screenHeight = GetLe16(screen + 2);
  image.left = desc.left;
  image.top = desc.top;
  image.interlaced = (desc.packed & 0x40) != 0;
  // Decoding needs one row of indices besides the picture.
  if (!CanHoldPicture(image.width, image.height, 0)) {
    if (tooLarge != nullptr) *tooLarge = {image.width, image.height};
    return std::nullopt;
  }
  image.dib = PackedDib::Canonical24(image.width, image.height);
  if (image.dib.empty()) return std::nullopt;
  std::unique_ptr<uint8_t[]> indices(new (std::nothrow) uint8_t[image.width]);
  std::unique_ptr<GifLzwDecoder> decoder(new (std::nothrow) GifLzwDecoder(in, minCodeSize));
  if (!indices || !decoder) return std::nullopt;

  uint8_t* const bottomRow = DibPixelStart(image.dib.data());
  const size_t stride = RowStride24(image.width);
  // Once the data has run out every row is index 0: a few bytes may promise a
  // huge image, so that row is built once and copied, or, when index 0 is
  // black, the rest of the fresh (zero-filled) picture is left as it is.
  const bool indexZeroBlack = table[0] == 0 && table[1] == 0 && table[2] == 0;
  const uint8_t* zeroRow = nullptr;
  for (uint32_t k = 0; k < image.height; ++k) {
    const uint32_t y = image.interlaced ? GifInterlacedRow(k, image.height) : k;
    uint8_t* const row = bottomRow + (image.height - 1 - y) * stride;
    if (zeroRow != nullptr) {
      std::memcpy(row, zeroRow, stride);
      continue;
    }
    const bool allZero = decoder->OnlyZerosLeft();
    if (allZero && indexZeroBlack) break;
    if (!decoder->Decode(indices.get(), image.width)) {
      image.dataError = true;
      break;
    }
    StoreRow(indices.get(), image.width, table, row);
    if (allZero) zeroRow = row;
    if (progress != nullptr) progress->Done(k + 1, image.height);
  }
  // Rows left black or copied are done as well.
  if (progress != nullptr) progress->Done(image.height, image.height);
  if (transparency.on) {
    const uint8_t* c = &table[4 * size_t{transparency.index}];
    image.transparent = true;
    image.transparentColour = {c[2], c[1], c[0]};
  }
  return image;
}

int ReadGifFile(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc) {
  FilePtr file = OpenFile(utf8Path, "rb");
  if (!file) {
    shell.ShowError("can't open " + utf8Path + "\n");
    return 0;
  }
  ByteReader input(file.get());
  PictureSize tooLarge;
  ReadProgress progress(shell, "GIF");
  std::optional<GifImage> image = DecodeFirstGifImage(input, &tooLarge, &progress);
  const bool showMessages = CurrentReaderFlags().showLibraryMessages;
  if (!image) {
    if (tooLarge.width != 0)
      ReportPictureTooLarge(shell, tooLarge.width, tooLarge.height);
    else if (showMessages)
      shell.ShowError(kGifReadErrorText);
    return 0;
  }
  if (image->dataError && showMessages) shell.ShowError(kGifReadErrorText);
  SetDocPicture(doc, std::move(image->dib));
  doc.fileHeader = {};
  doc.fileHeader[0] = 'B';
  doc.fileHeader[1] = 'M';
  doc.useTransparent = image->transparent ? 1 : 0;
  if (image->transparent) doc.transparentColor = image->transparentColour;
  return 1;
}

}  // namespace veilo
