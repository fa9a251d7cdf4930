#pragma once
// The commands that open a window of their own (Quick Zoom, the option dialogs,
// the slide show, scanning, properties, resize-and-paste, printing).
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
// A slide show over the folders or files a command line names (in screen-saver mode, the
// screen saver: the program ends after it).
void StartSlideShow(App& app, std::string_view commandLine);

}  // namespace veilo
