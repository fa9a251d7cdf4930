#pragma once
// Command identifiers shared by menus, accelerators and toolbar buttons, the
// document window's command table, and where the frame sends each id.
// Everything here is data plus pure look-ups; the Win32 frame and document
// window procedures only act on the answers.
#include <cstdint>
#include <span>
#include <string_view>

namespace veilo {

using CommandId = uint16_t;

namespace cmd {
// Window arrangement (frame).
inline constexpr CommandId kCascade = 30;
inline constexpr CommandId kTile = 31;
inline constexpr CommandId kArrangeIcons = 32;

// Private frame commands that carry data in the message parameters.
inline constexpr CommandId kOpenBitmap = 101;
inline constexpr CommandId kOpenHandedOverFile = 1901;
inline constexpr CommandId kOpenCommandLineFile = 1902;
inline constexpr CommandId kOpenDroppedPath = 1903;
inline constexpr CommandId kSlideShowFromAtom = 1910;
inline constexpr CommandId kSlideShowFromList = 1911;

// Toolbar-only button ids (the buttons' child ids).
inline constexpr CommandId kButtonOpen = 1000;
inline constexpr CommandId kButtonSaveAs = 1001;
inline constexpr CommandId kButtonMekoReverse = 1002;
inline constexpr CommandId kButtonMekoForward = 1003;
inline constexpr CommandId kButtonNegPos = 1004;
inline constexpr CommandId kButtonRgbExchange = 1005;
inline constexpr CommandId kButtonFlipLeftRight = 1006;
inline constexpr CommandId kButtonVerticalGlass = 1007;
inline constexpr CommandId kButtonFlipTopBottom = 1008;
inline constexpr CommandId kButtonXor = 1009;
inline constexpr CommandId kButtonHorizontalGlass = 1010;
inline constexpr CommandId kButtonZoomIn = 1011;
inline constexpr CommandId kButtonZoomOut = 1012;
inline constexpr CommandId kButtonFlMask = 1013;
inline constexpr CommandId kButtonUndo = 1014;
inline constexpr CommandId kButtonRedo = 1015;
inline constexpr CommandId kButtonWinMask = 1016;
inline constexpr CommandId kButtonQ0Mask = 1017;
inline constexpr CommandId kButtonAreaUp = 1018;
inline constexpr CommandId kButtonAreaDown = 1019;
inline constexpr CommandId kButtonAreaLeft = 1020;
inline constexpr CommandId kButtonAreaRight = 1021;
inline constexpr CommandId kButtonCpMask = 1022;
inline constexpr CommandId kButtonSave = 1023;

// Menu commands.
inline constexpr CommandId kJpegOptions = 7001;
inline constexpr CommandId kZoomIn = 7002;
inline constexpr CommandId kZoomOut = 7003;
inline constexpr CommandId kNegPos = 7004;
inline constexpr CommandId kAbout = 8000;
inline constexpr CommandId kOpen = 8001;
inline constexpr CommandId kExit = 8004;
inline constexpr CommandId kHorizontalGlass = 40004;
inline constexpr CommandId kVerticalGlass = 40005;
inline constexpr CommandId kMekoForward = 40006;
inline constexpr CommandId kMekoReverse = 40007;
inline constexpr CommandId kFlipTopBottom = 40008;
inline constexpr CommandId kFlipLeftRight = 40009;
inline constexpr CommandId kRgbExchange = 40010;
inline constexpr CommandId kXor = 40011;
inline constexpr CommandId kFlMask = 40012;
inline constexpr CommandId kUndo = 40013;
inline constexpr CommandId kRedo = 40014;
inline constexpr CommandId kUndoAll = 40015;
inline constexpr CommandId kQuickZoom = 40016;
inline constexpr CommandId kAreaOptions = 40017;
inline constexpr CommandId kActualSize = 40019;
inline constexpr CommandId kFitWholeImage = 40020;
inline constexpr CommandId kWinMask = 40021;
inline constexpr CommandId kCopy = 40022;
inline constexpr CommandId kPasteNew = 40023;
inline constexpr CommandId kQ0Mask = 40024;
inline constexpr CommandId kQ0Options = 40025;
inline constexpr CommandId kRgbOptions = 40026;
inline constexpr CommandId kRotate90 = 40027;
inline constexpr CommandId kRotate180 = 40028;
inline constexpr CommandId kRotate270 = 40029;
inline constexpr CommandId kCpMask = 40030;
inline constexpr CommandId kHelpIndex = 40031;
inline constexpr CommandId kSlideShow = 40032;
inline constexpr CommandId kProperties = 40033;
inline constexpr CommandId kSaveAs = 40034;
inline constexpr CommandId kSave = 40035;
inline constexpr CommandId kSlideShowMenu = 40036;
inline constexpr CommandId kPrint = 40038;
inline constexpr CommandId kMacroRecord = 40039;
inline constexpr CommandId kMacroRun = 40040;
inline constexpr CommandId kResizePaste = 40042;
inline constexpr CommandId kTwainAcquire = 40044;
inline constexpr CommandId kTwainSelect = 40049;
inline constexpr CommandId kPageSetup = 40052;
}  // namespace cmd

// What the document window does with a command.
enum class DocAction : uint8_t {
  kNone,  // not a document command: ignored by the document window
  kSaveAs,
  kSave,
  kUndo,
  kRedo,
  kUndoAll,
  kCopy,
  kRotate90,
  kRotate180,
  kRotate270,
  kResizePaste,
  kZoomIn,
  kZoomOut,
  kActualSize,
  kFitWholeImage,
  kNegPos,
  kVerticalGlass,
  kHorizontalGlass,
  kFlipTopBottom,
  kFlipLeftRight,
  kRgbExchange,
  kXor,
  kWinMask,
  kMekoForward,
  kMekoReverse,
  kFlMask,
  kQ0Mask,
  kCpMask,
  kMacroRun,
  kAreaOptions,
  kProperties,
  kPrint,
  kAreaUp,
  kAreaDown,
  kAreaLeft,
  kAreaRight,
};

// One row of the document window's command table. menuId or buttonId is 0
// where the command has no menu item or no toolbar button. menuText is the
// built-in (Japanese) document-menu text; acceleratorText names the keys as
// the menu shows them (the bindings themselves are in accelerators.h).
struct DocumentCommand {
  CommandId menuId;
  CommandId buttonId;
  std::string_view menuText;
  std::string_view acceleratorText;
  DocAction action;
  std::string_view actionName;
};

std::span<const DocumentCommand> DocumentCommandTable();

struct DocumentDispatch {
  DocAction action = DocAction::kNone;
  bool fromButton = false;      // a toolbar button: give the document window the focus first
  bool endsAutoScroll = false;  // every command but print and macro run ends a middle-button scroll
};

// How the document window treats a forwarded id (menu id or button id).
DocumentDispatch DispatchDocumentCommand(CommandId id);

// What the frame itself carries out.
enum class FrameAction : uint8_t {
  kNone,
  kCascade,
  kTile,
  kArrangeIcons,
  kOpen,
  kJpegOptions,
  kAbout,
  kExit,
  kToggleQuickZoom,
  kPasteNew,
  kQ0Options,
  kRgbOptions,
  kHelp,
  kSlideShow,
  kToggleMacroRecording,
  kTwainAcquire,
  kTwainSelect,
  kPageSetup,
  kOpenBitmap,
  kOpenHandedOverFile,
  kOpenCommandLineFile,
  kOpenDroppedPath,
  kSlideShowFromAtom,
  kSlideShowFromList,
};

FrameAction FrameActionFor(CommandId id);

enum class CommandRoute : uint8_t {
  kFrame,             // the frame carries it out (FrameActionFor says how)
  kForwardToDocument, // sent unchanged to the active document window
  kIgnore,            // unknown id, or a document command with no active document
};

struct RoutingState {
  bool hasActiveDocument = false;
};

// Where the frame sends a WM_COMMAND id.
CommandRoute RouteCommand(CommandId id, const RoutingState& state);

// True for the ids the frame forwards to the active document window.
bool IsDocumentCommand(CommandId id);

}  // namespace veilo
