#pragma once
// The commands that open a window of their own (Quick Zoom, the option dialogs,
// the slide show, scanning, properties, resize-and-paste). Those still to come
// (the screen saver, printing) say so in a message instead of doing nothing.
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
