#include "masks/two_threads.h"

#include <atomic>
#include <system_error>
#include <thread>

namespace veilo {

namespace {

std::atomic<int64_t> minimumMoves{kMovesWorthASecondThread};
std::atomic<bool> setForTesting{false};  // then a single core gets a second thread too

}  // namespace

void RunInTwoParts(int64_t split, int64_t end, const std::function<void(int64_t, int64_t)>& run) {
  const bool worthIt = end >= minimumMoves.load() && split > 0 && split < end &&
                       (std::thread::hardware_concurrency() > 1 || setForTesting.load());
  std::thread second;
  if (worthIt) {
    try {
      second = std::thread([&] { run(split, end); });
    } catch (const std::system_error&) {
      // No thread to be had: everything runs here, as on one core.
    }
  }
  if (!second.joinable()) return run(0, end);
  run(0, split);
  second.join();
}

void SetSecondThreadMinimumForTesting(int64_t moves) {
  setForTesting.store(moves >= 0);
  minimumMoves.store(moves < 0 ? kMovesWorthASecondThread : moves);
}

}  // namespace veilo
