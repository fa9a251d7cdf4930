#pragma once
// The commands whose windows come with later work (slide show, printing,
// properties, resize-and-paste, scanning, the JPEG options): each says so in a
// message instead of doing nothing. They are the seams those features plug into.
#include <windows.h>

#include <string_view>

#include "shell/commands.h"

namespace veilo {

struct App;
class DocumentWindow;

// Frame commands: Quick Zoom, the option dialogs, slide show, TWAIN, page setup.
void RunFrameFeature(App& app, FrameAction action);
// Document commands: properties, printing, resize-and-paste.
void RunDocumentFeature(App& app, DocumentWindow& window, DocAction action);
// A slide show over the folders or files a command line names.
void StartSlideShow(App& app, std::string_view commandLine);
// "/c": the screen-saver settings; the program's exit code.
int RunScreenSaverSettings(HINSTANCE instance);

}  // namespace veilo
