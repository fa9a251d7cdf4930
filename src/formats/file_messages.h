#pragma once
// The messages of the load and save dispatch, in Japanese or, once a language
// file is loaded, in English. They sit here, below the application, so that
// the file code needs nothing from the shell.
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/content_format.h"

namespace veilo {

enum class FileMessage : uint8_t {
  kWriteErrorReadOnly,  // save over a read-only file
  kWriteError,          // a writer failed
};

std::string_view FileMessageText(FileMessage message, bool english);

// The explanation of a file whose content is another format than its name
// chooses: the path, the format the extension led to expect (or that BMP
// was assumed for lack of a known extension) and the format it holds.
std::string ContentMismatchText(std::string_view utf8Path, const ContentMismatch& mismatch, bool english);
// The explanation followed by the offer to open the file as what it holds
// (a Yes/No question).
std::string OpenAsFoundQuestion(std::string_view utf8Path, const ContentMismatch& mismatch, bool english);

class ShellNotifications;

// The refusal of a picture this build cannot hold (see CanHoldPicture). The
// 32-bit build names the 64-bit one, which can.
std::string PictureTooLargeText(uint32_t width, uint32_t height, bool english, unsigned pointerBits);
// Shows it through the common error box, in the language the current load
// asks for (CurrentReaderFlags).
void ReportPictureTooLarge(ShellNotifications& shell, uint32_t width, uint32_t height);

}  // namespace veilo
