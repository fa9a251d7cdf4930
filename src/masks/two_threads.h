#pragma once
// Block masks whose moves are independent of one another (the exchanges of
// FL and CP) share them out between the calling thread and a second one:
// moving blocks that lie far apart in memory waits on memory far more than
// it computes, and two threads keep twice as many fetches in flight.
#include <cstdint>
#include <functional>

namespace veilo {

// Below this many moves the second thread's start costs about what it saves.
inline constexpr int64_t kMovesWorthASecondThread = 16384;

// Runs run(0, split) and run(split, end), on two threads when the work is
// worth it (end >= the minimum), the processor has a second core and a
// thread can be started, otherwise run(0, end) on the calling thread. The
// two parts must not write the same bytes.
void RunInTwoParts(int64_t split, int64_t end, const std::function<void(int64_t, int64_t)>& run);

// Tests: the work size from which a second thread is used (negative: the
// default), so that small pictures take both paths.
void SetSecondThreadMinimumForTesting(int64_t moves);

}  // namespace veilo
