#pragma once
// 64-bit positioning of stdio streams, for library glue that seeks in files
// larger than a long can address.
#include <cstdint>
#include <cstdio>

namespace veilo {

inline bool SeekStream(std::FILE* file, int64_t offset, int whence) {
#ifdef _WIN32
  return _fseeki64(file, offset, whence) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), whence) == 0;
#endif
}

// -1 on failure.
inline int64_t TellStream(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return static_cast<int64_t>(ftello(file));
#endif
}

// The stream's length, leaving its position where it was; -1 on failure.
inline int64_t StreamLength(std::FILE* file) {
  const int64_t here = TellStream(file);
  if (here < 0 || !SeekStream(file, 0, SEEK_END)) return -1;
  const int64_t size = TellStream(file);
  if (!SeekStream(file, here, SEEK_SET)) return -1;
  return size;
}

}  // namespace veilo
