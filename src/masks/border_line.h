#pragma once
// Border checks of the rectangle search: does a run of pixel pairs along one
// line count as a strong edge? Many runs share a fixed end and differ only in
// where they start; BorderLine answers those from prefix counts once checking
// them one by one has become more expensive than counting the line once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace veilo {

inline constexpr int32_t kPixelDifferenceThreshold = 40;
// The share of differing pairs is first enforced once more than 65 pairs have
// been examined, then after every further pair.
inline constexpr int32_t kFirstRatioCheck = 66;

// Two pixels differ when their channel differences add up to more than 40.
inline bool PixelsDiffer(const uint8_t* a, const uint8_t* b) {
  const int32_t sum = std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
  return sum > kPixelDifferenceThreshold;
}

// A border of n pixel pairs passes when n > 0 and at least 80 % of the pairs
// differ; it fails as soon as more than 65 pairs are examined and fewer than
// 80 % of those differ. Pair m (from 0) is at first + m * step, its partner
// `partner` bytes further on. `examined` receives the number of pairs looked at.
//
// "Fewer than 80 % differ" is "more than a fifth missed". Besides the early
// rule this stops as soon as the misses alone settle a failure: up to pair 66
// more than 66 / 5 misses fail there anyway, and more than n / 5 misses fail
// the final count. The outcome is the same; weak borders end sooner.
inline bool BorderPasses(const uint8_t* first, ptrdiff_t partner, ptrdiff_t step, int32_t n, int32_t& examined) {
  examined = 0;
  if (n <= 0) return false;
  const int32_t settled = n < kFirstRatioCheck ? n : kFirstRatioCheck;
  int32_t misses = 0;
  ptrdiff_t offset = 0;
  for (int32_t m = 1; m <= n; ++m, offset += step) {
    if (PixelsDiffer(first + offset, first + offset + partner)) continue;
    ++misses;
    if (5 * misses > (m > settled ? m : settled)) {
      examined = m;
      return false;
    }
  }
  examined = n;
  return true;
}

// The runs of one line that all end at the same pair: pair t (t = 0 the fixed
// end) is at end + t * step; a run of n pairs covers t = n - 1 down to 0, in
// that order.
//
// With P(u) the misses among t < u and G(u) = 5 P(u) - u, the run of n pairs
// fails at examined count m exactly when G(n) > G(n - m); so it fails at some
// m in [min(n, 66), n] when G(n) exceeds the minimum of G over 0 .. n - min(n, 66).
// Prefix minima of G answer every run at once.
class BorderLine {
 public:
  // Room for lines of up to `capacity` pairs; without memory the line keeps
  // checking runs one by one.
  explicit BorderLine(int32_t capacity);

  void Reset(const uint8_t* end, ptrdiff_t partner, ptrdiff_t step, int32_t length) {
    end_ = end;
    partner_ = partner;
    step_ = step;
    length_ = length;
    spent_ = 0;
    counted_ = false;
  }

  // The run of n pairs (n <= length).
  bool Passes(int32_t n) {
    if (n <= 0) return false;
    if (counted_) return 5 * prefix_[n] - n <= minimum_[n > kFirstRatioCheck ? n - kFirstRatioCheck : 0];
    int32_t examined = 0;
    const bool passes = BorderPasses(end_ + (n - 1) * step_, partner_, -step_, n, examined);
    spent_ += examined;
    if (spent_ > length_ && prefix_ != nullptr) CountLine();
    return passes;
  }

  // Counts the whole line now (normally done once checking runs one by one
  // has cost as much).
  void CountLine();

 private:
  std::unique_ptr<int32_t[]> prefix_;   // P(u), u = 0 .. length
  std::unique_ptr<int32_t[]> minimum_;  // min of G over 0 .. u
  int32_t capacity_ = 0;
  const uint8_t* end_ = nullptr;
  ptrdiff_t partner_ = 0, step_ = 0;
  int32_t length_ = 0;
  int64_t spent_ = 0;
  bool counted_ = false;
};

}  // namespace veilo
