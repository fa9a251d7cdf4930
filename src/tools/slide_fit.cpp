#include "tools/slide_fit.h"

namespace veilo {

std::optional<FitRect> FitPicture(int32_t pictureWidth, int32_t pictureHeight, int32_t areaWidth,
                                  int32_t areaHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return std::nullopt;
  // Ratios compared by cross products in 64 bits: exact, where a division
  // of the sizes would round two close ratios to the same value.
  const int64_t w = pictureWidth, h = pictureHeight, W = areaWidth, H = areaHeight;
  FitRect r;
  if (w * H > W * h) {
    r.width = areaWidth;
    r.height = static_cast<int32_t>(h * W / w);
    r.y = (areaHeight - r.height) / 2;
  } else {
    r.height = areaHeight;
    r.width = static_cast<int32_t>(w * H / h);
    r.x = (areaWidth - r.width) / 2;
  }
  return r;
}

}  // namespace veilo
