#pragma once
// What every mask operation works with besides the document: the user's
// options, the global macro buffer and the shell.
#include <array>
#include <cstdint>

#include "doc/mask_record.h"
#include "platform/shell_notifications.h"

namespace veilo {

// The mask-related part of the application options (defaults as shipped).
struct MaskOptions {
  uint8_t rgbNegChannels = 7;   // bit 0 red, bit 1 green, bit 2 blue
  uint8_t rgbXorChannels = 7;
  uint8_t rgbExchangeMode = 0;  // 0 R->G->B->R, 1 R<->G, 2 G<->B, 3 R<->B
  int32_t glassBoxSize = 8;     // 2..999
  int32_t flInvert = 1;
  int32_t q0VerticalGlass = 1;
  int32_t q0HorizontalGlass = 1;
  int32_t q0NegPos = 1;
  int32_t q0LeftRight = 0;
  int32_t q0UpDown = 0;
  int32_t q0Xor = 0;
};

inline constexpr int kMacroCapacity = 30;

// One recorded operation: 15 words, opcode, the 20 code bytes, p1..p9.
struct MacroEntry {
  int32_t opcode = 0;
  std::array<char, 20> code{};
  std::array<int32_t, 9> p{};
};
static_assert(sizeof(MacroEntry) == 15 * 4, "MacroEntry is 15 32-bit words");

struct MacroBuffer {
  std::array<MacroEntry, kMacroCapacity> entries{};
  int32_t macroCount = 0;
  int32_t macroRecording = 0;
  int32_t running = 0;  // set only while a macro replays
};

struct MaskContext {
  ShellNotifications& shell;
  MaskOptions& options;
  MacroBuffer& macro;
};

}  // namespace veilo
