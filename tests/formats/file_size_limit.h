#pragma once
// Lowers the process's file size limit so that writes beyond it fail (as on
// a full disk), restoring it afterwards. POSIX only.
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>

namespace veilo::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit lowered = previous_;
    lowered.rlim_cur = bytes;
    active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool active() const { return active_; }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
  bool active_ = false;
};

}  // namespace veilo::testing
#endif
