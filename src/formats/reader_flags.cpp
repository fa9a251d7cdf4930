#include "formats/reader_flags.h"

namespace veilo {

ReaderFlags& CurrentReaderFlags() {
  // Per thread: a picture may be read on another thread while the program starts.
  static thread_local ReaderFlags flags;
  return flags;
}

}  // namespace veilo
