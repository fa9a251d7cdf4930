#pragma once
// Shared pieces of the fuzz targets: a shell that ignores every call, and one
// scratch file per process for the readers that take a path.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/shell_notifications.h"

namespace veilo::fuzz {

// Every notification keeps its do-nothing default.
class SilentShell : public ShellNotifications {};

// Writes the input to this process's scratch file (the same path on every
// call, removed at exit) and returns its path; empty if it cannot be written.
const std::string& WriteScratchFile(const uint8_t* data, size_t size);

}  // namespace veilo::fuzz
