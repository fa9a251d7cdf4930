#include "shell/enabling.h"

#include <algorithm>

namespace veilo {

namespace {

struct Rules {
  bool save;
  bool undo;
  bool redo;
  bool zoomIn;
  bool zoomOut;
  bool area;
  bool macroRun;
  bool record;
};

Rules Evaluate(const UiSnapshot& s) {
  const bool doc = s.hasDocument;
  Rules r{};
  r.save = doc;
  r.undo = doc && s.undoCount > 0;
  r.redo = doc && s.redoCount > 0;
  r.zoomIn = doc && CanZoomIn(s.zoomPercent);
  r.zoomOut = doc && CanZoomOut(s.zoomPercent);
  r.area = doc && s.areaSelected;
  // Running the macro while recording would record the replay into itself.
  r.macroRun = r.area && s.macroCount > 0 && !s.recording;
  // Recording can be stopped even after its document has closed.
  r.record = doc || s.recording;
  return r;
}

bool IsAreaMenuItem(CommandId id) {
  return std::find(kAreaMenuItems.begin(), kAreaMenuItems.end(), id) != kAreaMenuItems.end();
}

MenuItemState MenuRule(CommandId id, const UiSnapshot& s, const Rules& r) {
  MenuItemState item{id, true, false};
  if (IsAreaMenuItem(id)) {
    item.enabled = r.area;
    return item;
  }
  switch (id) {
    case cmd::kUndo:
    case cmd::kUndoAll:
      item.enabled = r.undo;
      break;
    case cmd::kRedo:
      item.enabled = r.redo;
      break;
    case cmd::kZoomIn:
      item.enabled = r.zoomIn;
      break;
    case cmd::kZoomOut:
      item.enabled = r.zoomOut;
      break;
    case cmd::kMacroRun:
      item.enabled = r.macroRun;
      break;
    case cmd::kMacroRecord:
      item.checked = s.recording;
      break;
    case cmd::kQuickZoom:
      item.checked = s.quickZoomShown;
      break;
    case cmd::kPasteNew:
      item.enabled = s.clipboardHasBitmap;
      break;
    default:
      break;
  }
  return item;
}

bool ButtonRule(const ToolbarRow& row, const Rules& r) {
  switch (row.command) {
    case cmd::kButtonOpen:
      return true;
    case cmd::kButtonSave:
    case cmd::kButtonSaveAs:
      return r.save;
    case cmd::kButtonUndo:
      return r.undo;
    case cmd::kButtonRedo:
      return r.redo;
    case cmd::kButtonZoomIn:
      return r.zoomIn;
    case cmd::kButtonZoomOut:
      return r.zoomOut;
    case cmd::kMacroRecord:
      return r.record;
    case cmd::kMacroRun:
      return r.macroRun;
    default:
      return row.needsArea ? r.area : true;
  }
}

}  // namespace

ControlStates ComputeControlStates(const UiSnapshot& s) {
  const Rules r = Evaluate(s);
  ControlStates out;
  for (size_t i = 0; i < kGovernedMenuItems.size(); ++i) {
    out.menuItems[i] = MenuRule(kGovernedMenuItems[i], s, r);
  }
  const auto rows = ToolbarTable();
  for (size_t i = 0; i < rows.size(); ++i) out.buttonEnabled[i] = ButtonRule(rows[i], r);
  out.recordButtonFace = DrawnRow(kRecordRow, s.recording, r.record);
  return out;
}

MenuItemState ControlStates::MenuItem(CommandId id) const {
  for (const MenuItemState& item : menuItems) {
    if (item.id == id) return item;
  }
  return {id, true, false};
}

bool ControlStates::ButtonEnabled(CommandId command) const {
  const int32_t row = ToolbarRowForCommand(command);
  return row >= 0 && buttonEnabled[static_cast<size_t>(row)];
}

}  // namespace veilo
