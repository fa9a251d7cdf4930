// Edge scan: from a point, walk outward line by line in each of the four
// directions until a line that is (nearly) all edge is met.
#include <algorithm>
#include <array>

#include "masks/detection.h"

namespace veilo {
namespace {

constexpr uint32_t kEdgeThreshold = 150;
constexpr int32_t kLinesAfterCandidate = 600;
constexpr int32_t kBlockPixels = 64;

// A pixel pair is an edge when the channel differences of the outer pixel
// against the inner one, weighted, add up to the threshold; channels of the
// outer pixel close to mid-grey (|v - 128| < 10) count four times, so that
// weak steps against grey still register.
//
// The work is split into loops over plain byte arrays that the compiler
// vectorises. First, per channel byte, the weighted difference capped to fit
// a byte: a capped value is already at least the threshold, so no pixel
// changes sides.
inline void WeightedDifferences(const uint8_t* __restrict inner, const uint8_t* __restrict outer, int32_t bytes,
                                uint8_t* __restrict weighted) {
  for (int32_t b = 0; b < bytes; ++b) {
    const uint8_t q = outer[b], p = inner[b];
    const uint8_t d = static_cast<uint8_t>(q > p ? q - p : p - q);
    const bool nearGrey = static_cast<uint8_t>(q - 119) <= 18;  // 119..137
    const uint8_t capped = d < 38 ? d : 38;                      // 4 * 38 >= threshold
    weighted[b] = nearGrey ? static_cast<uint8_t>(4 * capped) : d;
  }
  weighted[bytes] = weighted[bytes + 1] = 0;
}

// a + b, or 255 when that does not fit a byte; written so that it vectorises.
inline uint8_t SaturatedSum(uint8_t a, uint8_t b) {
  const uint8_t sum = static_cast<uint8_t>(a + b);
  return sum < a ? uint8_t{255} : sum;
}

// Then the sum of each byte and the two after it (saturated: the threshold is
// below 255), compared with the threshold: at every third byte (a pixel's
// first channel) that is the pixel's edge flag. The bytes in between are
// counted too and simply never read.
inline bool ReachesThreshold(const uint8_t* weighted) {
  return SaturatedSum(SaturatedSum(weighted[0], weighted[1]), weighted[2]) >= kEdgeThreshold;
}

inline void AddEdgeFlags(const uint8_t* __restrict weighted, int32_t bytes, uint8_t* __restrict counts) {
  for (int32_t b = 0; b < bytes; ++b) counts[b] = static_cast<uint8_t>(counts[b] + (ReachesThreshold(weighted + b) ? 1 : 0));
}

// 1 at the first byte of each pixel of a block.
constexpr std::array<uint8_t, 3 * kBlockPixels> kPixelStarts = [] {
  std::array<uint8_t, 3 * kBlockPixels> a{};
  for (size_t b = 0; b < a.size(); b += 3) a[b] = 1;
  return a;
}();

// Edge pairs of a block; at most kBlockPixels, so a byte holds the count.
inline int32_t CountEdges(const uint8_t* __restrict weighted, int32_t bytes) {
  static_assert(kBlockPixels <= 255);
  uint8_t edges = 0;
  for (int32_t b = 0; b < bytes; ++b)
    edges = static_cast<uint8_t>(edges + ((ReachesThreshold(weighted + b) ? 1 : 0) & kPixelStarts[static_cast<size_t>(b)]));
  return edges;
}

// The decision rule of one walk: a line that is more than 99 % edge ends it at
// once; a line more than 30 % edge becomes the candidate, and the walk gives up
// 600 lines after the latest candidate.
class LineWalk {
 public:
  // Returns true when the walk stops at this line.
  bool Visit(int32_t line, int32_t edges, int32_t pairs) {
    const int64_t e = edges, n = pairs;
    if (e * 100 > n * 99) {
      result_ = line;
      return stopped_ = true;
    }
    if (e * 10 > n * 3) {
      candidate_ = line;
      sinceCandidate_ = 0;
    }
    if (candidate_ >= 0 && ++sinceCandidate_ > kLinesAfterCandidate) {
      result_ = candidate_;
      return stopped_ = true;
    }
    return false;
  }
  // The result once the lines ran out: the candidate, else the picture border.
  int32_t Result(int32_t border) const { return stopped_ ? result_ : candidate_ >= 0 ? candidate_ : border; }

