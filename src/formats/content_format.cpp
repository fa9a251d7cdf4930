#include "formats/content_format.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/file_io.h"

namespace veilo {

namespace {

bool StartsWith(std::span<const uint8_t> head, std::string_view signature) {
  return head.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), head.begin(),
                    [](char s, uint8_t b) { return static_cast<uint8_t>(s) == b; });
}

uint32_t Le32(std::span<const uint8_t> p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// "BM" alone is two letters that plenty of text starts with; the bitmap
// header's size right after the 14-byte file header must be one the reader
// takes (the OS/2 core header, or 16 bytes up to the largest Windows header).
bool IsBmp(std::span<const uint8_t> head) {
  if (!StartsWith(head, "BM") || head.size() < 18) return false;
  const uint32_t headerSize = Le32(head.subspan(14, 4));
  return headerSize == 12 || (headerSize >= 16 && headerSize <= 124);
}

using namespace std::string_view_literals;

constexpr std::string_view kPng = "\x89PNG\r\n\x1A\n"sv;
constexpr std::string_view kJpeg = "\xFF\xD8\xFF"sv;
constexpr std::string_view kJp2Box = "\0\0\0\x0CjP  \r\n\x87\n"sv;
constexpr std::string_view kCodeStream = "\xFF\x4F\xFF\x51"sv;
constexpr std::array<std::string_view, 4> kTiff = {"II*\0"sv, "MM\0*"sv, "II+\0"sv, "MM\0+"sv};

}  // namespace

std::optional<ImageFormat> FormatOfContent(std::span<const uint8_t> head) {
  if (StartsWith(head, kPng)) return ImageFormat::kPng;
  if (StartsWith(head, kJpeg)) return ImageFormat::kJpeg;
  if (StartsWith(head, "GIF87a") || StartsWith(head, "GIF89a")) return ImageFormat::kGif;
  if (IsBmp(head)) return ImageFormat::kBmp;
  for (std::string_view tiff : kTiff)
    if (StartsWith(head, tiff)) return ImageFormat::kTiff;
  if (StartsWith(head, kJp2Box) || StartsWith(head, kCodeStream)) return ImageFormat::kJpeg2000;
  return std::nullopt;
}

std::optional<ImageFormat> FormatOfFileContent(std::string_view utf8Path) {
  const FilePtr file = OpenFile(utf8Path, "rb");
  if (!file) return std::nullopt;
  std::array<uint8_t, kContentProbeBytes> head{};
  const size_t got = std::fread(head.data(), 1, head.size(), file.get());
  return FormatOfContent(std::span<const uint8_t>(head.data(), got));
}

}  // namespace veilo
