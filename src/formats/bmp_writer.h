#pragma once
// Writing a picture as a BMP file.
#include <string>

#include "doc/packed_dib.h"

namespace veilo {

class ShellNotifications;

// Writes `dib` to the file at `utf8Path`, creating or replacing it. Pictures
// of more than 256 colours are stored as the block is held; others as 8-bit
// (17..256 colours), 4-bit (3..16) or 1-bit (1..2) files whose colour table
// lists the colours in order of first appearance, bottom row first. A block
// that is not 24-bit is converted first. The target is replaced only once the
// whole file is written; on failure it is left untouched. Result 1 = written,
// 0 = failure. No message.
int WriteBmpFile(ShellNotifications& shell, const std::string& utf8Path, const PackedDib& dib);

}  // namespace veilo
