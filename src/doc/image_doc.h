#pragma once
// The per-window document record: the picture, its name and path, the view
// state of the window that shows it, the selection area and the undo/redo logs.
// Window-system objects appear only as opaque handles; the Win32 shell owns them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "doc/pixel_buffer.h"
#include "doc/window_ref.h"
#include "doc/packed_dib.h"
#include "doc/mask_record.h"
#include "platform/shell_notifications.h"

namespace veilo {

struct PngTextEntry {
  std::string key;
  std::string text;
};

inline constexpr int kCpSlotCount = 3;
inline constexpr int kCpCodeMaxLetters = 16;
using CpCode = std::array<char, kCpCodeMaxLetters + 1>;  // zero-terminated, upper-case letters

struct ImageDoc {
  WindowRef mdiClient = 0;
  WindowRef docWindow = 0;
  WindowRect createRect;  // client rectangle when the window was created
  std::string title;  // display name, with its " :%d" suffix when shared
  std::string path;   // UTF-8; empty for clipboard, new-image and scanned pictures

  // View state (zoomed screen pixels).
  int32_t prevClientWidth = 0, prevClientHeight = 0;
  int32_t clientWidth = 0, clientHeight = 0;
  int32_t vScrollMax = 0, vScrollPos = 0;
  int32_t hScrollMax = 0, hScrollPos = 0;
  int32_t zoomPercent = 100;
  int32_t rightMargin = 0, bottomMargin = 0;

  int32_t titleSerial = 0;

  // The picture: canonical 24-bit once loaded (other depths only between a
  // reader and ConvertDocTo24). width/height/bitCount mirror dib's header.
  PackedDib dib;
  std::array<uint8_t, 14> fileHeader{};
  int32_t width = 0;
  int32_t height = 0;
  int16_t bitCount = 0;

  // Selection area, image pixels, right and bottom exclusive once normalised.
  int32_t areaSelected = 0;
  int32_t areaX1 = 0, areaY1 = 0, areaX2 = 0, areaY2 = 0;
  int32_t dragging = 0;
  int32_t anchorX = 0, anchorY = 0;
  int32_t isNewImage = 0;

  // Mouse state of the selection: edge scrolling while a drag runs past the
  // window border (bits 1 right, 2 down, 4 up, 8 left), the frame zone under
  // the pointer while Shift is held (0 none, 1..9) and where a move began.
  int32_t resizeEdges = 0;
  int32_t edgeScrollTicks = 0;
  int16_t hitZone = 0;
  int32_t hitX = 0, hitY = 0;
  int32_t mouseCaptured = 0;
  CursorRef savedCursor = 0;

  // Middle-button auto-scroll; panWindow is the marker window while it runs.
  int32_t panRepeat = 0;
  WindowRef panWindow = 0;
  int32_t panAnchorX = 0, panAnchorY = 0;
  int32_t panDirection = -1;  // degrees clockwise from up in 45 steps; -1 none
  int32_t panStep = 0;
  CursorRef panSavedCursor = 0;
  int32_t panCursorX = 0, panCursorY = 0;  // screen point where it started
  WindowRect panWindowRect;                // screen rectangle of the window then

  // The reduced copy of the whole picture shown by the Quick Zoom window.
  int32_t thumbWidth = 0, thumbHeight = 0;
  float thumbScale = 0.0f;

  std::vector<MaskRecord> undoList;
  std::vector<MaskRecord> redoList;
  int32_t undoCount() const { return static_cast<int32_t>(undoList.size()); }
  int32_t redoCount() const { return static_cast<int32_t>(redoList.size()); }

  std::array<CpCode, kCpSlotCount> cpCodes{};
  int32_t cpNextSlot = 0;  // 1..3, the slot the next new code overwrites; 0 until set

  std::vector<PngTextEntry> pngTextList;
  std::array<uint8_t, 3> transparentColor{};  // red, green, blue
  int32_t useTransparent = 0;
  int32_t colorCount = 0;

  bool HasPicture() const { return !dib.empty() && width > 0 && height > 0; }
};

// Installs a new picture block and refreshes width, height and bitCount from
// its header. The previous block is released.
void SetDocPicture(ImageDoc& doc, PackedDib dib);

// The 24-bit pixel rows of a loaded document.
PixelBuffer DocPixels(ImageDoc& doc);

}  // namespace veilo
