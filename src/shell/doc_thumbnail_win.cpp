// The document's reduced copy for the Quick Zoom window: the whole picture
// reduced to the box size, rebuilt after every change of the picture.
#include "shell/doc_window_win.h"
#include "shell/app_win.h"
#include "view/quick_zoom.h"
#include "view/quick_zoom_win.h"
#include "view/reduced_copy.h"

namespace veilo {

bool Thumbnail::Make(HDC reference, int32_t width, int32_t height) {
  Reset();
  dc_ = MemoryDc(reference);
  bitmap_.reset(CreateCompatibleBitmap(reference, width, height));
  if (!dc_ || !bitmap_) {
    Reset();
    return false;
  }
  previous_ = SelectObject(dc_.get(), bitmap_.get());
  return true;
}

void Thumbnail::Reset() {
  if (previous_) SelectObject(dc_.get(), previous_);
  previous_ = nullptr;
  bitmap_.reset();
  dc_ = MemoryDc();
}

void DocumentWindow::RebuildThumbnail() {
  int32_t boxWidth = 0, boxHeight = 0;
  QuickZoomBoxSize(app_, boxWidth, boxHeight);
  const ThumbLayout layout = ThumbnailLayout(doc_->width, doc_->height, boxWidth, boxHeight);
  StoreThumbLayout(*doc_, layout);
  thumb_.Reset();
  if (layout.thumbWidth <= 0 || layout.thumbHeight <= 0 || !doc_->HasPicture()) return;
  // Reduced here rather than by a stretch of the whole picture, which reads
  // every pixel of it (a large picture took as long as its decoding).
  const PackedDib reduced = ReducePicture(*doc_, layout.thumbWidth, layout.thumbHeight);
  if (reduced.empty()) return;
  ClientDc screen(hwnd());
  if (!thumb_.Make(screen.get(), layout.thumbWidth, layout.thumbHeight)) return;
  SetDIBitsToDevice(thumb_.dc(), 0, 0, static_cast<DWORD>(layout.thumbWidth), static_cast<DWORD>(layout.thumbHeight),
                    0, 0, 0, static_cast<UINT>(layout.thumbHeight), DibPixelStart(reduced.data()),
                    reinterpret_cast<const BITMAPINFO*>(reduced.data()), DIB_RGB_COLORS);
}

}  // namespace veilo
