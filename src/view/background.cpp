#include "view/background.h"

#include <algorithm>

#include "view/view_mapping.h"

namespace veilo {

WindowRect PictureClientRect(const ImageDoc& doc) {
  if (!doc.HasPicture()) return {};
  return {-doc.hScrollPos, -doc.vScrollPos, ZoomedWidth(doc) - doc.hScrollPos, ZoomedHeight(doc) - doc.vScrollPos};
}

std::vector<WindowRect> BackgroundParts(const ImageDoc& doc, const WindowRect& update) {
  std::vector<WindowRect> parts;
  if (update.left >= update.right || update.top >= update.bottom) return parts;
  const WindowRect picture = PictureClientRect(doc);
  if (picture.left >= picture.right || picture.top >= picture.bottom) {
    parts.push_back(update);
    return parts;
  }
  // Right of the picture, over the update's full height.
  if (update.right > picture.right)
    parts.push_back({std::max(update.left, picture.right), update.top, update.right, update.bottom});
  // Below it, up to where the right band begins.
  const int32_t belowRight = std::min(update.right, picture.right);
  if (update.bottom > picture.bottom && update.left < belowRight)
    parts.push_back({update.left, std::max(update.top, picture.bottom), belowRight, update.bottom});
  return parts;
}

}  // namespace veilo
