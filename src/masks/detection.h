#pragma once
// Automatic detection of a masked rectangle around a point. The callers show
// the wait cursor while these run; they never touch areaSelected.
#include <optional>

#include "doc/image_doc.h"

namespace veilo {

// Edge scan in four directions from (x, y); always gives an area and writes it
// into the selection corners. A point outside the picture is moved onto its
// nearest pixel; a document without a picture gives an empty area.
PixelRect EdgeScan(ImageDoc& doc, int32_t x, int32_t y);

struct SearchBounds {
  int32_t top = 0, right = 0, bottom = 0, left = 0;
};
// Outermost rectangle with strong borders around (x, y); resume bounds for
// the repeated searches of a second double-click. On success the selection
// corners are set; on failure they are left alone. Bounds reaching outside the
// picture are clipped to it; a point outside the picture finds nothing.
std::optional<PixelRect> RectangleSearch(ImageDoc& doc, int32_t x, int32_t y,
                                         const std::optional<SearchBounds>& resume = std::nullopt);

// What is remembered between plain double-clicks. The document is known by
// its address only: forget it when the document goes away, or a new one at
// the same address would continue its stages.
struct DetectionMemory {
  const ImageDoc* doc = nullptr;
  int32_t x = -1, y = -1;
  bool lastFailed = true;
  PixelRect r0;
  int32_t stage = 0;
};

// A plain double-click at (x, y): fresh search, or the next stages of a repeat.
// On success the selection corners are set and the rectangle is returned.
std::optional<PixelRect> DetectAreaAt(DetectionMemory& memory, ImageDoc& doc, int32_t x, int32_t y);

// Call when a document is released (or its picture replaced).
inline void ForgetDocument(DetectionMemory& memory, const ImageDoc& doc) {
  if (memory.doc == &doc) memory = DetectionMemory{};
}

// Writes a rectangle into the selection corners (right and bottom exclusive).
inline void SetSelectionCorners(ImageDoc& doc, const PixelRect& r) {
  doc.areaX1 = r.left;
  doc.areaY1 = r.top;
  doc.areaX2 = r.right;
  doc.areaY2 = r.bottom;
}

}  // namespace veilo
