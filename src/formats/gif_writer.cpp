#include "formats/gif_writer.h"

#include <vector>

#include "doc/image_doc.h"
#include "formats/gif_interlace.h"
#include "formats/gif_lzw_encoder.h"
#include "formats/gif_palette.h"
#include "platform/file_io.h"
#include "platform/shell_notifications.h"

namespace veilo {

namespace {

constexpr size_t kFlushBytes = 64 * 1024;

// n for a colour table of 2^n entries: 1 for 2 entries, else at least 2.
int ColourTableBits(int entries) {
  if (entries <= 2) return 1;
  int n = 2;
  while ((1 << n) < entries) ++n;
  return n;
}

void AppendLe16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

// Header, logical screen, global colour table, graphic control extension and
// image descriptor, up to and including the LZW minimum code size.
void AppendHeaders(std::vector<uint8_t>& out, const GifIndexedImage& image, uint32_t width, uint32_t height,
                   bool interlace, int tableBits) {
  for (char c : {'G', 'I', 'F', '8', '9', 'a'}) out.push_back(static_cast<uint8_t>(c));
  AppendLe16(out, width);
  AppendLe16(out, height);
  out.push_back(static_cast<uint8_t>(0x80 | (tableBits - 1)));
  out.push_back(0);  // background colour index
  out.push_back(0);  // pixel aspect ratio
  out.insert(out.end(), image.palette.begin(), image.palette.end());

  out.insert(out.end(), {0x21, 0xF9, 4});
  out.push_back(static_cast<uint8_t>(0x02 | (image.transparent ? 0x01 : 0x00)));
  AppendLe16(out, 0);  // delay
  out.push_back(image.transparent ? image.transparentIndex : 0);
  out.push_back(0);

  out.push_back(0x2C);
  AppendLe16(out, 0);
  AppendLe16(out, 0);
  AppendLe16(out, width);
  AppendLe16(out, height);
  out.push_back(static_cast<uint8_t>((tableBits - 1) | (interlace ? 0x40 : 0x00)));
  out.push_back(static_cast<uint8_t>(tableBits < 2 ? 2 : tableBits));
}

bool Flush(SafeFileWriter& file, std::vector<uint8_t>& out) {
  const bool ok = file.Write(out.data(), out.size());
  out.clear();
  return ok;
}

bool WriteGifStream(SafeFileWriter& file, const GifIndexedImage& image, uint32_t width, uint32_t height,
                    bool interlace) {
  const int tableBits = ColourTableBits(image.entries);
  std::vector<uint8_t> out;
  out.reserve(kFlushBytes + 4096);
  AppendHeaders(out, image, width, height, interlace, tableBits);
  GifLzwEncoder encoder(tableBits < 2 ? 2 : tableBits, out);
  for (uint32_t k = 0; k < height; ++k) {
    const uint32_t y = interlace ? GifInterlacedRow(k, height) : k;
    encoder.Add(image.indices.get() + size_t{y} * width, width);
    if (out.size() >= kFlushBytes && !Flush(file, out)) return false;
  }
  encoder.Finish();
  out.push_back(0x3B);  // trailer
  return Flush(file, out);
}

}  // namespace

int WriteGifFile(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc,
                 const GifSaveOptions& options) {
  SafeFileWriter file(utf8Path);
  if (!file.ok()) {
    shell.ShowError(kGifFileOpenErrorText);
    return 0;
  }
  WaitCursor wait(shell);
  const bool sizeOk = doc.HasPicture() && doc.bitCount == 24 && doc.width <= 0xFFFF && doc.height <= 0xFFFF;
  std::optional<GifIndexedImage> image;
  if (sizeOk) image = BuildGifIndexedImage(DocPixels(doc), options);
  if (!image || !WriteGifStream(file, *image, static_cast<uint32_t>(doc.width), static_cast<uint32_t>(doc.height),
                                options.interlace) ||
      !file.Commit()) {
    shell.ShowError(kGifFileSaveErrorText);
    return 0;
  }
  return 1;
}

}  // namespace veilo