 private:
  int32_t candidate_ = -1;
  int32_t sinceCandidate_ = 0;
  int32_t result_ = -1;
  bool stopped_ = false;
};

// Up (outward -1) or down (+1) from row `from`: each row is compared with the
// next row outward over columns c0 .. c0 + n - 1. Gives the outermost inner row.
int32_t ScanRows(const PixelBuffer& pic, int32_t from, int32_t outward, int32_t c0, int32_t n) {
  LineWalk walk;
  std::array<uint8_t, 3 * kBlockPixels + 2> weighted;
  const int32_t lineCount = outward < 0 ? from : pic.height - 1 - from;
  const ptrdiff_t toOuter = outward < 0 ? static_cast<ptrdiff_t>(pic.stride) : -static_cast<ptrdiff_t>(pic.stride);
  for (int32_t q = 0; q < lineCount; ++q) {
    const int32_t line = from + outward * q;
    const uint8_t* inner = pic.At(c0, line);
    int32_t edges = 0;
    for (int32_t done = 0; done < n; done += kBlockPixels) {
      const int32_t bytes = 3 * std::min(kBlockPixels, n - done);
      const uint8_t* blockInner = inner + 3 * static_cast<ptrdiff_t>(done);
      WeightedDifferences(blockInner, blockInner + toOuter, bytes, weighted.data());
      edges += CountEdges(weighted.data(), bytes);
    }
    if (walk.Visit(line, edges, n)) break;
  }
  return walk.Result(outward < 0 ? 0 : pic.height - 1);
}

// Left (outward -1) or right (+1) from column `from` over rows r0 .. r0 + n - 1.
// Columns are counted a chunk at a time, row by row, so that memory is read
// along the rows; the chunks start small because most walks end early.
int32_t ScanColumns(const PixelBuffer& pic, int32_t from, int32_t outward, int32_t r0, int32_t n) {
  LineWalk walk;
  const int32_t border = outward < 0 ? 0 : pic.width - 1;
  const int32_t lineCount = outward < 0 ? from : pic.width - 1 - from;
  std::array<uint8_t, 3 * kBlockPixels + 2> weighted;
  std::array<uint8_t, 3 * kBlockPixels> byteCounts;
  std::array<int32_t, kBlockPixels> counts;
  int32_t chunk = 8;
  for (int32_t done = 0; done < lineCount;) {
    const int32_t size = std::min(chunk, lineCount - done);
    const int32_t bytes = 3 * size;
    const int32_t first = from + outward * done;                    // first line of the chunk in walk order
    const int32_t lowest = outward < 0 ? first - size + 1 : first;  // its leftmost inner column
    std::fill(counts.begin(), counts.begin() + size, 0);
    // Byte counters, emptied every 255 rows before they could overflow.
    for (int32_t rows = 0; rows < n; rows += 255) {
      std::fill(byteCounts.begin(), byteCounts.begin() + bytes, uint8_t{0});
      const int32_t end = r0 + std::min(n, rows + 255);
      for (int32_t r = r0 + rows; r < end; ++r) {
        const uint8_t* inner = pic.At(lowest, r);
        WeightedDifferences(inner, inner + 3 * outward, bytes, weighted.data());
        AddEdgeFlags(weighted.data(), bytes, byteCounts.data());
      }
      for (int32_t q = 0; q < size; ++q) counts[q] += byteCounts[3 * q];
    }
    for (int32_t q = 0; q < size; ++q) {
      const int32_t line = first + outward * q;
      if (walk.Visit(line, counts[line - lowest], n)) return walk.Result(border);
    }
    done += size;
    chunk = std::min(chunk * 2, kBlockPixels);
  }
  return walk.Result(border);
}

}  // namespace

PixelRect EdgeScan(ImageDoc& doc, int32_t x, int32_t y) {
  PixelRect area;
  if (!doc.HasPicture() || doc.bitCount != 24) {
    SetSelectionCorners(doc, area);
    return area;
  }
  const PixelBuffer pic = DocPixels(doc);
  x = std::clamp(x, 0, pic.width - 1);
  y = std::clamp(y, 0, pic.height - 1);

  // First along the click column and the rows it spans, then again across the
  // area found, so that a single noisy line does not decide the result.
  int32_t top = ScanRows(pic, y, -1, x, 1);
  int32_t bottom = ScanRows(pic, y, +1, x, 1);
  int32_t left = ScanColumns(pic, x, -1, top, bottom - top + 1);
  int32_t right = ScanColumns(pic, x, +1, top, bottom - top + 1);

  // Columns left .. right - 1; when that is empty (a one-column area) the
  // click column alone, rather than a ratio over no pixels at all.
  const int32_t columns = std::max(right - left, 1);
  const int32_t firstTop = top, firstBottom = bottom;
  top = ScanRows(pic, y, -1, left, columns);
  bottom = ScanRows(pic, y, +1, left, columns);
  // Over the same rows the side scans would only repeat themselves.
  if (top != firstTop || bottom != firstBottom) {
    left = ScanColumns(pic, x, -1, top, bottom - top + 1);
    right = ScanColumns(pic, x, +1, top, bottom - top + 1);
  }

  area = {left, top, right + 1, bottom + 1};
  SetSelectionCorners(doc, area);
  return area;
}

}  // namespace veilo
