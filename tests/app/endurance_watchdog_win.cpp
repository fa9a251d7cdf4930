#include "endurance_watchdog_win.h"

namespace veilo::testing {

Watchdog::Watchdog(uint32_t seed, ULONGLONG stallMs, ULONGLONG totalMs)
    : seed_(seed), stallMs_(stallMs), totalMs_(totalMs) {
  current = this;
  SetUnhandledExceptionFilter(OnCrash);
  thread_ = std::thread([this] { Watch(); });
}

Watchdog::~Watchdog() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
  SetUnhandledExceptionFilter(nullptr);
  current = nullptr;
}

}  // namespace veilo::testing
