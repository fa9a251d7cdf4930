#include "shell/commands.h"

#include <array>

namespace veilo {

namespace {

using enum DocAction;

// The document window's switchboard. A toolbar button does what its menu id
// does; the area-move buttons have no menu item.
constexpr std::array<DocumentCommand, 35> kDocumentCommands{{
    {cmd::kSaveAs, cmd::kButtonSaveAs, "名前を付けて保存(&A)...", "", kSaveAs, "save as"},
    {cmd::kSave, cmd::kButtonSave, "上書き保存(&S)...", "Ctrl+S", kSave,
     "save to the document's path, or save as when it has none"},
    {cmd::kUndo, cmd::kButtonUndo, "元に戻す(&U)", "Ctrl+Z", kUndo, "Undo"},
    {cmd::kRedo, cmd::kButtonRedo, "やり直し(&R)", "Ctrl+Y", kRedo, "Redo"},
    {cmd::kUndoAll, 0, "すべてのコマンド取消し(&A)", "Ctrl+A", kUndoAll, "UndoAll"},
    {cmd::kCopy, 0, "コピー(&C)", "Ctrl+C, Ctrl+Insert", kCopy,
     "copy the area, or the whole picture, to the clipboard"},
    {cmd::kRotate90, 0, "90ﾟ", "Ctrl+F1", kRotate90, "rotate by 90 degrees"},
    {cmd::kRotate180, 0, "180ﾟ", "Ctrl+F2", kRotate180, "rotate by 180 degrees"},
    {cmd::kRotate270, 0, "270ﾟ", "Ctrl+F3", kRotate270, "rotate by 270 degrees"},
    {cmd::kResizePaste, 0, "拡大・縮小して新イメージへ貼り付け...", "", kResizePaste,
     "ResizePasteCommand"},
    {cmd::kZoomIn, cmd::kButtonZoomIn, "Zoom I&n", "F3", kZoomIn, "zoom in one step"},
    {cmd::kZoomOut, cmd::kButtonZoomOut, "Zoom &Out", "F4", kZoomOut, "zoom out one step"},
    {cmd::kActualSize, 0, "実サイズ(&V)", "", kActualSize, "SetZoom 100"},
    {cmd::kFitWholeImage, 0, "イメージ全体(&W)", "Shift+F2", kFitWholeImage, "FitWholeImage"},
    {cmd::kNegPos, cmd::kButtonNegPos, "色反転", "F5", kNegPos, "negative/positive"},
    {cmd::kVerticalGlass, cmd::kButtonVerticalGlass, "縦ガラス", "F6", kVerticalGlass,
     "vertical glass"},
    {cmd::kHorizontalGlass, cmd::kButtonHorizontalGlass, "横ガラス", "F7", kHorizontalGlass,
     "horizontal glass"},
    {cmd::kFlipTopBottom, cmd::kButtonFlipTopBottom, "上下反転", "Shift+F5", kFlipTopBottom,
     "up/down swap"},
    {cmd::kFlipLeftRight, cmd::kButtonFlipLeftRight, "左右反転", "Shift+F6", kFlipLeftRight,
     "left/right swap"},
    {cmd::kRgbExchange, cmd::kButtonRgbExchange, "RGB入替え", "Shift+F7", kRgbExchange,
     "RGB exchange"},
    {cmd::kXor, cmd::kButtonXor, "XOR 処理", "Shift+F8", kXor, "XOR 0x80"},
    {cmd::kWinMask, cmd::kButtonWinMask, "WINﾏｽｸ", "Shift+F9", kWinMask, "WIN mask"},
    {cmd::kMekoForward, cmd::kButtonMekoForward, "正順ﾒｺﾏｽｸ", "F8", kMekoForward,
     "Meko mask, forward order"},
    {cmd::kMekoReverse, cmd::kButtonMekoReverse, "逆順ﾒｺﾏｽｸ", "F9", kMekoReverse,
     "Meko mask, reverse order"},
    {cmd::kFlMask, cmd::kButtonFlMask, "FLマスク", "F10", kFlMask, "FL mask"},
    {cmd::kQ0Mask, cmd::kButtonQ0Mask, "Q0マスク", "Shift+F10", kQ0Mask, "Q0 mask"},
    {cmd::kCpMask, cmd::kButtonCpMask, "CPマスク...", "Ctrl+F10", kCpMask,
     "CP code dialog, then the CP mask"},
    {cmd::kMacroRun, cmd::kMacroRun, "記録されたマスクの実行", "F12", kMacroRun,
     "run the recorded mask sequence"},
    {cmd::kAreaOptions, 0, "範囲選択...", "", kAreaOptions,
     "area option dialog AREA_OPT (also the right mouse button)"},
    {cmd::kProperties, 0, "プロパティ", "", kProperties, "ShowProperties"},
    {cmd::kPrint, 0, "印刷(&P)...", "Ctrl+P", kPrint, "PrintDocument"},
    {0, cmd::kButtonAreaUp, "", "", kAreaUp, "move the area frame up by one pixel"},
    {0, cmd::kButtonAreaDown, "", "", kAreaDown, "move the area frame down by one pixel"},
    {0, cmd::kButtonAreaLeft, "", "", kAreaLeft, "move the area frame left by one pixel"},
    {0, cmd::kButtonAreaRight, "", "", kAreaRight, "move the area frame right by one pixel"},
}};

struct FrameCommand {
  CommandId id;
  FrameAction action;
};

constexpr std::array<FrameCommand, 25> kFrameCommands{{
    {cmd::kCascade, FrameAction::kCascade},
    {cmd::kTile, FrameAction::kTile},
    {cmd::kArrangeIcons, FrameAction::kArrangeIcons},
    {cmd::kOpenBitmap, FrameAction::kOpenBitmap},
    {cmd::kButtonOpen, FrameAction::kOpen},
    {cmd::kOpenHandedOverFile, FrameAction::kOpenHandedOverFile},
    {cmd::kOpenCommandLineFile, FrameAction::kOpenCommandLineFile},
    {cmd::kOpenDroppedPath, FrameAction::kOpenDroppedPath},
    {cmd::kSlideShowFromAtom, FrameAction::kSlideShowFromAtom},
    {cmd::kSlideShowFromList, FrameAction::kSlideShowFromList},
    {cmd::kJpegOptions, FrameAction::kJpegOptions},
    {cmd::kAbout, FrameAction::kAbout},
    {cmd::kOpen, FrameAction::kOpen},
    {cmd::kExit, FrameAction::kExit},
    {cmd::kQuickZoom, FrameAction::kToggleQuickZoom},
    {cmd::kPasteNew, FrameAction::kPasteNew},
    {cmd::kQ0Options, FrameAction::kQ0Options},
    {cmd::kRgbOptions, FrameAction::kRgbOptions},
    {cmd::kHelpIndex, FrameAction::kHelp},
    {cmd::kSlideShow, FrameAction::kSlideShow},
    {cmd::kSlideShowMenu, FrameAction::kSlideShow},
    {cmd::kMacroRecord, FrameAction::kToggleMacroRecording},
    {cmd::kTwainAcquire, FrameAction::kTwainAcquire},
    {cmd::kTwainSelect, FrameAction::kTwainSelect},
    {cmd::kPageSetup, FrameAction::kPageSetup},
}};

bool InRange(CommandId id, CommandId first, CommandId last) { return id >= first && id <= last; }

}  // namespace

std::span<const DocumentCommand> DocumentCommandTable() { return kDocumentCommands; }

DocumentDispatch DispatchDocumentCommand(CommandId id) {
  if (id == 0) return {};
  for (const DocumentCommand& c : kDocumentCommands) {
    const bool byMenu = c.menuId == id;
    const bool byButton = c.buttonId == id;
    if (!byMenu && !byButton) continue;
    DocumentDispatch d;
    d.action = c.action;
    // The macro-run button shares its id with its menu item, so it is
    // handled as the menu item is.
    d.fromButton = byButton && !byMenu;
    d.endsAutoScroll = c.action != kPrint && c.action != kMacroRun;
    return d;
  }
  return {};
}

FrameAction FrameActionFor(CommandId id) {
  for (const FrameCommand& c : kFrameCommands) {
    if (c.id == id) return c.action;
  }
  return FrameAction::kNone;
}

bool IsDocumentCommand(CommandId id) {
  return InRange(id, 1001, 1023) || InRange(id, 7002, 7004) || InRange(id, 40004, 40015) ||
         id == 40017 || InRange(id, 40019, 40022) || id == 40024 || InRange(id, 40027, 40030) ||
         InRange(id, 40033, 40035) || id == 40038 || id == 40040 || id == 40042;
}

CommandRoute RouteCommand(CommandId id, const RoutingState& state) {
  if (FrameActionFor(id) != FrameAction::kNone) return CommandRoute::kFrame;
  if (IsDocumentCommand(id)) {
    return state.hasActiveDocument ? CommandRoute::kForwardToDocument : CommandRoute::kIgnore;
  }
  return CommandRoute::kIgnore;
}

}  // namespace veilo
