#pragma once
// What the program does with its command line: screen-saver settings ("/c"),
// screen-saver slide show ("/s"), nothing (any other "/" switch), hand the
// arguments to an instance that is already running, or start and open them.
// Pure decisions; the caller does the windows, atoms and messages.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace veilo {

// Answers whether a path names an existing folder.
using IsFolderFn = std::function<bool(const std::string&)>;

// A global atom holds at most this many characters.
inline constexpr size_t kMaxAtomLength = 255;

// The arguments of a command line. A line that begins with a double quote
// holds quoted names ("a b.jpg" "c.png"); a word outside quotes still counts
// as a name of its own. Any other line is cut at single spaces. Empty
// arguments (double spaces, "") are dropped.
std::vector<std::string> SplitArguments(std::string_view line);

// The command line without surrounding blanks, as it is kept and handed on.
std::string_view TrimCommandLine(std::string_view line);

// A list of arguments goes to the slide show as a whole when any of them is
// a folder; otherwise each names a file to open, in order.
struct ArgumentUse {
  bool slideShow = false;          // send the whole line to the slide show
  std::string slideShowLine;       // the line the slide show splits again
  std::vector<std::string> files;  // files to open, in order
};

ArgumentUse UseArguments(std::string_view commandLine, const IsFolderFn& isFolder);

enum class StartupKind : uint8_t {
  kShowScreenSaverSettings,  // read the slide-show settings, show SC_OPT without owner, end
  kEnd,                      // end at once, showing nothing
  kHandOver,                 // bring the running instance forward, send it the arguments, end
  kStartNormally,            // start; the arguments are used at the first timer tick
};

struct StartupDecision {
  StartupKind kind = StartupKind::kStartNormally;
  bool screenSaverMode = false;  // "/s": read the slide-show settings, keep the frame minimised
  // kHandOver: either one atom with the whole line (slide show) or one atom per file.
  ArgumentUse handOver;
  std::string pendingCommandLine;  // kStartNormally: kept for the first timer tick
};

StartupDecision DecideStartup(std::string_view commandLine, bool anotherInstanceRunning,
                              const IsFolderFn& isFolder);

enum class FirstTickKind : uint8_t {
  kNothing,
  kSlideShow,  // id 1911 with slideShowLine
  kOpenFiles,  // id 1902 for each file, in order
};

struct FirstTickAction {
  FirstTickKind kind = FirstTickKind::kNothing;
  std::string slideShowLine;
  std::vector<std::string> files;
};

// The deferred command-line work of the frame's first timer tick. In
// screen-saver mode the saved slide-show folder is shown instead.
FirstTickAction DecideFirstTick(std::string_view pendingCommandLine, bool screenSaverMode,
                                std::string_view savedSlideFolder, const IsFolderFn& isFolder);

// A path handed over by a drop: a folder starts a slide show, anything else
// is opened.
enum class DroppedPathUse : uint8_t { kOpenFile, kSlideShowOfFolder };
DroppedPathUse UseDroppedPath(const std::string& path, const IsFolderFn& isFolder);

}  // namespace veilo
