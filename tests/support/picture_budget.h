#pragma once
// Puts this process on the 32-bit build's picture budget for the life of the
// guard, so that tests of refused sizes allocate nothing large in any build.
#include <cstdint>

#include "doc/picture_limits.h"

namespace veilo::testing {

class Budget32 {
 public:
  Budget32() { LimitPictureBudget(PictureBudgetBytes(32)); }
  ~Budget32() { LimitPictureBudget(UINT64_MAX); }
  Budget32(const Budget32&) = delete;
  Budget32& operator=(const Budget32&) = delete;
};

}  // namespace veilo::testing
