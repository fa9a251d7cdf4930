#include "shell/accelerators.h"

#include <array>

namespace veilo {

namespace {

using vk::Letter;

constexpr std::array<Accelerator, 34> kAccelerators{{
    // Function keys alone: options, zoom, and the masks.
    {vk::kF1, kNoModifier, cmd::kQ0Options},
    {vk::kF2, kNoModifier, cmd::kJpegOptions},
    {vk::kF3, kNoModifier, cmd::kZoomIn},
    {vk::kF4, kNoModifier, cmd::kZoomOut},
    {vk::kF5, kNoModifier, cmd::kNegPos},
    {vk::kF6, kNoModifier, cmd::kVerticalGlass},
    {vk::kF7, kNoModifier, cmd::kHorizontalGlass},
    {vk::kF8, kNoModifier, cmd::kMekoForward},
    {vk::kF9, kNoModifier, cmd::kMekoReverse},
    {vk::kF10, kNoModifier, cmd::kFlMask},
    {vk::kF11, kNoModifier, cmd::kSlideShowMenu},
    {vk::kF12, kNoModifier, cmd::kMacroRun},
    // Shift + function keys.
    {vk::kF1, kShift, cmd::kQuickZoom},
    {vk::kF2, kShift, cmd::kFitWholeImage},
    {vk::kF3, kShift, cmd::kRgbOptions},
    {vk::kF5, kShift, cmd::kFlipTopBottom},
    {vk::kF6, kShift, cmd::kFlipLeftRight},
    {vk::kF7, kShift, cmd::kRgbExchange},
    {vk::kF8, kShift, cmd::kXor},
    {vk::kF9, kShift, cmd::kWinMask},
    {vk::kF10, kShift, cmd::kQ0Mask},
    // Ctrl + function keys: rotation and the CP mask.
    {vk::kF1, kCtrl, cmd::kRotate90},
    {vk::kF2, kCtrl, cmd::kRotate180},
    {vk::kF3, kCtrl, cmd::kRotate270},
    {vk::kF10, kCtrl, cmd::kCpMask},
    // Ctrl + letters.
    {Letter('A'), kCtrl, cmd::kUndoAll},
    {Letter('C'), kCtrl, cmd::kCopy},
    {vk::kInsert, kCtrl, cmd::kCopy},
    {Letter('O'), kCtrl, cmd::kOpen},
    {Letter('P'), kCtrl, cmd::kPrint},
    {Letter('S'), kCtrl, cmd::kSave},
    {Letter('T'), kCtrl, cmd::kTwainAcquire},
    {Letter('Y'), kCtrl, cmd::kRedo},
    {Letter('Z'), kCtrl, cmd::kUndo},
}};

std::string KeyName(VirtualKey key) {
  std::string name;
  if (key >= vk::kF1 && key <= vk::kF12) {
    name.append("F").append(std::to_string(key - vk::kF1 + 1));
  } else if (key == vk::kInsert) {
    name = "Insert";
  } else if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    name.push_back(static_cast<char>(key));
  } else {
    name.append("Key").append(std::to_string(key));
  }
  return name;
}

}  // namespace

std::span<const Accelerator> AcceleratorTable() { return kAccelerators; }

std::string DescribeAccelerator(const Accelerator& a) {
  std::string text;
  if (a.modifiers & kCtrl) text += "Ctrl+";
  if (a.modifiers & kShift) text += "Shift+";
  text += KeyName(a.key);
  return text;
}

std::string AcceleratorTextFor(CommandId command) {
  std::string text;
  for (const Accelerator& a : kAccelerators) {
    if (a.command != command) continue;
    if (!text.empty()) text += ", ";
    text += DescribeAccelerator(a);
  }
  return text;
}

}  // namespace veilo
