#pragma once
// Running the files of a batch side by side, one file per thread at a time.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "batch_plan.h"
#include "cli_shell.h"

namespace veilo::cli {

struct FileOutcome {
  bool ok = false;
  std::string messages;  // the lines said about the file, each ending in '\n'
};

// One thread per core (at least one).
unsigned DefaultThreadCount();

// Runs work(i) for every i below `count` on up to `threads` threads and
// returns the outcomes by index. `finished(i, outcome, finishedCount)` is
// called as each file ends, never two calls at once.
std::vector<FileOutcome> RunOnThreads(size_t count, unsigned threads,
                                      const std::function<FileOutcome(size_t)>& work,
                                      const std::function<void(size_t, const FileOutcome&, size_t)>& finished);

// Does `work` (false after saying why, through the shell it is given) for
// every job that is not refused, on `threads` threads. Prints each file's
// messages as it ends, a progress line while stderr is a terminal, and the
// failure summary at the end. The exit status: kExitFailed when any file
// failed or was refused, else kExitOk.
using BatchWork = std::function<bool(CliShell& shell, const BatchJob& job)>;
int RunBatch(const std::vector<BatchJob>& jobs, unsigned threads, const BatchWork& work);

}  // namespace veilo::cli
