#include <array>

#include "masks/meko_mask.h"

namespace veilo {

std::vector<int32_t> MekoPermutation(int32_t n, int32_t order) {
  if (n <= 0 || n > kMekoMaxBlocks) return {};
  // The keys are distinct numbers below kMekoMaxBlocks, so indexing by key
  // sorts them: Q[k] is the block with the k-th smallest key.
  std::array<int32_t, kMekoMaxBlocks> blockOfKey;
  blockOfKey.fill(-1);
  for (int32_t b = 0; b < n; ++b) blockOfKey[MekoOrderTable[static_cast<size_t>(b)]] = b;

  std::vector<int32_t> target(static_cast<size_t>(n));
  int32_t k = 0;
  for (const int32_t b : blockOfKey) {
    if (b < 0) continue;
    if (order == 1)
      target[static_cast<size_t>(k)] = b;  // reverse order: block k goes to Q[k]
    else
      target[static_cast<size_t>(b)] = k;  // forward order: position k receives Q[k]
    ++k;
  }
  return target;
}

}  // namespace veilo
