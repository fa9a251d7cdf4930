#pragma once
// The settings file and the printer settings of this copy: next to the program while its folder
// can be written, else in %APPDATA%\Veilo (see shell/settings_place.h).
#include <string>

#include "shell/app_win.h"

namespace veilo {

// Fills paths.settingsFile and paths.printerSettingsFile where they are empty (a test may set
// them) and returns the file the settings are read from at start. `userDataDir` empty: the
// user's %APPDATA%\Veilo.
std::string PlaceSettingsFiles(AppPaths& paths, const std::string& userDataDir);

// Whether a file can be made in `folder` right now. Tried for real: attributes and access
// lists tell too little (a read-only attribute on a folder means nothing to Windows, and a
// medium or share may refuse writes whatever the folder says).
bool CanCreateFilesIn(const std::string& folder);

}  // namespace veilo
