#pragma once
// The endurance run's choice of what the user does next: a seeded generator
// that picks, for the application's state as it is now, one action that a
// user could take in that state (a command whose menu item or button is
// enabled, a document to close only when one is open). The same seed and the
// same states give the same actions, so a failing run can be repeated.
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "shell/commands.h"
#include "shell/enabling.h"

namespace veilo::testing {

enum class ActionKind : uint8_t {
  kOpenFile,          // value[0]: index into the corpus
  kCloseDocument,     // the active document, after All-undo
  kActivateDocument,  // value[0]: position among the open documents, z-order
  kSelectArea,        // a drag from (value[0], value[1]) to (value[2], value[3]), thousandths of the client
  kCommand,           // `command` without a dialog (masks, logs, rotation, zoom, copy, paste...)
  kCancelDialog,      // `command` opens a dialog, which is cancelled
  kAcceptDialog,      // `command` opens a dialog, which is accepted as offered
  kCpMask,            // the CP code dialog answered with a code of value[0] letters, seeded by value[1]
  kSaveAs,            // the save dialog answered with a new file of type value[0] (kSaveTypes)
  kScroll,            // bar value[0] (0 across, 1 down), scroll-bar code value[1]
  kWheel,             // value[0]: 1 up, 0 down
  kStepFolder,        // value[0]: backwards, value[1]: fit the whole picture
};

// The file types a save chooses from, by extension.
inline constexpr const char* kSaveTypes[] = {"bmp", "jpg", "png", "gif", "jp2"};

struct Action {
  ActionKind kind = ActionKind::kCommand;
  CommandId command = 0;
  int32_t value[4] = {};
  // One line for the run's log ("command 40006", "open #12"...).
  std::string Describe() const;
};

// What the chooser sees of the application.
struct EnduranceState {
  UiSnapshot ui;                // as the frame computes it for its menus and buttons
  int32_t documentCount = 0;    // open document windows
  bool activeHasFile = false;   // the active document has a file (Save writes it, Space steps from it)
};

struct EnduranceLimits {
  int32_t corpusSize = 0;    // files that kOpenFile picks from (none: never opens)
  int32_t maxDocuments = 6;  // no open, paste or resize beyond this many windows
};

// The commands the run gives without a dialog, the ones whose dialogs it
// opens and cancels, and the ones whose dialogs it accepts.
std::span<const CommandId> PlainCommands();
std::span<const CommandId> CancelledDialogCommands();
std::span<const CommandId> AcceptedDialogCommands();

// Whether a user could give `command` now: a document command needs an active
// document, and a command with an enabling rule needs its item or button on.
bool CommandAvailable(CommandId command, const EnduranceState& state);
// Whether the action fits the state and the limits (everything Next gives does).
bool ActionValid(const Action& action, const EnduranceState& state, const EnduranceLimits& limits);

class ActionChooser {
 public:
  ActionChooser(uint32_t seed, EnduranceLimits limits) : random_(seed), limits_(limits) {}
  Action Next(const EnduranceState& state);
  // A number in [0, n), n > 0, from the same sequence (the run's other choices).
  uint32_t Below(uint32_t n);

 private:
  std::mt19937 random_;
  EnduranceLimits limits_;
};

// The picture files under `folders` (recursively, by the folder list's
// patterns, at most `maxBytes` each), sorted, so that a seed picks the same
// file on every machine with the same corpus.
std::vector<std::string> CorpusFiles(const std::vector<std::string>& folders, uintmax_t maxBytes);

}  // namespace veilo::testing
