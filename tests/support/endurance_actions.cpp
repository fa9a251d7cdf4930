#include "endurance_actions.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "formats/folder_list.h"

namespace veilo::testing {

namespace {

constexpr CommandId kPlain[] = {
    // The masks (each needs an area).
    cmd::kNegPos, cmd::kFlipTopBottom, cmd::kFlipLeftRight, cmd::kRgbExchange, cmd::kXor, cmd::kVerticalGlass,
    cmd::kHorizontalGlass, cmd::kMekoForward, cmd::kMekoReverse, cmd::kFlMask, cmd::kQ0Mask, cmd::kWinMask,
    // The same through their toolbar buttons.
    cmd::kButtonNegPos, cmd::kButtonMekoForward, cmd::kButtonMekoReverse, cmd::kButtonXor, cmd::kButtonFlMask,
    // The logs, rotation, zoom.
    cmd::kUndo, cmd::kRedo, cmd::kUndoAll, cmd::kButtonUndo, cmd::kButtonRedo, cmd::kRotate90, cmd::kRotate180,
    cmd::kRotate270, cmd::kZoomIn, cmd::kZoomOut, cmd::kButtonZoomIn, cmd::kButtonZoomOut, cmd::kActualSize,
    cmd::kFitWholeImage,
    // The area moved by its buttons.
    cmd::kButtonAreaUp, cmd::kButtonAreaDown, cmd::kButtonAreaLeft, cmd::kButtonAreaRight,
    // Clipboard, macro, Quick Zoom, window arrangement, saving over the file.
    cmd::kCopy, cmd::kPasteNew, cmd::kMacroRecord, cmd::kMacroRun, cmd::kQuickZoom, cmd::kCascade, cmd::kTile,
    cmd::kArrangeIcons, cmd::kSave,
};

constexpr CommandId kCancelled[] = {
    cmd::kOpen,     cmd::kAbout,      cmd::kJpegOptions, cmd::kQ0Options, cmd::kRgbOptions,
    cmd::kSlideShowMenu, cmd::kPageSetup, cmd::kSaveAs, cmd::kAreaOptions, cmd::kProperties,
    cmd::kResizePaste, cmd::kPrint,   cmd::kCpMask,
};

constexpr CommandId kAccepted[] = {
    cmd::kAbout, cmd::kJpegOptions, cmd::kQ0Options, cmd::kRgbOptions, cmd::kAreaOptions, cmd::kProperties,
    cmd::kResizePaste,
};

// Commands that make a new document window when they succeed.
bool MakesDocument(CommandId command) { return command == cmd::kPasteNew || command == cmd::kResizePaste; }

bool IsToolbarButton(CommandId command) { return command >= cmd::kButtonOpen && command <= cmd::kButtonSave; }

bool Contains(std::span<const CommandId> list, CommandId command) {
  return std::find(list.begin(), list.end(), command) != list.end();
}

// Which kinds are possible now and how often each is chosen among them.
struct KindWeight {
  ActionKind kind;
  uint32_t weight;
};

}  // namespace

std::string Action::Describe() const {
  const auto values = [this](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += (i ? "," : "") + std::to_string(value[i]);
    return text;
  };
  switch (kind) {
    case ActionKind::kOpenFile: return "open #" + values(1);
    case ActionKind::kCloseDocument: return "close the active document";
    case ActionKind::kActivateDocument: return "activate document " + values(1);
    case ActionKind::kSelectArea: return "drag " + values(4);
    case ActionKind::kCommand: return "command " + std::to_string(command);
    case ActionKind::kCancelDialog: return "command " + std::to_string(command) + ", dialog cancelled";
    case ActionKind::kAcceptDialog: return "command " + std::to_string(command) + ", dialog accepted";
    case ActionKind::kCpMask: return "CP mask, code " + values(2);
    case ActionKind::kSaveAs: return std::string("save as .") + kSaveTypes[value[0]];
    case ActionKind::kScroll: return "scroll " + values(2);
    case ActionKind::kWheel: return "wheel " + values(1);
    case ActionKind::kStepFolder: return "step in folder " + values(2);
  }
  return "?";
}

std::span<const CommandId> PlainCommands() { return kPlain; }
std::span<const CommandId> CancelledDialogCommands() { return kCancelled; }
std::span<const CommandId> AcceptedDialogCommands() { return kAccepted; }

namespace {

// The two below with the menus' and buttons' states computed once by the caller.
bool Available(CommandId command, const EnduranceState& state, const ControlStates& controls) {
  if (IsDocumentCommand(command) && !state.ui.hasDocument) return false;
  return IsToolbarButton(command) ? controls.ButtonEnabled(command) : controls.MenuItem(command).enabled;
}

bool Valid(const Action& action, const EnduranceState& state, const EnduranceLimits& limits,
           const ControlStates& controls) {
  const auto enabled = [&state, &controls](CommandId command) { return Available(command, state, controls); };
  const bool document = state.ui.hasDocument && state.documentCount > 0;
  const bool room = state.documentCount < limits.maxDocuments;
  const auto inThousandths = [&action](int first, int count) {
    for (int i = first; i < first + count; ++i)
      if (action.value[i] < 0 || action.value[i] > 1000) return false;
    return true;
  };
  switch (action.kind) {
    case ActionKind::kOpenFile: return room && action.value[0] >= 0 && action.value[0] < limits.corpusSize;
    case ActionKind::kCloseDocument: return document;
    case ActionKind::kActivateDocument:
      return state.documentCount > 1 && action.value[0] >= 0 && action.value[0] < state.documentCount;
    case ActionKind::kSelectArea: return document && inThousandths(0, 4);
    case ActionKind::kCommand:
      if (!Contains(kPlain, action.command) || !enabled(action.command)) return false;
      if (MakesDocument(action.command) && !room) return false;
      return action.command != cmd::kSave || (document && state.activeHasFile);
    case ActionKind::kCancelDialog:
      return Contains(kCancelled, action.command) && enabled(action.command);
    case ActionKind::kAcceptDialog:
      return Contains(kAccepted, action.command) && enabled(action.command) &&
             (!MakesDocument(action.command) || room);
    case ActionKind::kCpMask:
      return enabled(cmd::kCpMask) && action.value[0] >= 1 && action.value[0] <= 16;
    case ActionKind::kSaveAs:
      return document && action.value[0] >= 0 && action.value[0] < static_cast<int32_t>(std::size(kSaveTypes));
    case ActionKind::kScroll:
      return document && (action.value[0] == 0 || action.value[0] == 1) &&
             Contains(std::array<CommandId, 6>{0, 1, 2, 3, 6, 7}, static_cast<CommandId>(action.value[1]));
    case ActionKind::kWheel: return document && (action.value[0] == 0 || action.value[0] == 1);
    case ActionKind::kStepFolder: return document && state.activeHasFile;
  }
  return false;
}

}  // namespace

bool CommandAvailable(CommandId command, const EnduranceState& state) {
  return Available(command, state, ComputeControlStates(state.ui));
}

bool ActionValid(const Action& action, const EnduranceState& state, const EnduranceLimits& limits) {
  return Valid(action, state, limits, ComputeControlStates(state.ui));
}

uint32_t ActionChooser::Below(uint32_t n) { return static_cast<uint32_t>(random_() % n); }

Action ActionChooser::Next(const EnduranceState& state) {
  // Commands first, so that the kinds below are offered only when one exists.
  const ControlStates controls = ComputeControlStates(state.ui);
  const auto available = [&state, &controls, this](std::span<const CommandId> list, ActionKind kind) {
    std::vector<CommandId> out;
    for (CommandId c : list) {
      Action probe;
      probe.kind = kind;
      probe.command = c;
      if (Valid(probe, state, limits_, controls)) out.push_back(c);
    }
    return out;
  };
  const std::vector<CommandId> plain = available(kPlain, ActionKind::kCommand);
  const std::vector<CommandId> cancelled = available(kCancelled, ActionKind::kCancelDialog);
  const std::vector<CommandId> accepted = available(kAccepted, ActionKind::kAcceptDialog);
  const bool document = state.ui.hasDocument && state.documentCount > 0;

  std::vector<KindWeight> kinds;
  const auto offer = [&kinds](bool possible, ActionKind kind, uint32_t weight) {
    if (possible) kinds.push_back({kind, weight});
  };
  offer(state.documentCount < limits_.maxDocuments && limits_.corpusSize > 0, ActionKind::kOpenFile, 6);
  // Closing grows likelier as windows pile up, so that the run keeps opening.
  offer(document, ActionKind::kCloseDocument, 1 + static_cast<uint32_t>(state.documentCount));
  offer(state.documentCount > 1, ActionKind::kActivateDocument, 2);
  offer(document, ActionKind::kSelectArea, 8);
  offer(!plain.empty(), ActionKind::kCommand, 30);
  offer(!cancelled.empty(), ActionKind::kCancelDialog, 3);
  offer(!accepted.empty(), ActionKind::kAcceptDialog, 2);
  offer(Available(cmd::kCpMask, state, controls), ActionKind::kCpMask, 2);
  offer(document, ActionKind::kSaveAs, 2);
  offer(document, ActionKind::kScroll, 4);
  offer(document, ActionKind::kWheel, 2);
  offer(document && state.activeHasFile, ActionKind::kStepFolder, 2);

  Action action;
  uint32_t total = 0;
  for (const KindWeight& k : kinds) total += k.weight;
  if (total == 0) return action;  // nothing at all is possible (no corpus, no document)
  uint32_t pick = Below(total);
  for (const KindWeight& k : kinds) {
    if (pick < k.weight) {
      action.kind = k.kind;
      break;
    }
    pick -= k.weight;
  }
  const auto from = [this](const std::vector<CommandId>& list) { return list[Below(static_cast<uint32_t>(list.size()))]; };
  const auto thousandths = [this] { return static_cast<int32_t>(Below(1001)); };
  switch (action.kind) {
    case ActionKind::kOpenFile: action.value[0] = static_cast<int32_t>(Below(static_cast<uint32_t>(limits_.corpusSize))); break;
    case ActionKind::kCloseDocument: break;
    case ActionKind::kActivateDocument:
      action.value[0] = static_cast<int32_t>(Below(static_cast<uint32_t>(state.documentCount)));
      break;
    case ActionKind::kSelectArea:
      for (int32_t& v : action.value) v = thousandths();
      break;
    case ActionKind::kCommand: action.command = from(plain); break;
    case ActionKind::kCancelDialog: action.command = from(cancelled); break;
    case ActionKind::kAcceptDialog: action.command = from(accepted); break;
    case ActionKind::kCpMask:
      action.value[0] = 1 + static_cast<int32_t>(Below(16));
      action.value[1] = static_cast<int32_t>(Below(1u << 30));
      break;
    case ActionKind::kSaveAs: action.value[0] = static_cast<int32_t>(Below(std::size(kSaveTypes))); break;
    case ActionKind::kScroll: {
      constexpr int32_t kCodes[] = {0, 1, 2, 3, 6, 7};  // line and page up and down, top, bottom
      action.value[0] = static_cast<int32_t>(Below(2));
      action.value[1] = kCodes[Below(std::size(kCodes))];
      break;
    }
    case ActionKind::kWheel: action.value[0] = static_cast<int32_t>(Below(2)); break;
    case ActionKind::kStepFolder:
      action.value[0] = static_cast<int32_t>(Below(2));
      action.value[1] = Below(4) == 0 ? 1 : 0;
      break;
  }
  return action;
}

std::vector<std::string> CorpusFiles(const std::vector<std::string>& folders, uintmax_t maxBytes) {
  std::vector<std::string> files;
  for (const std::string& folder : folders) {
    std::error_code error;
    const std::filesystem::path root(std::u8string(folder.begin(), folder.end()));
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
      std::error_code ignored;
      if (!it->is_regular_file(ignored) || it->file_size(ignored) > maxBytes) continue;
      const std::u8string name8 = it->path().filename().u8string();
      const std::string name(name8.begin(), name8.end());
      const bool picture = std::any_of(std::begin(kFolderPatterns), std::end(kFolderPatterns),
                                       [&name](std::string_view p) { return MatchesFilePattern(name, p); });
      if (!picture) continue;
      const std::u8string path8 = it->path().u8string();
      files.emplace_back(path8.begin(), path8.end());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace veilo::testing
