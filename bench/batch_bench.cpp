// The inputs of scripts/bench-batch: `veilo-bench-batch DIR N` writes N
// photograph-like 1024x768 JPEGs (quality 90) into DIR. The script times
// veilo-cli over them, as one batch and as one run per file.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_photo.h"
#include "formats/jpeg_writer.h"
#include "platform/shell_notifications.h"

int main(int argc, char** argv) {
  using namespace veilo;
  if (argc != 3) {
    std::fprintf(stderr, "usage: veilo-bench-batch DIR N\n");
    return 2;
  }
  const std::string dir = argv[1];
  const int count = std::atoi(argv[2]);
  ShellNotifications shell;
  JpegWriteOptions jpeg;
  jpeg.quality = 90;
  for (int i = 0; i < count; ++i) {
    ImageDoc photo = bench::MakePhotoLike(1024, 768, 11 + static_cast<uint32_t>(i));
    char name[32];
    std::snprintf(name, sizeof name, "/photo%03d.jpg", i);
    if (WriteJpegFile(shell, dir + name, photo, jpeg) != 0) return 1;
  }
  return 0;
}
