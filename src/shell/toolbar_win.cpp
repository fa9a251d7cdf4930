#include "shell/toolbar_win.h"

#include "platform/dpi_win.h"
#include "platform/wide_win.h"
#include "shell/button_colours.h"

namespace veilo {

namespace {

uint32_t SystemRgb(int index) {
  const COLORREF c = GetSysColor(index);
  return uint32_t{GetRValue(c)} << 16 | uint32_t{GetGValue(c)} << 8 | GetBValue(c);
}

// A 24-bit picture from the resources as a DIB section, its classic button
// colours replaced by the system's. Null when the resource is missing (the
// button stays blank).
Bitmap LoadButtonPicture(HINSTANCE instance, const std::string& name) {
  Bitmap picture(static_cast<HBITMAP>(
      LoadImageW(instance, Wide(name).c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!picture) return picture;
  DIBSECTION section{};
  if (GetObjectW(picture.get(), sizeof section, &section) == sizeof section && section.dsBm.bmBitsPixel == 24 &&
      section.dsBm.bmBits) {
    PixelBuffer pixels;
    pixels.bits = static_cast<uint8_t*>(section.dsBm.bmBits);
    pixels.width = section.dsBm.bmWidth;
    pixels.height = section.dsBm.bmHeight;
    pixels.stride = static_cast<size_t>(section.dsBm.bmWidthBytes);
    GdiFlush();
    FitButtonColours(pixels, {SystemRgb(COLOR_BTNSHADOW), SystemRgb(COLOR_BTNFACE), SystemRgb(COLOR_BTNHIGHLIGHT)});
  }
  return picture;
}

// Pictures are drawn for 96 DPI; above that the double-size ones are scaled down.
std::string PictureName(std::string name, int dpi) { return dpi > kBaseDpi ? name + "_2X" : name; }

void FillLine(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
  const RECT r{left, top, right, bottom};
  FillRect(dc, &r, brush);
}

}  // namespace

bool Toolbar::Create(HWND frame, HINSTANCE instance) {
  for (int32_t row = 0; row < kToolbarRowCount; ++row) {
    const DWORD visible = IsPlacedRow(row) ? WS_VISIBLE : 0;
    buttons_[static_cast<size_t>(row)] = CreateWindowExW(
        0, L"button", L"", WS_CHILD | visible | BS_OWNERDRAW, 0, 0, 0, 0, frame,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ToolbarTable()[static_cast<size_t>(row)].command)), instance,
        nullptr);
    if (!buttons_[static_cast<size_t>(row)]) return false;
  }
  return true;
}

void Toolbar::Layout(const FrameLayout& layout) const {
  for (int32_t row = 0; row < kToolbarRowCount; ++row) {
    const auto i = static_cast<size_t>(row);
    if (!layout.buttonPlaced[i]) continue;
    const ChildRect& r = layout.buttons[i];
    MoveWindow(buttons_[i], r.x, r.y, r.width, r.height, TRUE);
  }
}

void Toolbar::LoadPictures(HINSTANCE instance, int dpi) {
  for (int32_t row = 0; row < kToolbarRowCount; ++row) {
    const auto i = static_cast<size_t>(row);
    enabledPictures_[i] = LoadButtonPicture(instance, PictureName(EnabledBitmapName(row), dpi));
    const std::string disabled = DisabledBitmapName(row);
    disabledPictures_[i] = disabled.empty() ? Bitmap() : LoadButtonPicture(instance, PictureName(disabled, dpi));
  }
  for (HWND button : buttons_) InvalidateRect(button, nullptr, FALSE);
}

bool Toolbar::Draw(const DRAWITEMSTRUCT& item, bool recording, int dpi) const {
  const int32_t ownRow = RowOf(item.hwndItem);
  if (ownRow < 0) return false;
  const bool enabled = !(item.itemState & ODS_DISABLED);
  const auto row = static_cast<size_t>(DrawnRow(ownRow, recording, enabled));
  const HBITMAP picture = (enabled ? enabledPictures_[row] : disabledPictures_[row]).get();

  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  const int inset = ScaleToDpi(2, dpi);
  const int line = ScaleToDpi(1, dpi);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
  if (picture) {
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    MemoryDc source(dc);
    SelectGuard selected(source.get(), picture);
    const int width = r.right - r.left - 2 * inset, height = r.bottom - r.top - 2 * inset;
    if (width == info.bmWidth && height == info.bmHeight) {
      BitBlt(dc, r.left + inset, r.top + inset, width, height, source.get(), 0, 0, SRCCOPY);
    } else {
      SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchBlt(dc, r.left + inset, r.top + inset, width, height, source.get(), 0, 0, info.bmWidth, info.bmHeight,
                 SRCCOPY);
    }
  }
  // The bevel: raised, or sunk while pressed.
  const bool pressed = item.itemState & ODS_SELECTED;
  HBRUSH topLeft = GetSysColorBrush(pressed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  HBRUSH bottomRight = GetSysColorBrush(pressed ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
  FillLine(dc, r.left, r.top, r.right - line, r.top + line, topLeft);
  FillLine(dc, r.left, r.top + line, r.left + line, r.bottom - 2 * line, topLeft);
  FillLine(dc, r.right - 2 * line, r.top + 2 * line, r.right - line, r.bottom - line, bottomRight);
  FillLine(dc, r.left + line, r.bottom - 2 * line, r.right - 2 * line, r.bottom - line, bottomRight);
  return true;
}

void Toolbar::Apply(const ControlStates& states) {
  for (int32_t row = 0; row < kToolbarRowCount; ++row) {
    if (!IsPlacedRow(row)) continue;
    const HWND button = buttons_[static_cast<size_t>(row)];
    const bool enabled = states.buttonEnabled[static_cast<size_t>(row)];
    if ((IsWindowEnabled(button) != 0) != enabled) EnableWindow(button, enabled);
  }
  if (states.recordButtonFace != recordFace_) {
    recordFace_ = states.recordButtonFace;
    InvalidateRect(buttons_[kRecordRow], nullptr, FALSE);
  }
}

int32_t Toolbar::RowOf(HWND window) const {
  if (!window) return -1;
  for (int32_t row = 0; row < kToolbarRowCount; ++row)
    if (buttons_[static_cast<size_t>(row)] == window) return row;
  return -1;
}

}  // namespace veilo
