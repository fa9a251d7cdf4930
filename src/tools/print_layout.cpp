#include "tools/print_layout.h"

#include "masks/turn_pixels.h"

namespace veilo {

int32_t MarginPixels(const PrinterPage& page, int32_t hundredthsMm) {
  if (page.widthMm <= 0) return 0;
  const int64_t pixelsPerMm = page.widthPixels / page.widthMm;
  return static_cast<int32_t>(pixelsPerMm * hundredthsMm / 100);
}

bool ShouldTurnForPrint(int32_t areaWidth, int32_t areaHeight, int32_t pictureWidth, int32_t pictureHeight) {
  return (areaHeight < areaWidth && pictureHeight > pictureWidth) ||
         (areaWidth < areaHeight && pictureWidth > pictureHeight);
}

std::optional<PrintPlacement> PlacePrint(const PrinterPage& page, const PageMargins& margins,
                                         int32_t pictureWidth, int32_t pictureHeight) {
  const int64_t left = MarginPixels(page, margins.left), top = MarginPixels(page, margins.top);
  const int64_t width = int64_t{page.widthPixels} - left - MarginPixels(page, margins.right);
  const int64_t height = int64_t{page.heightPixels} - top - MarginPixels(page, margins.bottom);
  if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
  PrintPlacement placement;
  const auto W = static_cast<int32_t>(width), H = static_cast<int32_t>(height);
  placement.turn = ShouldTurnForPrint(W, H, pictureWidth, pictureHeight);
  const int32_t w = placement.turn ? pictureHeight : pictureWidth;
  const int32_t h = placement.turn ? pictureWidth : pictureHeight;
  const std::optional<FitRect> fit = FitPicture(w, h, W, H);
  if (!fit) return std::nullopt;
  placement.output = *fit;
  placement.output.x += static_cast<int32_t>(left);
  placement.output.y += static_cast<int32_t>(top);
  return placement;
}

PackedDib TurnedForPrint(const PackedDib& picture, TurnedDibAllocator allocate) {
  const std::optional<DibHeader> header = CheckedDibHeader(picture.data(), picture.size());
  if (picture.empty() || !header || !IsCanonical24(*header) || header->width == 0 || header->height == 0)
    return {};
  PackedDib turned = allocate(header->height, header->width);
  if (turned.empty()) return {};
  PixelBuffer src;
  // Only read from: the turn takes its source through the same mutable view
  // the masks use.
  src.bits = const_cast<uint8_t*>(DibPixelStart(picture.data()));
  src.width = static_cast<int32_t>(header->width);
  src.height = static_cast<int32_t>(header->height);
  src.stride = RowStride24(header->width);
  PixelBuffer dst;
  dst.bits = DibPixelStart(turned.data());
  dst.width = src.height;
  dst.height = src.width;
  dst.stride = RowStride24(header->height);
  TurnQuarter(src, dst, true);
  return turned;
}

}  // namespace veilo
