#pragma once
// Drives a running slide show from inside it. The show runs its own message loop inside the call
// that starts it, so a thread timer ticks inside that loop (or inside a dialog the show opened)
// and runs the steps one by one; a step returns false to be tried again at the next tick. When
// time runs out, whatever is open is closed, so that the start returns and the test fails
// instead of hanging.
#include <windows.h>

#include <functional>
#include <vector>

#include "modal_driver_win.h"
#include "shell/slide_window_win.h"

namespace veilo::testing {

class SlideDriver {
 public:
  using Step = std::function<bool(HWND slide)>;
  explicit SlideDriver(std::vector<Step> steps, DWORD limitMs = 8000)
      : steps_(std::move(steps)), deadline_(GetTickCount64() + limitMs) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 40, Tick);
  }
  ~SlideDriver() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  SlideDriver(const SlideDriver&) = delete;
  SlideDriver& operator=(const SlideDriver&) = delete;
  bool Finished() const { return next_ == steps_.size() && !timedOut_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_) current_->OnTick();
  }
  void OnTick() {
    if (GetTickCount64() > deadline_) {
      if (next_ < steps_.size()) timedOut_ = true;
      if (const HWND dialog = ActiveDialogBox()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      if (const HWND slide = RunningSlideWindow()) PostMessageW(slide, WM_CHAR, 0x1B, 0);
      return;
    }
    if (running_ || next_ >= steps_.size()) return;
    running_ = true;
    if (steps_[next_](RunningSlideWindow())) ++next_;
    running_ = false;
  }

  static inline SlideDriver* current_ = nullptr;
  std::vector<Step> steps_;
  size_t next_ = 0;
  ULONGLONG deadline_;
  bool timedOut_ = false;
  bool running_ = false;
  UINT_PTR timer_ = 0;
};

}  // namespace veilo::testing
