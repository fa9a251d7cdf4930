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

std::vector<int32_t> CpPermutation(int32_t n, std::string_view code) {
  if (n < 1 || !IsValidCpCode(code)) return {};
  const int64_t len = static_cast<int64_t>(code.size());
  std::vector<int32_t> r(static_cast<size_t>(n), -1);
  const int64_t base = len + n % len;
  int64_t pos = n - 1;
  for (int32_t i = 0; i < n; ++i) {
    pos += base + CpLetterWeight(code[static_cast<size_t>(i % len)]) + i;
    if (pos >= n) pos %= n;
    // Collisions walk left on odd steps and right on even ones, wrapping.
    while (r[static_cast<size_t>(pos)] != -1) {
      if (i % 2 != 0)
        pos = pos == 0 ? n - 1 : pos - 1;
      else
        pos = pos == n - 1 ? 0 : pos + 1;
    }
    r[static_cast<size_t>(pos)] = i;
  }
  return r;
}

}  // namespace veilo
