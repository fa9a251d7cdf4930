#pragma once
// The messages of the save dispatch, in Japanese or, once a language file is
// loaded, in English. They sit here, below the application, so that the file
// code needs nothing from the shell.
#include <cstdint>
#include <string_view>

namespace veilo {

enum class FileMessage : uint8_t {
  kWriteErrorReadOnly,  // save over a read-only file
  kWriteError,          // a writer failed
};

std::string_view FileMessageText(FileMessage message, bool english);

}  // namespace veilo
