#include "formats/bmp_save.h"

#include <memory>
#include <new>

#include "doc/image_doc.h"
#include "formats/bmp_writer.h"
#include "formats/colour_count.h"
#include "formats/colour_quantiser.h"
#include "platform/shell_notifications.h"

namespace veilo {

bool IsBmpReduction(int option) { return option == 0 || option == 256 || option == 16; }

bool IsBmp256Offered(uint32_t colourCount) { return colourCount > 256; }

int OfferedBmpReduction(uint32_t colourCount, int option) {
  return option == 256 && !IsBmp256Offered(colourCount) ? 0 : option;
}

int WriteReducedBmp(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc, int colours) {
  if (!doc.HasPicture()) return 0;
  const PixelBuffer pixels = DocPixels(doc);
  const size_t count = static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height);
  std::unique_ptr<uint8_t[]> indices(new (std::nothrow) uint8_t[count]());
  if (!indices) return 0;
  const std::optional<QuantPalette> palette = QuantiseImage(pixels, colours, indices.get());
  if (!palette) return 0;

  PackedDib reduced = PackedDib::Canonical24(static_cast<uint32_t>(pixels.width), static_cast<uint32_t>(pixels.height));
  if (reduced.empty()) return 0;
  const PixelBuffer out{reduced.data() + kInfoHeaderSize, pixels.width, pixels.height, pixels.stride};
  // The index rows run from the top row down; Row() addresses from the top too.
  for (int32_t y = 0; y < pixels.height; ++y) {
    const uint8_t* index = indices.get() + static_cast<size_t>(y) * static_cast<size_t>(pixels.width);
    uint8_t* row = out.Row(y);
    for (int32_t x = 0; x < pixels.width; ++x) {
      const uint8_t i = index[x];
      row[3 * x + kBlue] = palette->blue[i];
      row[3 * x + kGreen] = palette->green[i];
      row[3 * x + kRed] = palette->red[i];
    }
  }
  indices.reset();
  return WriteBmpFile(shell, utf8Path, reduced);
}

int SaveBmpWithOptions(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc,
                       int& reductionOption, const BmpOptionPrompt& prompt) {
  if (!doc.HasPicture()) return 0;
  const uint32_t colours = CountDistinctColours(shell, DocPixels(doc), kBmpColourCountLimit);
  if (colours > 16) {
    reductionOption = OfferedBmpReduction(colours, reductionOption);
    if (prompt && !prompt(colours, reductionOption)) return 0;
  }
  if (!IsBmpReduction(reductionOption)) return 0;
  WaitCursor wait(shell);
  if (reductionOption == 0) return WriteBmpFile(shell, utf8Path, doc.dib);
  return WriteReducedBmp(shell, utf8Path, doc, reductionOption);
}

}  // namespace veilo
