#pragma once
// Which menu items and toolbar buttons are enabled, greyed or checked, as one
// function of the application's state. The menus and the toolbar only apply
// the answer; whichever event changed the state (a document activated or
// closed, an area made or cleared, an undo, a zoom step, recording started or
// stopped, the Quick Zoom window opened, a menu about to open), computing the
// states again from a fresh snapshot gives the right picture.
#include <array>
#include <cstdint>

#include "shell/commands.h"
#include "shell/toolbar.h"
#include "view/zoom.h"

namespace veilo {

struct UiSnapshot {
  bool hasDocument = false;  // a document window is active
  // The active document's state; ignored without a document.
  bool areaSelected = false;
  int32_t undoCount = 0;
  int32_t redoCount = 0;
  int32_t zoomPercent = 100;
  // Application-wide state.
  int32_t macroCount = 0;
  bool recording = false;
  bool clipboardHasBitmap = false;  // read when a menu is about to open
  bool quickZoomShown = false;
};

struct MenuItemState {
  CommandId id = 0;
  bool enabled = true;
  bool checked = false;
};

// The menu items that have a rule; every other item is always enabled and
// never checked.
inline constexpr std::array<CommandId, 22> kGovernedMenuItems{
    cmd::kUndo,         cmd::kUndoAll,       cmd::kRedo,          cmd::kZoomIn,
    cmd::kZoomOut,      cmd::kNegPos,        cmd::kFlipTopBottom, cmd::kFlipLeftRight,
    cmd::kRgbExchange,  cmd::kXor,           cmd::kVerticalGlass, cmd::kHorizontalGlass,
    cmd::kMekoForward,  cmd::kMekoReverse,   cmd::kFlMask,        cmd::kQ0Mask,
    cmd::kCpMask,       cmd::kWinMask,       cmd::kMacroRun,      cmd::kMacroRecord,
    cmd::kQuickZoom,    cmd::kPasteNew,
};

// The menu items greyed while there is no selection area.
inline constexpr std::array<CommandId, 13> kAreaMenuItems{
    cmd::kNegPos,        cmd::kFlipTopBottom, cmd::kFlipLeftRight, cmd::kRgbExchange,
    cmd::kXor,           cmd::kVerticalGlass, cmd::kHorizontalGlass, cmd::kMekoForward,
    cmd::kMekoReverse,   cmd::kFlMask,        cmd::kQ0Mask,        cmd::kCpMask,
    cmd::kWinMask,
};

struct ControlStates {
  std::array<MenuItemState, kGovernedMenuItems.size()> menuItems{};  // in kGovernedMenuItems order
  std::array<bool, kToolbarRowCount> buttonEnabled{};                // by toolbar row
  int32_t recordButtonFace = kRecordRow;  // the row the record button shows

  // State of any menu item (ungoverned ids: enabled, unchecked).
  MenuItemState MenuItem(CommandId id) const;
  // Enabled state of the button that sends `command` (false if there is none).
  bool ButtonEnabled(CommandId command) const;
};

ControlStates ComputeControlStates(const UiSnapshot& s);

}  // namespace veilo
