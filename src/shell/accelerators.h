#pragma once
// Accelerator table 100: the keys of the frame's accelerator table, as data.
// The Win32 side turns each entry into an ACCEL (virtual key, FVIRTKEY plus
// FSHIFT/FCONTROL) and builds the real table from them.
#include <cstdint>
#include <span>
#include <string>

#include "shell/commands.h"

namespace veilo {

// Virtual-key codes. The values are the platform's own, so the Win32 side
// can use them unchanged; letters are their upper-case ASCII codes.
using VirtualKey = uint16_t;
namespace vk {
inline constexpr VirtualKey kInsert = 0x2D;
inline constexpr VirtualKey kF1 = 0x70;
inline constexpr VirtualKey kF2 = 0x71;
inline constexpr VirtualKey kF3 = 0x72;
inline constexpr VirtualKey kF4 = 0x73;
inline constexpr VirtualKey kF5 = 0x74;
inline constexpr VirtualKey kF6 = 0x75;
inline constexpr VirtualKey kF7 = 0x76;
inline constexpr VirtualKey kF8 = 0x77;
inline constexpr VirtualKey kF9 = 0x78;
inline constexpr VirtualKey kF10 = 0x79;
inline constexpr VirtualKey kF11 = 0x7A;
inline constexpr VirtualKey kF12 = 0x7B;
constexpr VirtualKey Letter(char upper) { return static_cast<VirtualKey>(upper); }
}  // namespace vk

// Modifier bits (portable; not the platform's accelerator flags).
enum KeyModifiers : uint8_t {
  kNoModifier = 0,
  kShift = 1,
  kCtrl = 2,
};

struct Accelerator {
  VirtualKey key;
  uint8_t modifiers;  // KeyModifiers bits
  CommandId command;
};

std::span<const Accelerator> AcceleratorTable();

// "F5", "Shift+F2", "Ctrl+S", "Ctrl+Insert": the way menus name a key.
std::string DescribeAccelerator(const Accelerator& a);

// The keys bound to a command, in table order, joined with ", ".
std::string AcceleratorTextFor(CommandId command);

}  // namespace veilo
