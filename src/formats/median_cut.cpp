#include "formats/median_cut.h"

#include <vector>

namespace veilo {

namespace {

// Inclusive cell ranges; extents are weighted red 16, green 12, blue 8.
struct Box {
  int r0 = 0, r1 = kRedCells - 1;
  int g0 = 0, g1 = kGreenCells - 1;
  int b0 = 0, b1 = kBlueCells - 1;
  int64_t volume = 0;
  int64_t filledCells = 0;

  int RedExtent() const { return (r1 - r0) * 16; }
  int GreenExtent() const { return (g1 - g0) * 12; }
  int BlueExtent() const { return (b1 - b0) * 8; }
};

// Narrows the box to its non-empty cells and recomputes volume and cell count.
void Shrink(const ColourHistogram& h, Box& box) {
  int r0 = kRedCells, r1 = -1, g0 = kGreenCells, g1 = -1, b0 = kBlueCells, b1 = -1;
  int64_t filled = 0;
  for (int r = box.r0; r <= box.r1; ++r)
    for (int g = box.g0; g <= box.g1; ++g) {
      const uint16_t* cell = &h[HistogramCell(r, g, 0)];
      for (int b = box.b0; b <= box.b1; ++b) {
        if (cell[b] == 0) continue;
        ++filled;
        if (r < r0) r0 = r;
        if (r > r1) r1 = r;
        if (g < g0) g0 = g;
        if (g > g1) g1 = g;
        if (b < b0) b0 = b;
        if (b > b1) b1 = b;
      }
    }
  box.filledCells = filled;
  if (filled > 0) {
    box.r0 = r0, box.r1 = r1, box.g0 = g0, box.g1 = g1, box.b0 = b0, box.b1 = b1;
  }
  const int64_t r = box.RedExtent(), g = box.GreenExtent(), b = box.BlueExtent();
  box.volume = filled > 0 ? r * r + g * g + b * b : 0;
}

// The box to split next: by filled cells while the box count is at most half
// the target, by volume after that; only boxes of non-zero volume qualify and
// the earlier box wins ties. nullptr when none qualifies.
Box* ChooseBox(std::vector<Box>& boxes, bool byCells) {
  Box* best = nullptr;
  for (Box& box : boxes) {
    if (box.volume <= 0) continue;
    const int64_t value = byCells ? box.filledCells : box.volume;
    if (!best || value > (byCells ? best->filledCells : best->volume)) best = &box;
  }
  return best;
}

void Split(const ColourHistogram& h, Box& box, Box& upper) {
  upper = box;
  const int r = box.RedExtent(), g = box.GreenExtent(), b = box.BlueExtent();
  if (b > r && b > g) {
    const int mid = (box.b0 + box.b1) / 2;
    box.b1 = mid;
    upper.b0 = mid + 1;
  } else if (g >= r) {
    const int mid = (box.g0 + box.g1) / 2;
    box.g1 = mid;
    upper.g0 = mid + 1;
  } else {
    const int mid = (box.r0 + box.r1) / 2;
    box.r1 = mid;
    upper.r0 = mid + 1;
  }
  Shrink(h, box);
  Shrink(h, upper);
}

void BoxColour(const ColourHistogram& h, const Box& box, QuantPalette& palette, int i) {
  uint64_t total = 0, red = 0, green = 0, blue = 0;
  for (int r = box.r0; r <= box.r1; ++r)
    for (int g = box.g0; g <= box.g1; ++g)
      for (int b = box.b0; b <= box.b1; ++b) {
        const uint64_t count = h[HistogramCell(r, g, b)];
        if (count == 0) continue;
        total += count;
        red += count * static_cast<uint64_t>(RedCentre(r));
        green += count * static_cast<uint64_t>(GreenCentre(g));
        blue += count * static_cast<uint64_t>(BlueCentre(b));
      }
  const auto u = static_cast<size_t>(i);
  if (total == 0) return;  // an empty picture: black
  palette.red[u] = static_cast<uint8_t>((red + total / 2) / total);
  palette.green[u] = static_cast<uint8_t>((green + total / 2) / total);
  palette.blue[u] = static_cast<uint8_t>((blue + total / 2) / total);
}

}  // namespace

QuantPalette MedianCutPalette(const ColourHistogram& histogram, int colours) {
  if (colours < 1) colours = 1;
  if (colours > 256) colours = 256;
  std::vector<Box> boxes;
  boxes.reserve(static_cast<size_t>(colours));
  boxes.emplace_back();
  Shrink(histogram, boxes.front());
  while (static_cast<int>(boxes.size()) < colours) {
    const bool byCells = 2 * static_cast<int>(boxes.size()) <= colours;
    Box* chosen = ChooseBox(boxes, byCells);
    if (!chosen) break;
    Box upper;
    Split(histogram, *chosen, upper);  // reserve() keeps `chosen` valid
    boxes.push_back(upper);
  }
  QuantPalette palette;
  palette.size = static_cast<int>(boxes.size());
  for (int i = 0; i < palette.size; ++i) BoxColour(histogram, boxes[static_cast<size_t>(i)], palette, i);
  return palette;
}

}  // namespace veilo
