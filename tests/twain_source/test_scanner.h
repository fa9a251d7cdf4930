#pragma once
// The test scanner (a TWAIN data source) as its tests see it: its name, its
// window, the script that tells it what to do, and the pictures it delivers.
//
// The script is an ini file named by the environment variable
// VEILO_TEST_SCANNER, read when the source is opened (without it the source
// does not open). Section [scan]:
//   pictures=24,8     the pictures of one acquisition, by format (none: the
//                     scan ends without a picture)
//   interface=window  a window with "Scan" and "Cancel" buttons (the default);
//                     "direct": the pictures are ready as soon as it is enabled
//   fail=enable       the step that fails: open, native (the transfer
//                     mechanism), enable or transfer
//   log=path          every call, one line each, appended
//
// A picture is named by its format: bits per
// pixel and header ("24", "16", "8", "4", "1"; "24core", "8core", ... for the
// 12-byte core header; "24cut" is a broken one). Its size depends on where it comes in an acquisition,
// so that two pictures of one scan can be told apart; odd widths exercise the
// row padding. Every colour survives the conversion to 24 bits exactly.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veilo::scan {

inline constexpr char kScannerName[] = "Veilo test scanner";
inline constexpr wchar_t kScannerClass[] = L"VeiloTestScanner";
inline constexpr wchar_t kScriptVariable[] = L"VEILO_TEST_SCANNER";
inline constexpr int kScanButton = 1;
inline constexpr int kCancelButton = 2;

struct Format {
  uint16_t bits = 24;
  bool core = false;
  bool cut = false;  // "...cut": the block ends halfway through the rows its header promises
};

inline bool ParseFormat(std::string_view text, Format& format) {
  format.cut = text.size() > 3 && text.substr(text.size() - 3) == "cut";
  if (format.cut) text.remove_suffix(3);
  format.core = text.size() > 4 && text.substr(text.size() - 4) == "core";
  if (format.core) text.remove_suffix(4);
  for (const uint16_t bits : {1, 4, 8, 16, 24}) {
    if (text != std::to_string(bits)) continue;
    format.bits = bits;
    return !(format.core && bits == 16);  // core headers have no 16-bit form
  }
  return false;
}

inline int32_t Width(int index) { return 5 + 2 * index; }
inline int32_t Height(int index) { return 3 + index; }

// Palette entry i, as 0xRRGGBB.
inline uint32_t PaletteColour(uint32_t i) {
  return ((i * 67 + 20) & 0xFF) << 16 | ((250 - i * 41) & 0xFF) << 8 | ((i * 13 + 5) & 0xFF);
}
inline uint32_t PaletteIndex(const Format& f, int32_t x, int32_t y) {
  return static_cast<uint32_t>(x + 2 * y) % (1u << f.bits);
}

// The colour of pixel (x, y), counted from the top left, as 0xRRGGBB.
inline uint32_t Colour(const Format& f, int32_t x, int32_t y) {
  if (f.bits == 24) {
    return static_cast<uint32_t>(x * 30 + 20) << 16 | static_cast<uint32_t>(y * 60 + 10) << 8 |
           static_cast<uint32_t>(250 - x * 20 - y);
  }
  if (f.bits == 16) {  // 5-5-5 channels of 0 or 31 only: they scale to 0 or 255 exactly
    return ((x & 1) ? 0xFF0000u : 0) | ((y & 1) ? 0x00FF00u : 0) | (((x + y) / 2 & 1) ? 0x0000FFu : 0);
  }
  return PaletteColour(PaletteIndex(f, x, y));
}

// The packed DIB of the picture: header, colour table, rows bottom first.
inline std::vector<uint8_t> BuildDib(const Format& f, int index) {
  const int32_t width = Width(index), height = Height(index);
  const size_t headerSize = f.core ? 12 : 40;
  const size_t entries = f.bits <= 8 ? (size_t{1} << f.bits) : 0;
  const size_t entrySize = f.core ? 3 : 4;
  const size_t stride = (static_cast<size_t>(width) * f.bits + 31) / 32 * 4;
  std::vector<uint8_t> dib(headerSize + entries * entrySize + stride * static_cast<size_t>(height), 0);
  auto put16 = [&](size_t at, uint32_t v) {
    dib[at] = static_cast<uint8_t>(v);
    dib[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  auto put32 = [&](size_t at, uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  put32(0, static_cast<uint32_t>(headerSize));
  if (f.core) {
    put16(4, static_cast<uint32_t>(width));
    put16(6, static_cast<uint32_t>(height));
    put16(8, 1);
    put16(10, f.bits);
  } else {
    put32(4, static_cast<uint32_t>(width));
    put32(8, static_cast<uint32_t>(height));
    put16(12, 1);
    put16(14, f.bits);
    put32(20, static_cast<uint32_t>(stride * static_cast<size_t>(height)));
    put32(24, 2835);
    put32(28, 2835);
  }
  for (size_t i = 0; i < entries; ++i) {
    const uint32_t c = PaletteColour(static_cast<uint32_t>(i));
    uint8_t* e = dib.data() + headerSize + i * entrySize;
    e[0] = static_cast<uint8_t>(c);
    e[1] = static_cast<uint8_t>(c >> 8);
    e[2] = static_cast<uint8_t>(c >> 16);
  }
  const size_t pixels = headerSize + entries * entrySize;
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = dib.data() + pixels + static_cast<size_t>(height - 1 - y) * stride;
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t c = Colour(f, x, y);
      if (f.bits == 24) {
        row[3 * x] = static_cast<uint8_t>(c);
        row[3 * x + 1] = static_cast<uint8_t>(c >> 8);
        row[3 * x + 2] = static_cast<uint8_t>(c >> 16);
      } else if (f.bits == 16) {
        const uint32_t word =
            ((c >> 16) & 0xFF ? 31u << 10 : 0) | ((c >> 8) & 0xFF ? 31u << 5 : 0) | (c & 0xFF ? 31u : 0);
        row[2 * x] = static_cast<uint8_t>(word);
        row[2 * x + 1] = static_cast<uint8_t>(word >> 8);
      } else {
        const uint32_t entry = PaletteIndex(f, x, y);
        const size_t bit = static_cast<size_t>(x) * f.bits;
        row[bit / 8] |= static_cast<uint8_t>(entry << (8 - f.bits - bit % 8));
      }
    }
  }
  if (f.cut) dib.resize(pixels + stride * static_cast<size_t>(height) / 2);
  return dib;
}

}  // namespace veilo::scan
