#pragma once
// Reading the first image of a GIF file into a document.
#include <array>
#include <cstdint>
#include <optional>

#include "doc/picture_limits.h"
#include "formats/read_progress.h"
#include <string>

#include "formats/byte_reader.h"
#include "doc/packed_dib.h"

namespace veilo {

class ShellNotifications;
struct ImageDoc;

inline constexpr const char* kGifReadErrorText = "gif read error";

struct GifImage {
  PackedDib dib;  // canonical 24-bit, the image's own width and height
  uint32_t width = 0;
  uint32_t height = 0;
  bool transparent = false;
  std::array<uint8_t, 3> transparentColour{};  // red, green, blue
  // The data ended early or broke off: rows from the failing one on stayed black.
  bool dataError = false;
  // Where the image sits on the logical screen; the picture ignores both.
  uint16_t screenWidth = 0, screenHeight = 0;
  uint16_t left = 0, top = 0;
  bool interlaced = false;
};

// Decodes the first image of a GIF stream. nullopt when there is none to
// decode: no "GIF" signature, a short descriptor, no image before the trailer
// or the end of the input, a minimum code size outside 2..11, an image of
// zero width or height, or one that this build cannot hold (then `tooLarge`,
// when given, receives its size) or that cannot be allocated. `progress`,
// when given, follows the decoded rows.
std::optional<GifImage> DecodeFirstGifImage(ByteReader& input, PictureSize* tooLarge = nullptr,
                                            ReadProgress* progress = nullptr);

// Loader for the load dispatch. Reads the file at utf8Path into doc: the
// picture (canonical 24 bits), "BM" in fileHeader, and the transparent colour.
// Returns nonzero on success, also when the data broke off (the rows decoded
// until then are kept). "can't open %s\n" when the file cannot be opened;
// "gif read error" for the other failures and for broken data, shown only
// while library messages are on (CurrentReaderFlags()).
int ReadGifFile(ShellNotifications& shell, const std::string& utf8Path, ImageDoc& doc);

}  // namespace veilo
