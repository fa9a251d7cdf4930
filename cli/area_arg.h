#pragma once
// The area `mask` works on: fixed corners ("X1,Y1,X2,Y2") or "auto:X,Y", the
// masked rectangle that the rectangle search finds around that point in each
// picture, so that pictures masked in different places are unmasked in one run.
#include <cstdint>
#include <optional>
#include <string_view>

#include "cli_shell.h"
#include "doc/image_doc.h"

namespace veilo::cli {

struct AreaArg {
  PixelRect fixed;       // the corners as given (any order; the masks normalise them)
  bool automatic = false;
  int32_t x = 0, y = 0;  // the point of an automatic area
};

// A picture coordinate: a whole number 0..65535 and nothing else.
std::optional<int32_t> ParseCoordinate(std::string_view text);

std::optional<AreaArg> ParseAreaArg(std::string_view text);

// False after saying that (x, y) lies outside the picture.
bool CheckPointInPicture(CliShell& shell, const ImageDoc& doc, int32_t x, int32_t y);

// The rectangle to mask in this picture; nullopt after saying why (the point
// is outside it, or no masked rectangle was found around it).
std::optional<PixelRect> AreaForPicture(CliShell& shell, ImageDoc& doc, const AreaArg& area);

}  // namespace veilo::cli
