#pragma once
// The endurance run's guard against hangs and crashes.
#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace veilo::testing {

// Ends the process, with the seed and the last actions, when the run stops
// making progress, goes over its whole time or crashes: a hang must fail,
// never wait forever.
class Watchdog {
 public:
  Watchdog(uint32_t seed, ULONGLONG stallMs, ULONGLONG totalMs);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  void Begin(size_t index, const std::string& what) {
    std::lock_guard lock(mutex_);
    lastBeat_ = GetTickCount64();
    char number[32];
    std::snprintf(number, sizeof number, "#%zu ", index);
    std::string line = number;
    line += what;
    recent_.push_back(std::move(line));
    if (recent_.size() > 25) recent_.pop_front();
  }
  std::string Recent() {
    std::lock_guard lock(mutex_);
    return RecentLocked();
  }

 private:
  std::string RecentLocked() const {
    std::string text = "seed " + std::to_string(seed_) + "; last actions:\n";
    for (const std::string& line : recent_) text += "  " + line + "\n";
    return text;
  }
  void Watch() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
      wake_.wait_for(lock, std::chrono::seconds(1));
      if (stopping_) break;
      const ULONGLONG now = GetTickCount64();
      if (now - lastBeat_ > stallMs_) Die("no progress for " + std::to_string(stallMs_ / 1000) + " s");
      if (now - started_ > totalMs_) Die("the run took over " + std::to_string(totalMs_ / 1000) + " s");
    }
  }
  void Die(const std::string& why) {
    std::fprintf(stderr, "\nendurance: FAILED: %s; %s", why.c_str(), RecentLocked().c_str());
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
  }
  static LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
    if (current) {
      char code[32];
      std::snprintf(code, sizeof code, "0x%08lX", info->ExceptionRecord->ExceptionCode);
      std::lock_guard lock(current->mutex_);
      current->Die(std::string("crash, exception ") + code);
    }
    return EXCEPTION_EXECUTE_HANDLER;
  }

  static inline Watchdog* current = nullptr;
  uint32_t seed_;
  ULONGLONG stallMs_, totalMs_;
  ULONGLONG started_ = GetTickCount64();
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  ULONGLONG lastBeat_ = GetTickCount64();
  std::deque<std::string> recent_;
  std::thread thread_;
};

}  // namespace veilo::testing
