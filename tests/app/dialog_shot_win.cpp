#include "dialog_shot_win.h"

#include <cstdlib>
#include <cstring>

#include "doc/image_doc.h"
#include "formats/image_dispatch.h"
#include "platform/dpi_win.h"
#include "platform/handles_win.h"
#include "recording_shell.h"

namespace veilo::testing {

void SaveShot(HWND dialog, const std::string& name) {
  const char* folder = std::getenv("VEILO_SHOT_DIR");
  if (!folder || !*folder) return;
  RECT r{};
  GetWindowRect(dialog, &r);
  const int32_t width = r.right - r.left, height = r.bottom - r.top;
  ImageDoc doc;
  doc.dib = PackedDib::Canonical24(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  if (doc.dib.empty()) return;
  doc.width = width;
  doc.height = height;
  doc.bitCount = 24;
  ClientDc screen(nullptr);
  const PixelBuffer pixels = DocPixels(doc);
  BITMAPINFO info{};
  std::memcpy(&info.bmiHeader, doc.dib.data(), sizeof info.bmiHeader);
  MemoryDc memory(screen.get());
  Bitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  {
    SelectGuard selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
  }
  GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.bits, &info, DIB_RGB_COLORS);
  RecordingShell shell;
  SaveOptions options = StartingSaveOptions(doc);
  SaveImageFile(shell, std::string(folder) + "\\dialog-" + name + "-" + std::to_string(WindowDpi(dialog)) + "dpi.png",
                doc, options);
}

}  // namespace veilo::testing
