#include "formats/reader_flags.h"

namespace veilo {

ReaderFlags& CurrentReaderFlags() {
  static ReaderFlags flags;
  return flags;
}

}  // namespace veilo
