// Rectangle search: the outermost rectangle around a point whose four borders
// are strong edges, found by a nested search over top, right, bottom and left
// lines in that order.
#include <algorithm>
#include <limits>

#include "masks/border_line.h"
#include "masks/detection.h"
#include "masks/pair_columns.h"

namespace veilo {
namespace {

// Sweeps down a right column before the bottom candidates of all columns are
// counted at once, row by row: a fresh search sweeps every column right of the
// point, a resumed one usually only a few.
constexpr int32_t kSweepsBeforeCounting = 32;
// Right borders are counted at once when checking them one by one has cost
// this share of the whole region (1 / n).
constexpr int64_t kRightBorderShare = 8;

class RectangleSearcher {
 public:
  RectangleSearcher(const PixelBuffer& pic, int32_t x, int32_t y, const SearchBounds& bounds, bool resuming)
      : pic_(pic),
        x_(x),
        y_(y),
        b_(bounds),
        resuming_(resuming),
        up_(static_cast<ptrdiff_t>(pic.stride)),
        topRight_(std::max(pic.width, pic.height)),
        bottom_(std::max(pic.width, pic.height)) {
    const int64_t region = int64_t{std::max(0, b_.right - x_)} * std::max(0, b_.bottom - b_.top);
    rightBudget_ = region / kRightBorderShare;
  }

  std::optional<PixelRect> Run();

 private:
  const uint8_t* At(int32_t px, int32_t py) const { return pic_.At(px, py); }
  int32_t NextBottomCandidate(int32_t j, int32_t from);
  bool RightBorderPasses(int32_t i, int32_t j, int32_t k);
  std::optional<PixelRect> FindLeft(int32_t i, int32_t j, int32_t k);

  const PixelBuffer& pic_;
  const int32_t x_, y_;
  const SearchBounds b_;
  const bool resuming_;
  const ptrdiff_t up_;  // bytes from a pixel to the one above it

  BorderLine topRight_, bottom_;
  PairColumns bottomPairs_, rightPairs_;
  int32_t sweeps_ = 0;
  int64_t rightSpent_ = 0, rightBudget_ = 0;
};

std::optional<PixelRect> RectangleSearcher::Run() {
  const int32_t width = pic_.width;
  if (b_.bottom - 1 < y_) return std::nullopt;
  for (int32_t i = b_.top; i < y_; ++i) {
    if (i > 0 && !PixelsDiffer(At(x_, i - 1), At(x_, i))) continue;
    // Between rows i - 1 and i over columns j, j - 1, ..., x + 1.
    if (i > 0 && b_.right - 1 > x_) topRight_.Reset(At(x_ + 1, i), up_, 3, b_.right - 1 - x_);
    for (int32_t j = b_.right - 1; j >= x_; --j) {
      if (i > 0 && !topRight_.Passes(j - x_)) continue;
      if (++sweeps_ == kSweepsBeforeCounting && y_ <= pic_.height - 2)
        bottomPairs_.Build(pic_, x_, b_.right - 1, y_, std::min(b_.bottom - 1, pic_.height - 2), -up_);
      for (int32_t k = NextBottomCandidate(j, b_.bottom - 1); k >= y_; k = NextBottomCandidate(j, k - 1)) {
        if (j < width - 1 && !RightBorderPasses(i, j, k)) continue;
        if (const std::optional<PixelRect> found = FindLeft(i, j, k)) return found;
      }
    }
  }
  return std::nullopt;
}

// The highest bottom row k in [y, from] that can end a rectangle with right
// column j: the last row, or one whose pixel in column j differs from the one
// below. y - 1 when there is none.
int32_t RectangleSearcher::NextBottomCandidate(int32_t j, int32_t from) {
  if (from < y_) return y_ - 1;
  if (from == pic_.height - 1) return from;
  if (bottomPairs_.Built()) return bottomPairs_.HighestDifferingRow(j, y_, from);
  const uint8_t* pixel = At(j, from);
  for (int32_t k = from; k >= y_; --k, pixel += up_)
    if (PixelsDiffer(pixel, pixel - up_)) return k;
  return y_ - 1;
}

// Between columns j and j + 1 over rows k, k - 1, ..., i + 1.
bool RectangleSearcher::RightBorderPasses(int32_t i, int32_t j, int32_t k) {
  if (rightPairs_.Built()) return rightPairs_.BorderPassesUpward(j, k, k - i);
  int32_t examined = 0;
  const bool passes = BorderPasses(At(j, k), 3, up_, k - i, examined);
  rightSpent_ += examined;
  if (rightSpent_ > rightBudget_) {
    rightPairs_.Build(pic_, x_, std::min(b_.right - 1, pic_.width - 2), b_.top + 1, b_.bottom - 1, 3);
    rightBudget_ = std::numeric_limits<int64_t>::max();  // once, even when memory ran out
  }
  return passes;
}

// The leftmost left column for top row i, right column j and bottom row k.
std::optional<PixelRect> RectangleSearcher::FindLeft(int32_t i, int32_t j, int32_t k) {
  const int32_t width = pic_.width, height = pic_.height;
  // A fresh search never answers with the whole picture: with the top, right
  // and bottom on the picture's edges the left starts at column 1.
  const int32_t first = resuming_ ? b_.left : (i == 0 && k == height - 1 && j == width - 1) ? 1 : 0;
  // Between rows k and k + 1 over columns l .. j - 1.
  if (k < height - 1 && j > first) bottom_.Reset(At(j - 1, k), -up_, -3, j - first);
  const uint8_t* rowK = At(0, k);
  int32_t examined = 0;
  for (int32_t l = first; l <= x_; ++l) {
    if (l > 0 && !PixelsDiffer(rowK + 3 * (l - 1), rowK + 3 * l)) continue;
    if (k < height - 1 && !bottom_.Passes(j - l)) continue;
    // Between columns l - 1 and l over rows i .. k - 1.
    if (l > 0 && !BorderPasses(At(l, i), -3, -up_, k - i, examined)) continue;
    // Between rows i - 1 and i over columns l .. x - 1.
    if (i > 0 && !BorderPasses(At(l, i), up_, 3, x_ - l, examined)) continue;
    return PixelRect{l, i, j + 1, k + 1};
  }
  return std::nullopt;
}

}  // namespace

std::optional<PixelRect> RectangleSearch(ImageDoc& doc, int32_t x, int32_t y,
                                         const std::optional<SearchBounds>& resume) {
  if (!doc.HasPicture() || doc.bitCount != 24) return std::nullopt;
  const PixelBuffer pic = DocPixels(doc);
  if (x < 0 || y < 0 || x >= pic.width || y >= pic.height) return std::nullopt;

  // Fresh: top 0, right `width`, bottom `height`. Remembered bounds may come
  // from a picture that has since changed size.
  SearchBounds bounds{0, pic.width, pic.height, 0};
  if (resume) {
    bounds.top = std::max(resume->top, 0);
    bounds.right = std::min(resume->right, pic.width);
    bounds.bottom = std::min(resume->bottom, pic.height);
    bounds.left = std::max(resume->left, 0);
  }
  RectangleSearcher searcher(pic, x, y, bounds, resume.has_value());
  const std::optional<PixelRect> found = searcher.Run();
  if (found) SetSelectionCorners(doc, *found);
  return found;
}

}  // namespace veilo
