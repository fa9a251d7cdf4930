#include "view/clipboard_win.h"

#include "doc/area_copy.h"
#include "platform/handles_win.h"

namespace veilo {

bool CopyPictureToClipboard(HWND window, ImageDoc& doc) {
  if (!doc.HasPicture()) return true;
  PackedDib area;
  const ImageDoc* source = &doc;
  ImageDoc part;
  if (doc.areaSelected) {
    area = CopyPictureArea(doc, NormalisedRect(doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2));
    if (area.empty()) return NormalisedRect(doc.areaX1, doc.areaY1, doc.areaX2, doc.areaY2).Empty();
    SetDocPicture(part, std::move(area));
    source = &part;
  }
  const auto* info = reinterpret_cast<const BITMAPINFO*>(source->dib.data());
  Bitmap bitmap;
  {
    ClientDc dc(window);
    bitmap.reset(CreateDIBitmap(dc.get(), &info->bmiHeader, CBM_INIT, DibPixelStart(source->dib.data()), info,
                                DIB_RGB_COLORS));
  }
  if (!bitmap) return false;
  ClipboardSession clipboard(window);
  if (!clipboard.is_open() || !EmptyClipboard()) return false;
  if (!SetClipboardData(CF_BITMAP, bitmap.get())) return false;
  bitmap.release();  // the clipboard owns it now
  return true;
}

bool BuildDocFromBitmap(ImageDoc& doc, HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return false;
  PackedDib dib = PackedDib::Canonical24(static_cast<uint32_t>(info.bmWidth), static_cast<uint32_t>(info.bmHeight));
  if (dib.empty()) return false;
  auto* header = reinterpret_cast<BITMAPINFO*>(dib.data());
  {
    ClientDc screen(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(info.bmHeight), DibPixelStart(dib.data()), header,
                  DIB_RGB_COLORS) != info.bmHeight)
      return false;
  }
  // GetDIBits may rewrite the header's size field; the document keeps the canonical values.
  header->bmiHeader.biSizeImage = static_cast<DWORD>(RowStride24(static_cast<uint32_t>(info.bmWidth)) * info.bmHeight);
  header->bmiHeader.biXPelsPerMeter = header->bmiHeader.biYPelsPerMeter = kDibPelsPerMeter;
  SetDocPicture(doc, std::move(dib));
  doc.fileHeader[0] = 'B';
  doc.fileHeader[1] = 'M';
  return true;
}

}  // namespace veilo
