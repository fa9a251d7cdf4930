#include <array>
#include <bit>
#include <cstdint>
#include <span>

#include "masks/cp_mask.h"

namespace veilo {

int32_t CpLetterWeight(char upperLetter) {
  static constexpr int32_t kWeights[26] = {16, 23, 19, 21, 9,  8,  10, 20, 6,  5,  22, 2,  13,
                                           3,  1,  4,  25, 12, 15, 14, 18, 7,  11, 24, 17, 26};
  if (upperLetter >= 'a' && upperLetter <= 'z') upperLetter = static_cast<char>(upperLetter - 'a' + 'A');
  if (upperLetter < 'A' || upperLetter > 'Z') return 0;
  return kWeights[upperLetter - 'A'];
}

bool IsValidCpCode(std::string_view code) {
  if (code.empty() || code.size() > kCpCodeMaxLetters) return false;
  for (const char c : code)
    if (c < 'A' || c > 'Z') return false;
  return true;
}

namespace {

// Which entries of R are taken, as bits, with a second level marking the
// words whose 64 entries are all taken. Finding the nearest free entry in
// either direction then skips long runs of taken entries a word or 4096
// entries at a time, where stepping one entry at a time (as the rule reads)
// slows down badly as R fills up. The result is the same entry.
class FreeEntries {
 public:
  explicit FreeEntries(int32_t n)
      : words_((static_cast<size_t>(n) + 63) / 64), taken_(words_, 0), full_((words_ + 63) / 64, 0) {
    // Bits past the last entry count as taken, words past the last as full.
    for (size_t i = static_cast<size_t>(n); i < 64 * words_; ++i) taken_[i / 64] |= Bit(i);
    if (taken_[words_ - 1] == kAll) full_[(words_ - 1) / 64] |= Bit(words_ - 1);
    for (size_t w = words_; w < 64 * full_.size(); ++w) full_[w / 64] |= Bit(w);
  }

  void Take(int32_t entry) {
    const auto i = static_cast<size_t>(entry);
    uint64_t& word = taken_[i / 64];
    word |= Bit(i);
    if (word == kAll) full_[i / 64 / 64] |= Bit(i / 64);
  }

  // The first free entry at or after `from`, wrapping from the last to 0.
  int32_t NextFree(int32_t from) const {
    const auto i = static_cast<size_t>(from);
    const uint64_t here = ~taken_[i / 64] & (kAll << (i % 64));
    if (here != 0) return Entry(i / 64, static_cast<size_t>(std::countr_zero(here)));
    size_t w = NextOpenWord(i / 64 + 1);
    if (w == kNone) w = NextOpenWord(0);
    return Entry(w, static_cast<size_t>(std::countr_zero(~taken_[w])));
  }

  // The last free entry at or before `from`, wrapping from 0 to the last.
  int32_t PrevFree(int32_t from) const {
    const auto i = static_cast<size_t>(from);
    const uint64_t here = ~taken_[i / 64] & UpTo(i % 64);
    if (here != 0) return Entry(i / 64, 63 - static_cast<size_t>(std::countl_zero(here)));
    size_t w = i / 64 == 0 ? kNone : PrevOpenWord(i / 64 - 1);
    if (w == kNone) w = PrevOpenWord(words_ - 1);
    return Entry(w, 63 - static_cast<size_t>(std::countl_zero(~taken_[w])));
  }

 private:
  static constexpr uint64_t kAll = ~uint64_t{0};
  static constexpr size_t kNone = SIZE_MAX;
  static uint64_t Bit(size_t i) { return uint64_t{1} << (i % 64); }
  static uint64_t UpTo(size_t bit) { return (uint64_t{2} << bit) - 1; }  // bits 0..bit
  static int32_t Entry(size_t word, size_t bit) { return static_cast<int32_t>(64 * word + bit); }

  // The first word at or after w (the last at or before w) with a free entry.
  size_t NextOpenWord(size_t w) const {
    if (w >= words_) return kNone;
    for (size_t s = w / 64; s < full_.size(); ++s) {
      const uint64_t open = ~full_[s] & (s == w / 64 ? kAll << (w % 64) : kAll);
      if (open != 0) return 64 * s + static_cast<size_t>(std::countr_zero(open));
    }
    return kNone;
  }
  size_t PrevOpenWord(size_t w) const {
    for (size_t s = w / 64 + 1; s-- > 0;) {
      const uint64_t open = ~full_[s] & (s == w / 64 ? UpTo(w % 64) : kAll);
      if (open != 0) return 64 * s + 63 - static_cast<size_t>(std::countl_zero(open));
    }
    return kNone;
  }

  size_t words_;
  std::vector<uint64_t> taken_;
  std::vector<uint64_t> full_;
};

}  // namespace

bool FillCpPermutation(std::string_view code, std::span<int32_t> r) {
  if (r.empty() || r.size() > INT32_MAX || !IsValidCpCode(code)) return false;
  const auto n = static_cast<int32_t>(r.size());
  const int64_t len = static_cast<int64_t>(code.size());
  // Collisions walk left on odd steps and right on even ones, wrapping.
  FreeEntries entries(n);
  const int64_t base = len + n % len;
  // The letters' weights in code order, so that the loop indexes a table.
  std::array<int32_t, kCpCodeMaxLetters> weight{};
  for (size_t c = 0; c < code.size(); ++c) weight[c] = CpLetterWeight(code[c]);
  // pos is below n and the step below n + 57, so but for the smallest grids
  // two subtractions reduce the sum modulo n, where a division would take
  // most of the time of a step.
  int64_t pos = n - 1;
  size_t letter = 0;
  for (int32_t i = 0; i < n; ++i) {
    pos += base + weight[letter] + i;
    pos -= pos >= n ? n : 0;  // without branches: which way they go is random
    pos -= pos >= n ? n : 0;
    if (pos >= n) pos %= n;
    if (++letter == code.size()) letter = 0;
    const auto at = static_cast<int32_t>(pos);
    pos = (i & 1) != 0 ? entries.PrevFree(at) : entries.NextFree(at);
    r[static_cast<size_t>(pos)] = i;
    entries.Take(static_cast<int32_t>(pos));
  }
  return true;
}

std::vector<int32_t> CpPermutation(int32_t n, std::string_view code) {
  if (n < 1 || !IsValidCpCode(code)) return {};
  std::vector<int32_t> r(static_cast<size_t>(n));
  FillCpPermutation(code, r);
  return r;
}

}  // namespace veilo
