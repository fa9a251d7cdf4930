// The plain double-click: a fresh rectangle search, or, at the same point
// again, searches resumed from just inside the first rectangle found there.
#include "masks/detection.h"

namespace veilo {
namespace {

constexpr int32_t kStageCount = 4;

// Stage 0 moves the left start one column in, stages 1, 2 and 3 move the top,
// right and bottom starts one line in.
SearchBounds StageBounds(const PixelRect& r0, int32_t stage) {
  SearchBounds b{r0.top, r0.right, r0.bottom, r0.left};
  switch (stage) {
    case 0: b.left += 1; break;
    case 1: b.top += 1; break;
    case 2: b.right -= 1; break;
    default: b.bottom -= 1; break;
  }
  return b;
}

bool LiesInPicture(const PixelRect& r, const ImageDoc& doc) {
  return r.left >= 0 && r.top >= 0 && r.right <= doc.width && r.bottom <= doc.height && !r.Empty();
}

}  // namespace

std::optional<PixelRect> DetectAreaAt(DetectionMemory& memory, ImageDoc& doc, int32_t x, int32_t y) {
  // A rectangle remembered before the picture changed size is no base for a
  // repeat; search afresh instead.
  const bool repeat = memory.doc == &doc && memory.x == x && memory.y == y && !memory.lastFailed &&
                      LiesInPicture(memory.r0, doc);
  if (repeat) {
    // Counters of 4 and above all start again at stage 0; keeping the counter
    // at 4 there changes nothing and cannot overflow.
    const int32_t firstStage = memory.stage >= 1 && memory.stage < kStageCount ? memory.stage : 0;
    for (int32_t stage = firstStage; stage < kStageCount; ++stage) {
      memory.stage = memory.stage >= kStageCount ? kStageCount : memory.stage + 1;
      const std::optional<PixelRect> found = RectangleSearch(doc, x, y, StageBounds(memory.r0, stage));
      memory.lastFailed = !found.has_value();
      if (found) return found;
    }
    // Nothing nearby: back to the first rectangle, and the stages start over.
    SetSelectionCorners(doc, memory.r0);
    memory.stage = 0;
    memory.lastFailed = false;
    return memory.r0;
  }

  const std::optional<PixelRect> found = RectangleSearch(doc, x, y);
  memory.doc = &doc;
  memory.x = x;
  memory.y = y;
  memory.lastFailed = !found.has_value();
  if (found) {
    memory.r0 = *found;
    memory.stage = 0;
  }
  return found;
}

}  // namespace veilo
