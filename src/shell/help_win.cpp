#include "shell/help_win.h"

#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "shell/app_win.h"
#include "shell/help_text.h"
#include "shell/message_box_win.h"

namespace veilo {

void ShowHelp(App& app, HWND owner) {
  // Command 3: the help file's contents.
  if (FileExists(app.paths.helpFile) && WinHelpW(owner, Wide(app.paths.helpFile).c_str(), HELP_CONTENTS, 0)) return;
  ShowMessageBox(owner, HelpText(app.language), "Veilo Help", MB_OK | MB_ICONINFORMATION);
}

}  // namespace veilo
