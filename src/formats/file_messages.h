#pragma once
// The messages of the save dispatch, in Japanese or, once a language file is
// loaded, in English. They sit here, below the application, so that the file
// code needs nothing from the shell.
#include <cstdint>
#include <string>
#include <string_view>

namespace veilo {

enum class FileMessage : uint8_t {
  kWriteErrorReadOnly,  // save over a read-only file
  kWriteError,          // a writer failed
};

std::string_view FileMessageText(FileMessage message, bool english);

class ShellNotifications;

// The refusal of a picture this build cannot hold (see CanHoldPicture). The
// 32-bit build names the 64-bit one, which can.
std::string PictureTooLargeText(uint32_t width, uint32_t height, bool english, unsigned pointerBits);
// Shows it through the common error box, in the language the current load
// asks for (CurrentReaderFlags).
void ReportPictureTooLarge(ShellNotifications& shell, uint32_t width, uint32_t height);

}  // namespace veilo
