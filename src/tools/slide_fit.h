#pragma once
// Fitting a picture whole into a rectangle: as large as the rectangle allows
// with its aspect ratio kept (small pictures are enlarged), centred along the
// direction it does not fill. The slide show fits into the screen, printing
// into the printable area.
#include <cstdint>
#include <optional>

namespace veilo {

struct FitRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const FitRect&, const FitRect&) = default;
};

// Where a picture of pictureWidth x pictureHeight goes in an area of
// areaWidth x areaHeight, relative to the area's top-left corner. A picture
// relatively wider than the area fills its width and is centred vertically,
// any other fills its height and is centred horizontally. nullopt when either
// size is empty.
std::optional<FitRect> FitPicture(int32_t pictureWidth, int32_t pictureHeight, int32_t areaWidth,
                                  int32_t areaHeight);

}  // namespace veilo
