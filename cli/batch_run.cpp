#include "batch_run.h"

#include <atomic>
#include <cstdio>
#include <exception>
#include <mutex>
#include <thread>

#include "commands.h"
#include "formats/image_files.h"
#include "progress_line.h"

namespace veilo::cli {

unsigned DefaultThreadCount() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : n;
}

std::vector<FileOutcome> RunOnThreads(size_t count, unsigned threads,
                                      const std::function<FileOutcome(size_t)>& work,
                                      const std::function<void(size_t, const FileOutcome&, size_t)>& finished) {
  std::vector<FileOutcome> outcomes(count);
  std::atomic<size_t> next{0};
  std::mutex finishing;
  size_t finishedCount = 0;
  const auto worker = [&] {
    for (size_t i = next++; i < count; i = next++) {
      FileOutcome outcome = work(i);
      const std::lock_guard<std::mutex> lock(finishing);
      outcomes[i] = std::move(outcome);
      finished(i, outcomes[i], ++finishedCount);
    }
  };
  const size_t wanted = std::min<size_t>(threads == 0 ? 1 : threads, count);
  std::vector<std::thread> pool;
  // The calling thread is one of the workers.
  for (size_t t = 1; t < wanted; ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& t : pool) t.join();
  return outcomes;
}

int RunBatch(const std::vector<BatchJob>& jobs, unsigned threads, const BatchWork& work) {
  const bool terminal = StderrIsTerminal();
  ProgressLine progress;
  const auto doOne = [&](size_t i) {
    FileOutcome outcome;
    const BatchJob& job = jobs[i];
    if (!job.refusal.empty()) {
      outcome.messages = job.refusal + "\n";
      return outcome;
    }
    CliShell shell(&outcome.messages);
    // An exception must not leave a worker thread: that would end the whole run.
    try {
      outcome.ok = work(shell, job);
    } catch (const std::exception& e) {
      outcome.ok = false;
      shell.Say(e.what());
    }
    return outcome;
  };
  const auto finished = [&](size_t i, const FileOutcome& outcome, size_t finishedCount) {
    std::string text;
    if (!outcome.messages.empty()) {
      text += progress.Clear();
      size_t start = 0;
      while (start < outcome.messages.size()) {
        size_t end = outcome.messages.find('\n', start);
        if (end == std::string::npos) end = outcome.messages.size();
        text += "veilo-cli: " + jobs[i].input + ": " + outcome.messages.substr(start, end - start) + "\n";
        start = end + 1;
      }
    }
    if (terminal) text += progress.Show(finishedCount, jobs.size(), FileTitleOf(jobs[i].input));
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
  };
  const std::vector<FileOutcome> outcomes = RunOnThreads(jobs.size(), threads, doOne, finished);

  std::vector<std::string> failed;
  for (size_t i = 0; i < jobs.size(); ++i)
    if (!outcomes[i].ok) failed.push_back(jobs[i].input);
  std::string end;
  if (terminal) end += progress.Clear();
  end += FailureSummary(failed, jobs.size());
  std::fputs(end.c_str(), stderr);
  return failed.empty() ? kExitOk : kExitFailed;
}

}  // namespace veilo::cli
