#pragma once
// Drives the modal dialog that a command opens. The command does not return
// while its dialog is up, so a thread timer ticks inside the dialog's own
// message loop: each tick finds the dialog and runs the next step on it. A
// step returns false to be tried again at the next tick (to wait for
// something the dialog does by itself). When the steps are not done in time,
// the driver cancels the dialog and says so, so that no test hangs.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace veilo::testing {

class ModalDriver {
 public:
  using Step = std::function<bool(HWND dialog)>;

  // Starts ticking at once; the steps run on the first dialog box (class
  // #32770) of this thread that is visible and takes input.
  explicit ModalDriver(std::vector<Step> steps, DWORD limitMs = 8000);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // Every step ran before the time limit.
  bool Finished() const { return next_ == steps_.size() && !timedOut_; }
  bool TimedOut() const { return timedOut_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();

  std::vector<Step> steps_;
  size_t next_ = 0;
  ULONGLONG deadline_;
  bool timedOut_ = false;
  int closeAttempts_ = 0;
  bool running_ = false;  // a step may pump messages itself
  UINT_PTR timer_ = 0;
};

// The dialog box that takes input now (nullptr when none).
HWND ActiveDialogBox();

// A user's click on a button, check box or radio button of a dialog.
void ClickItem(HWND dialog, int id);
bool ItemChecked(HWND dialog, int id);
std::string WindowTextOf(HWND window);

}  // namespace veilo::testing
