#pragma once
// The slide show: the full-screen SLIDE window with its own message loop, the
// folder chooser that starts it from the menu, and its two small dialogs
// (WAIT_DLG for the interval, SS_HELP for the keys).
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "tools/slide_list.h"

namespace veilo {

struct App;
struct SlideShowState;
class ReadAhead;

inline constexpr wchar_t kSlideClass[] = L"SLIDE";
inline constexpr UINT_PTR kSlideTimerId = 1;

bool RegisterSlideClass(HINSTANCE instance);

// The menu start (F11): resumes a paused show, or asks for a folder and shows its pictures.
void StartSlideShowFromMenu(App& app);
// A show of the folders and files a command line names; an argument that names nothing ends it
// without a message. A screen saver's show ends the program afterwards, however it went, and
// shows no message.
void StartSlideShowFromCommandLine(App& app, std::string_view commandLine);
// A show of one folder (a folder dropped on the frame), ending as a command line's does.
void StartSlideShowFromFolder(App& app, const std::string& folder);
// Releases the list and the paused picture: the next menu start asks for a folder again.
void ForgetSlideList(App& app);

// The running SLIDE window, or nullptr.
HWND RunningSlideWindow();
// What the running show has read ahead (nullptr when none runs).
const ReadAhead* RunningSlideReadAhead();
// The path of the picture on screen (empty when none is loaded).
std::string SlidePicturePath();

// The folder chooser: the chosen file-system folder, or nullopt on Cancel.
std::optional<std::string> ChooseSlideFolder(App& app, HWND owner);
// WAIT_DLG: the interval and the info line; true on OK.
bool ShowSlideOptions(App& app, HWND owner, SlideShowState& state);
// SS_HELP: the keys and what they do.
void ShowSlideHelp(App& app, HWND owner);

}  // namespace veilo
