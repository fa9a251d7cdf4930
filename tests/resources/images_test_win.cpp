// Toolbar bitmaps, pointers and icons load from the compiled resources at the sizes the
// program draws them, with their hot spots and transparency intact.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "resource_module_win.h"
#include "shell/resource_ids.h"
#include "shell/toolbar.h"
#include "shell/toolbar_layout.h"

namespace veilo::testing {
namespace {

constexpr uint32_t kFace = 0xC0C0C0, kShadow = 0x808080, kHighlight = 0xFFFFFF;

struct Pixels {
  bool loaded = false;
  int width = 0, height = 0, bitsPerPixel = 0;
  std::vector<uint32_t> rgb;  // 0xRRGGBB, rows from the top
  uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y * width + x)]; }
};

// A bitmap resource as the file gave it (a DIB section keeps its format and pixels).
Pixels LoadBitmapPixels(const std::string& name) {
  Pixels out;
  HANDLE image = LoadImageW(Module(), Wide(name).c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!image) return out;
  HBITMAP bitmap = static_cast<HBITMAP>(image);
  DIBSECTION dib{};
  if (GetObjectW(bitmap, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBits) {
    out.loaded = true;
    out.width = dib.dsBm.bmWidth;
    out.height = dib.dsBm.bmHeight;
    out.bitsPerPixel = dib.dsBm.bmBitsPixel;
    const auto* bits = static_cast<const uint8_t*>(dib.dsBm.bmBits);
    const bool bottomUp = dib.dsBmih.biHeight > 0;
    if (out.bitsPerPixel == 24) {
      for (int y = 0; y < out.height; ++y) {
        const int fileRow = bottomUp ? out.height - 1 - y : y;
        const uint8_t* row = bits + static_cast<ptrdiff_t>(fileRow) * dib.dsBm.bmWidthBytes;
        for (int x = 0; x < out.width; ++x) {
          const uint8_t* p = row + 3 * x;
          out.rgb.push_back(static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0]);
        }
      }
    }
  }
  DeleteObject(bitmap);
  return out;
}

struct Size {
  int width, height;
};

// The bitmap of each row is its button less 4 pixels each way (it is drawn at (2, 2) inside the
// frame and bevel); the record-stop face stands in for the record button.
Size BitmapSize(int32_t row) {
  const FrameLayout layout = ComputeFrameLayout(2000, 800, FontMetrics{8, 16});
  const int32_t placed = IsPlacedRow(row) ? row : kRecordRow;
  const ChildRect& button = layout.buttons[static_cast<size_t>(placed)];
  return {button.width - 4, button.height - 4};
}

struct BitmapName {
  std::string name;
  bool disabled;
};

std::vector<BitmapName> BitmapNames(int32_t row) {
  std::vector<BitmapName> names{{EnabledBitmapName(row), false}};
  if (!DisabledBitmapName(row).empty()) names.push_back({DisabledBitmapName(row), true});
  return names;
}

TEST(ResourceBitmaps, EveryToolbarRowLoadsAtItsButtonSizeAndTwiceThat) {
  for (int32_t row = 0; row < kToolbarRowCount; ++row) {
    const Size size = BitmapSize(row);
    for (const auto& [name, disabled] : BitmapNames(row)) {
      for (const int scale : {1, 2}) {
        const std::string resource = scale == 1 ? name : name + "_2X";
        SCOPED_TRACE(resource);
        const Pixels pixels = LoadBitmapPixels(resource);
        ASSERT_TRUE(pixels.loaded);
        EXPECT_EQ(pixels.width, size.width * scale);
        EXPECT_EQ(pixels.height, size.height * scale);
        EXPECT_EQ(pixels.bitsPerPixel, 24);
      }
    }
  }
}

// The program swaps the classic button colours for the system's: the pictures must sit on the
// exact face colour, and the disabled faces must consist of the three classic colours alone.
TEST(ResourceBitmaps, FacesUseTheClassicButtonColours) {
  for (int32_t row = 0; row < kToolbarRowCount; ++row) {
    for (const auto& [name, disabled] : BitmapNames(row)) {
      for (const std::string& resource : {name, name + "_2X"}) {
        SCOPED_TRACE(resource);
        const Pixels p = LoadBitmapPixels(resource);
        ASSERT_FALSE(p.rgb.empty());
        for (const uint32_t corner : {p.at(0, 0), p.at(p.width - 1, 0), p.at(0, p.height - 1),
                                      p.at(p.width - 1, p.height - 1)}) {
          EXPECT_EQ(corner, kFace);
        }
        if (!disabled) continue;
        const std::set<uint32_t> colours(p.rgb.begin(), p.rgb.end());
        EXPECT_EQ(colours, (std::set<uint32_t>{kFace, kShadow, kHighlight}));
      }
    }
  }
}

struct IconFacts {
  bool loaded = false;
  bool isIcon = false;
  POINT hotSpot{};
  int width = 0, height = 0;
  std::vector<uint32_t> argb;  // of a 32-bit colour image, rows from the top; empty otherwise
};

