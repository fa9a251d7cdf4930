#pragma once
// Telling a picture's format from its first bytes, so that a file whose name
// promises one format but holds another can be explained instead of failing
// with the wrong reader's message.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "formats/image_format.h"

namespace veilo {

// Enough of a file's start for every signature below.
inline constexpr size_t kContentProbeBytes = 18;

// The format the bytes plainly start with: the PNG signature, a JPEG start of
// image followed by a marker, "GIF87a"/"GIF89a", "BM" with a bitmap header
// size the BMP reader knows, a TIFF or BigTIFF byte-order header, the JP2
// signature box, or a JPEG 2000 code stream (SOC then SIZ). nullopt for
// anything else, including a start too short to tell.
std::optional<ImageFormat> FormatOfContent(std::span<const uint8_t> head);

// FormatOfContent over the start of a file; nullopt when it cannot be read.
std::optional<ImageFormat> FormatOfFileContent(std::string_view utf8Path);

// A file whose content is plainly another format than its name chooses.
struct ContentMismatch {
  ImageFormat named;      // what the name chooses
  ImageFormat found;      // what the content is
  bool namedByExtension;  // false: the extension names no format, so BMP was assumed
  friend bool operator==(const ContentMismatch&, const ContentMismatch&) = default;
};

}  // namespace veilo