IconFacts Inspect(HICON icon) {
  IconFacts facts;
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return facts;
  facts.loaded = true;
  facts.isIcon = info.fIcon != FALSE;
  facts.hotSpot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
  BITMAP bm{};
  if (info.hbmColor && GetObjectW(info.hbmColor, sizeof bm, &bm)) {
    facts.width = bm.bmWidth;
    facts.height = bm.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    facts.argb.resize(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
    HDC dc = GetDC(nullptr);
    const auto rows = static_cast<UINT>(bm.bmHeight);
    if (!GetDIBits(dc, info.hbmColor, 0, rows, facts.argb.data(), &bi, DIB_RGB_COLORS)) {
      facts.argb.clear();
    }
    ReleaseDC(nullptr, dc);
  } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof bm, &bm)) {
    facts.width = bm.bmWidth;
    facts.height = bm.bmHeight / 2;  // AND and XOR masks one above the other
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return facts;
}

struct PointerCase {
  int id;
  POINT hotSpot;
};

TEST(ResourcePointers, EveryPointerLoadsWithItsHotSpot) {
  constexpr POINT kMiddle{15, 15};
  const PointerCase cases[] = {
      {IDC_CUR_RESIZE_LR, kMiddle}, {IDC_CUR_RESIZE_UD, kMiddle}, {IDC_CUR_RESIZE_NWSE, kMiddle},
      {IDC_CUR_RESIZE_NESW, kMiddle}, {IDC_CUR_MOVE, kMiddle},    {IDC_CUR_PAN, kMiddle},
      {IDC_CUR_PAN_N, kMiddle},       {IDC_CUR_PAN_NE, kMiddle},  {IDC_CUR_PAN_E, kMiddle},
      {IDC_CUR_PAN_SE, kMiddle},      {IDC_CUR_PAN_S, kMiddle},   {IDC_CUR_PAN_SW, kMiddle},
      {IDC_CUR_PAN_W, kMiddle},       {IDC_CUR_PAN_NW, kMiddle},
      {IDC_CUR_SPOIT, {2, 29}},  // the tip of the eyedropper
  };
  for (const PointerCase& c : cases) {
    SCOPED_TRACE(c.id);
    HANDLE cursor = LoadImageW(Module(), MAKEINTRESOURCEW(c.id), IMAGE_CURSOR, 32, 32, 0);
    const IconFacts facts = Inspect(static_cast<HICON>(cursor));
    ASSERT_TRUE(facts.loaded);
    EXPECT_FALSE(facts.isIcon);
    EXPECT_EQ(facts.width, 32);
    EXPECT_EQ(facts.height, 32);
    EXPECT_EQ(facts.hotSpot.x, c.hotSpot.x);
    EXPECT_EQ(facts.hotSpot.y, c.hotSpot.y);
    if (cursor) DestroyCursor(static_cast<HCURSOR>(cursor));
  }
}

// The sizes and depths an icon resource really holds (so no size is made by scaling another).
std::set<std::pair<int, int>> IconImages(int id) {
  std::set<std::pair<int, int>> images;
  HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  if (!found) return images;
  const auto* dir = static_cast<const uint8_t*>(LockResource(LoadResource(Module(), found)));
  const int count = dir[4] | dir[5] << 8;
  for (int i = 0; i < count; ++i) {
    const uint8_t* entry = dir + 6 + 14 * i;  // GRPICONDIRENTRY
    const int size = entry[0] == 0 ? 256 : entry[0];
    images.insert({size, entry[6] | entry[7] << 8});
  }
  return images;
}

TEST(ResourceIcons, EachIconHoldsSixteenThirtyTwoAndFortyEightPixelsInThirtyTwoBits) {
  for (const int id : {IDI_VEILO, IDI_FRAME, IDI_PAN_MARKER}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(IconImages(id), (std::set<std::pair<int, int>>{{16, 32}, {32, 32}, {48, 32}}));
    for (const int size : {16, 32, 48}) {
      HANDLE icon = LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0);
      const IconFacts facts = Inspect(static_cast<HICON>(icon));
      EXPECT_TRUE(facts.loaded);
      EXPECT_TRUE(facts.isIcon);
      EXPECT_EQ(facts.width, size);
      if (icon) DestroyIcon(static_cast<HICON>(icon));
    }
  }
}

TEST(ResourceIcons, PanMarkerIsARoundMarkerOnATransparentSquare) {
  HANDLE icon = LoadImageW(Module(), MAKEINTRESOURCEW(IDI_PAN_MARKER), IMAGE_ICON, 32, 32, 0);
  const IconFacts facts = Inspect(static_cast<HICON>(icon));
  if (icon) DestroyIcon(static_cast<HICON>(icon));
  ASSERT_EQ(facts.argb.size(), 32u * 32u);
  const auto alpha = [&](int x, int y) { return facts.argb[static_cast<size_t>(y * 32 + x)] >> 24; };
  for (const POINT corner : {POINT{0, 0}, POINT{31, 0}, POINT{0, 31}, POINT{31, 31}}) {
    EXPECT_EQ(alpha(corner.x, corner.y), 0u);
  }
  EXPECT_EQ(alpha(16, 16), 255u);
  EXPECT_EQ(alpha(16, 3), 255u);  // the rim, near the top edge
}

}  // namespace
}  // namespace veilo::testing
